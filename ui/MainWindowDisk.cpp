// The open file as other programs change it: the bar that says so, reading
// the file again or keeping the text on screen, and the question before a
// save writes over a file that changed since it was read or written.

#include "ui/MainWindow.h"

#include "ui/CodeEditor.h"
#include "ui/DiskChangeBar.h"
#include "ui/LocalPath.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace orrikey {

// The folder is watched too: a program that saves by writing a new file and
// renaming it over the old one ends the watch of the old file.
void MainWindow::watchFile(const QString& path) {
  diskBar_->hide();
  if (const QStringList watched = watcher_->files() + watcher_->directories(); !watched.isEmpty())
    watcher_->removePaths(watched);
  if (path.isEmpty()) return;
  watcher_->addPath(QFileInfo(path).absolutePath());
  if (QFileInfo::exists(path)) watcher_->addPath(path);
}

void MainWindow::checkDisk() {
  const QString& path = document_.path();
  if (path.isEmpty()) return;
  if (QFileInfo::exists(path) && !watcher_->files().contains(path)) watcher_->addPath(path);
  const ProgramDocument::OnDisk state = document_.checkDisk();
  if (state == ProgramDocument::OnDisk::kAsKnown) diskBar_->hide();
  else diskBar_->showChange(document_.fileName(), state == ProgramDocument::OnDisk::kGone);
}

void MainWindow::reloadFromDisk() {
  followModified();
  if (document_.isModified() &&
      !dialogs_.Confirm(
          QString("Read %1 again and throw away the changes made here?").arg(document_.fileName()),
          "Reload")) {
    checkDisk();
    return;
  }
  guarded([this] { readFile(document_.path(), ProgramDocument::OpenAsFor(document_.form())); });
}

// The text on screen stays, now as changes to what the file holds.
void MainWindow::keepMine() {
  document_.acceptDisk();
  codeEdit_->document()->setModified(true);
}

bool MainWindow::mayWriteOver(const QString& path) {
  if (AbsolutePath(path) != document_.path()) return true;
  switch (document_.checkDisk()) {
    case ProgramDocument::OnDisk::kAsKnown: return true;
    case ProgramDocument::OnDisk::kChanged:
      return dialogs_.Confirm(
          QString("%1 was changed by another program since it was opened or saved. Save over it?")
              .arg(document_.fileName()),
          "Save Over");
    case ProgramDocument::OnDisk::kGone:
      return dialogs_.Confirm(
          QString("%1 was deleted or moved by another program. Save it again?").arg(document_.fileName()),
          "Save");
  }
  return false;
}

}  // namespace orrikey
