// Going by labels: from a jump to the label it reaches, and from a label to
// the jumps that reach it.

#include "ui/MainWindow.h"

#include "labels/Labels.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"

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

}  // namespace orrikey
