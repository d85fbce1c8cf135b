// Going by labels: from a jump to the label it reaches, and from a label to
// the jumps that reach it; and where the caret stands among the programs.

#include "ui/MainWindow.h"

#include "ui/CodeEditor.h"
#include "ui/InfoPanel.h"
#include "ui/LiveAssembly.h"
#include "ui/ProgramsPanel.h"

#include <QLabel>
#include <QStatusBar>
#include <QTextBlock>

namespace orrikey {

namespace {
constexpr int kMessageMs = 5'000;
}  // namespace

size_t MainWindow::caretLine() const { return size_t(codeEdit_->textCursor().blockNumber()); }

// A jump that reaches no label says why, as its warning or note does.
bool MainWindow::hasLabelAtCaret() {
  const editing::ProgramModel& model = assembly_->model();
  if (model.LabelNameAt(caretLine())) return true;
  QString message = "No label or jump to a label on this line";
  for (const editing::Diagnostic& diagnostic : model.DiagnosticsOn(caretLine()))
    if (diagnostic.severity != editing::Severity::kError) {
      message = QString::fromStdString(diagnostic.message);
      message[0] = message[0].toUpper();
      break;
    }
  statusBar()->showMessage(message, kMessageMs);
  return false;
}

void MainWindow::goToLabel() {
  if (hasLabelAtCaret()) codeEdit_->selectLine(int(*assembly_->model().DefinitionAt(caretLine())));
}

void MainWindow::findUses() {
  if (!hasLabelAtCaret()) return;
  const editing::ProgramModel& model = assembly_->model();
  usesFound_ = model.UsesAt(caretLine());
  usesFound_.erase(usesFound_.begin());  // the label itself
  std::vector<int> targets;
  QStringList info = usesEntries(targets);
  if (info.isEmpty())
    info += "No jump reaches label " + QString::fromStdString(*model.LabelNameAt(caretLine()));
  infoPanel_->showUses(info, std::move(targets));
}

// Lines edited away since the uses were found are left out.
QStringList MainWindow::usesEntries(std::vector<int>& targets) const {
  QStringList entries;
  for (size_t use : usesFound_) {
    if (use >= assembly_->model().assembly().lines().size()) continue;
    entries += infoLine(use) + " " + codeEdit_->document()->findBlockByNumber(int(use)).text();
    targets.push_back(int(use));
  }
  return entries;
}

// Step numbers switched: the uses name their steps, or stop naming them.
void MainWindow::relistUses() {
  if (usesFound_.empty()) return;
  std::vector<int> targets;
  const QStringList entries = usesEntries(targets);
  infoPanel_->relistUses(entries, std::move(targets));
}

// The label and the jumps that reach it, by the calculator's search, so a
// local label changes in its own program only; one undo step.
void MainWindow::renameLabel() {
  if (!hasLabelAtCaret()) return;
  const size_t line = caretLine();
  const QString old = QString::fromStdString(*assembly_->model().LabelNameAt(line));
  const std::optional<QString> typed =
      dialogs_.AskText("Rename Label", QString("New name of label %1:").arg(old), old);
  if (!typed || typed->trimmed() == old) return;
  const editing::RenameResult rename = assembly_->model().RenameAt(line, typed->trimmed().toStdString());
  if (!rename.refusal.empty())
    return statusBar()->showMessage(QString::fromStdString(rename.refusal), kMessageMs);
  if (rename.edits.empty()) return;
  QTextCursor cursor(codeEdit_->document());
  cursor.beginEditBlock();
  for (const editing::LineEdit& edit : rename.edits) {
    const QTextBlock block = codeEdit_->document()->findBlockByNumber(int(edit.line));
    cursor.setPosition(block.position());
    cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    cursor.insertText(QString::fromStdString(edit.text));
  }
  cursor.endEditBlock();
  statusBar()->showMessage(
      QString("Renamed %1 to %2 on %3 line(s)").arg(old, typed->trimmed()).arg(rename.edits.size()),
      kMessageMs);
}

// Line and column, then the program, step and byte of the caret's line, in
// the status bar and in the Programs panel.
void MainWindow::showCaretPlace() {
  const QTextCursor caret = codeEdit_->textCursor();
  const size_t line = size_t(caret.blockNumber());
  QString place = QString("Line %1, Col %2").arg(line + 1).arg(caret.positionInBlock() + 1);
  const editing::ProgramModel& model = assembly_->model();
  const editing::Place at = model.PlaceOf(line);
  if (at.program) {
    place += "   " + QString::fromStdString(model.ProgramName(*at.program));
    if (at.step > 0) place += QString(", step %1").arg(at.step, 2, 10, QChar('0'));
    place += QString(", byte %1").arg(at.offset);
  }
  caretLabel_->setText(place);
  programsPanel_->follow(int(line));
}

}  // namespace orrikey
