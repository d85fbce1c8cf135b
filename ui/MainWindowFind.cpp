// The main window's find bar and Go to Line: searching the program text,
// replacing in it and going to a line.

#include "ui/MainWindow.h"

#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"

#include <QLineEdit>
#include <QStatusBar>

namespace orrikey {

void MainWindow::goToLine() {
  const int current = codeEdit_->textCursor().blockNumber() + 1;
  if (auto line = dialogs_.AskLineNumber(current, codeEdit_->document()->blockCount()))
    codeEdit_->selectLine(*line - 1);
  codeEdit_->setFocus();
}

void MainWindow::findNext(bool backward) {
  const QString wanted = findEdit_->text();
  if (wanted.isEmpty()) return;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (codeEdit_->find(wanted, flags)) return;
  // Wraps round once, as editors do.
  QTextCursor cursor = codeEdit_->textCursor();
  cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  codeEdit_->setTextCursor(cursor);
  if (!codeEdit_->find(wanted, flags)) statusBar()->showMessage("Not found: " + wanted, 5'000);
}

void MainWindow::replaceOne() {
  if (codeEdit_->textCursor().selectedText() == findEdit_->text() && !findEdit_->text().isEmpty())
    codeEdit_->textCursor().insertText(ReadTypedText(replaceEdit_->text()).text);
  findNext(false);
}

void MainWindow::replaceAll() {
  const QString wanted = findEdit_->text();
  if (wanted.isEmpty()) return;
  const QString replacement = ReadTypedText(replaceEdit_->text()).text;
  QTextDocument* document = codeEdit_->document();
  QTextCursor edit(document);
  edit.beginEditBlock();
  int count = 0;
  for (QTextCursor found = document->find(wanted); !found.isNull();
       found = document->find(wanted, found), ++count)
    found.insertText(replacement);
  edit.endEditBlock();
  statusBar()->showMessage(QString("%1 replaced").arg(count), 5'000);
}


}  // namespace orrikey
