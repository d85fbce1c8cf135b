// Go to Line: to a line of the text or a step of a program.

#include "ui/MainWindow.h"

#include "labels/Labels.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"

#include <QRegularExpression>
#include <QStatusBar>

namespace orrikey {

// A line number, or a program named by a global label, quoted or not, and
// one of its steps.
void MainWindow::goToLine() {
  const int current = codeEdit_->textCursor().blockNumber() + 1;
  const int last = codeEdit_->document()->blockCount();
  const std::optional<QString> place = dialogs_.AskText(
      "Go to Line", QString("Line (1 to %1), or a program and its step, such as \"MAIN\" 17:").arg(last),
      QString::number(current));
  codeEdit_->setFocus();
  if (!place) return;
  static const QRegularExpression kStep(uR"re(^\s*"?(.*?)"?\s+(\d+)\s*$)re"_qs);
  bool isNumber = false;
  const int line = place->trimmed().toInt(&isNumber);
  if (isNumber) {
    if (line < 1 || line > last)
      return statusBar()->showMessage(QString("No line %1: the text has lines 1 to %2").arg(line).arg(last),
                                      5'000);
    return codeEdit_->selectLine(line - 1);
  }
  const QRegularExpressionMatch step = kStep.match(*place);
  const std::optional<size_t> found =
      step.hasMatch() ? labels::LineOfStep(assembly_->analysis(), assembly_->assembly(),
                                           ToDisplayCodes(step.captured(1)), step.captured(2).toULongLong())
                      : std::nullopt;
  if (!found)
    return statusBar()->showMessage(
        step.hasMatch() ? QString("No step %1 in a program \"%2\"").arg(step.captured(2), step.captured(1))
                        : "Not a line number, nor a program and a step: " + *place,
        5'000);
  codeEdit_->selectLine(int(*found));
}

}  // namespace orrikey
