// Unsaved work kept for the next start: the copy written when typing
// pauses and removed once the text is saved or discarded, the offer to
// restore what a killed editor left, and closing on a termination signal.

#include "ui/MainWindow.h"

#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

namespace orrikey {

void MainWindow::keepRecoveryCopy() {
  recoveryTimer_->stop();
  followModified();
  if (!document_.isModified()) return;
  if (!recovery_.write(document_.path(), document_.form(), codeEdit_->toPlainText()))
    statusBar()->showMessage("Cannot keep a recovery copy in " + RecoveryCopy::DefaultFolder());
}

void MainWindow::closeForLogout() {
  keepRecoveryCopy();
  loggingOut_ = true;
  close();
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
      case Dialogs::Recovery::kDiscard: QFile::remove(work.copyPath); break;
      case Dialogs::Recovery::kLater: break;
    }
  }
}

// The restored text is this editor's work now: its own copy is written
// before the old one goes.
void MainWindow::restore(const RecoveredWork& work) {
  codeEdit_->setCodes(ToDisplayCodes(work.text));
  assembly_->flush();
  setCurrentFile(work.filePath, work.form);
  codeEdit_->document()->setModified(true);
  keepRecoveryCopy();
  QFile::remove(work.copyPath);
}

}  // namespace orrikey
