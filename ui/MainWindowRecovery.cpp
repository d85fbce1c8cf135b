// Unsaved work kept for the next start: the copy written when typing
// pauses and removed once the text is saved or discarded, the offer to
// restore what a killed editor left, and closing on a termination signal.

#include "ui/MainWindow.h"

#include "files/Recovery.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/LocalPath.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace orrikey {

bool MainWindow::keepRecoveryCopy() {
  recoveryTimer_->stop();
  followModified();
  if (!document_.isModified()) return true;
  if (recovery_.write(document_.path(), document_.form(), codeEdit_->toPlainText(), document_.knownDisk()))
    return true;
  statusBar()->showMessage("Cannot keep a recovery copy in " + recovery_.folder());
  return false;
}

// A question on screen would hold the close back, so it is closed unanswered,
// which cancels what asked it. Work that cannot be kept for the next start is
// offered for saving, as closing the window does.
void MainWindow::closeForLogout() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isModal() && dialog->isVisible())
      dialog->done(QDialog::Rejected);
  loggingOut_ = keepRecoveryCopy();
  close();
}

void MainWindow::recoverInterruptedWrites() {
  QStringList restored;
  QStringList failed;
  for (const files::InterruptedWrite& write : files::RecoverInterruptedWrites()) {
    if (write.message.empty()) continue;
    (write.outcome == files::InterruptedWrite::Outcome::kFailed ? failed : restored) +=
        FromLocalPath(write.message);
  }
  if (!restored.isEmpty()) dialogs_.ShowInformation("Files Restored", restored.join(u'\n'));
  if (!failed.isEmpty()) dialogs_.ShowError(failed.join(u'\n'));
}

void MainWindow::offerRecovery() {
  for (const RecoveredWork& work : recovery_.leftovers()) {
    const QString name = work.filePath.isEmpty() ? "a new program" : QFileInfo(work.filePath).fileName();
    const QString question =
        QString("Orrikey closed on %1 before the changes to %2 were saved. Restore them?")
            .arg(QLocale().toString(work.written, QLocale::ShortFormat), name);
    switch (dialogs_.AskToRecover(question, work.text)) {
      case Dialogs::Recovery::kRestore:
        if (maySaveChanges("restoring other work")) restore(work);
        break;
      case Dialogs::Recovery::kDiscard: RecoveryCopy::Discard(work); break;
      case Dialogs::Recovery::kLater: break;
    }
  }
}

// The restored text is this editor's work now: its own copy is written
// before the old one goes. The file is known as it was when the work was
// kept, so a change made to it since is told and asked about before a save.
void MainWindow::restore(const RecoveredWork& work) {
  codeEdit_->setCodes(ToDisplayCodes(work.text));
  setCurrentFile(work.filePath, work.form);
  document_.assumeDisk(work.knownDisk);
  checkDisk();
  codeEdit_->document()->setModified(true);
  keepRecoveryCopy();
  RecoveryCopy::Discard(work);
}

}  // namespace orrikey
