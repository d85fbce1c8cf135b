#include "ui/ProgramsPanel.h"

#include "ui/DisplayCodes.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace orrikey {
namespace {

constexpr int kLineRole = Qt::UserRole;

QString LabelText(const labels::Label& label) {
  return "LBL " + ToDisplayText(labels::Shown(label.kind, label.name));
}

}  // namespace

ProgramsPanel::ProgramsPanel(QWidget* parent) : QDockWidget("Programs", parent), tree_(new QTreeWidget) {
  setObjectName("programsPanel");
  tree_->setObjectName("programsTree");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Program or label", "Line"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setStretchLastSection(false);
  setWidget(tree_);
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { emit lineChosen(item->data(0, kLineRole).toInt()); });
}

QString ProgramsPanel::ProgramName(const labels::Analysis& analysis, size_t program) {
  const std::vector<size_t>& globals = analysis.programs[program].globals;
  return globals.empty() ? QString("program %1").arg(program + 1)
                         : ToDisplayText(labels::Shown(labels::LabelKind::kGlobal, analysis.labels[globals.front()].name));
}

void ProgramsPanel::showOutline(const labels::Analysis& analysis, const encoder::Assembly& assembly) {
  if (!isVisible()) return;
  // The rows as text first: most summaries leave the outline as it was.
  QStringList rows;
  size_t next = 0;
  for (size_t p = 0; p < analysis.programs.size(); ++p) {
    const labels::Program& program = analysis.programs[p];
    rows += QString("%1\t{ %2-Byte Prgm }, %3 %4\t%5")
                .arg(ProgramName(analysis, p)).arg(program.size).arg(program.steps)
                .arg(program.steps == 1 ? "step" : "steps")
                .arg(assembly.lines()[program.first].sourceLine);
    for (; next < analysis.labels.size() && analysis.labels[next].program == p; ++next) {
      const labels::Label& label = analysis.labels[next];
      rows += QString("\t%1\t%2").arg(LabelText(label)).arg(assembly.lines()[label.line].sourceLine);
    }
  }
  if (rows == shown_) return;
  shown_ = rows;
  tree_->clear();
  QTreeWidgetItem* program = nullptr;
  for (const QString& row : rows) {
    const QStringList parts = row.split(u'\t');
    const bool isLabel = parts[0].isEmpty();
    auto* item = isLabel ? new QTreeWidgetItem(program) : new QTreeWidgetItem(tree_);
    item->setText(0, isLabel ? parts[1] : parts[0] + "  " + parts[1]);
    item->setText(1, parts[2]);
    item->setData(0, kLineRole, parts[2].toInt() - 1);
    if (!isLabel) program = item;
  }
  tree_->expandAll();
}

}  // namespace orrikey
