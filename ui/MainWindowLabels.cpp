// Going by labels: from a jump to the label it reaches, and from a label to
// the jumps that reach it; and where the caret stands among the programs.

#include "ui/MainWindow.h"

#include "labels/Labels.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/ProgramsPanel.h"

#include <QLabel>
#include <QStatusBar>
#include <QTextBlock>

namespace orrikey {

namespace {
constexpr int kMessageMs = 5'000;
}  // namespace

std::optional<size_t> MainWindow::labelAtCaret() {
  assembly_->flush();
  const std::optional<size_t> label =
      labels::LabelAt(assembly_->analysis(), size_t(codeEdit_->textCursor().blockNumber()));
  if (!label) statusBar()->showMessage("No label or jump to a label on this line", kMessageMs);
  return label;
}

void MainWindow::goToLabel() {
  if (const std::optional<size_t> label = labelAtCaret())
    codeEdit_->selectLine(int(assembly_->analysis().labels[*label].line));
}

void MainWindow::findUses() {
  const std::optional<size_t> label = labelAtCaret();
  if (!label) return;
  const labels::Analysis& analysis = assembly_->analysis();
  QStringList info;
  std::vector<int> targets;
  for (const labels::Reference* use : labels::UsesOf(analysis, *label)) {
    const QString text = codeEdit_->document()->findBlockByNumber(int(use->line)).text();
    info += QString("Line: %1 %2").arg(assembly_->assembly().lines()[use->line].sourceLine).arg(text);
    targets.push_back(int(use->line));
  }
  const labels::Label& found = analysis.labels[*label];
  if (info.isEmpty())
    info += "No jump reaches label " + ToDisplayText(labels::Shown(found.kind, found.name));
  showInfo(info, std::move(targets));
}

// The label and the jumps that reach it, by the calculator's search, so a
// local label changes in its own program only; one undo step.
void MainWindow::renameLabel() {
  const std::optional<size_t> found = labelAtCaret();
  if (!found) return;
  const labels::Analysis& analysis = assembly_->analysis();
  const labels::Label label = analysis.labels[*found];
  const QString old = ToDisplayText(labels::Shown(label.kind, label.name));
  const std::optional<QString> typed =
      dialogs_.AskText("Rename Label", QString("New name of label %1:").arg(old), old);
  if (!typed || typed->trimmed() == old) return;
  const std::string shown = ToDisplayCodes(typed->trimmed());
  const labels::RenamePlan plan = labels::PlanRename(analysis, assembly_->assembly(), *found, shown);
  if (!plan.refusal.empty()) return statusBar()->showMessage(ToDisplayText(plan.refusal), kMessageMs);
  if (plan.lines.empty()) return;
  QTextCursor cursor(codeEdit_->document());
  cursor.beginEditBlock();
  for (size_t line : plan.lines) {
    const QTextBlock block = codeEdit_->document()->findBlockByNumber(int(line));
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(ToDisplayText(labels::WithLabel(ToDisplayCodes(block.text()), label.kind, shown)));
  }
  cursor.endEditBlock();
  statusBar()->showMessage(QString("Renamed %1 to %2 on %3 line(s)").arg(old, ToDisplayText(shown)).arg(plan.lines.size()),
                           kMessageMs);
}

// The program, step and size wait for the analysis at the pause; line and
// column follow every move.
void MainWindow::showCaretPlace() {
  const QTextCursor caret = codeEdit_->textCursor();
  const size_t line = size_t(caret.blockNumber());
  QString place = QString("Line %1, Col %2").arg(line + 1).arg(caret.positionInBlock() + 1);
  const labels::Analysis& analysis = assembly_->analysis();
  if (assembly_->analysisIsCurrent()) {
    const std::optional<size_t> program = labels::ProgramOf(analysis, line);
    if (program) {
      const encoder::Assembly::Place at = assembly_->assembly().PlaceOf(line);
      place += "   " + ProgramsPanel::ProgramName(analysis, *program);
      if (at.step > 0) place += QString(", step %1").arg(at.step, 2, 10, QChar('0'));
      place += QString(", byte %1").arg(at.offset);
    }
    showSize(program);
  }
  caretLabel_->setText(place);
}

// A line that writes no bytes has no step, and shows none.
void MainWindow::showStepNumbers(bool shown) {
  if (!shown) return codeEdit_->setNumberText({});
  codeEdit_->setNumberText([this](int first, int count) {
    QStringList texts;
    for (const encoder::Assembly::Place& at : assembly_->assembly().PlacesOf(size_t(first), size_t(count)))
      texts += at.step == 0 ? u" "_qs : QString("%1").arg(at.step, 2, 10, QChar('0'));
    return texts;
  });
}

}  // namespace orrikey
