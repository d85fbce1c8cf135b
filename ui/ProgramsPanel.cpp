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
  // Most summaries leave the labels where they were and change a size at
  // most: then only the programs' rows are written again.
  std::vector<LabelPlace> places;
  places.reserve(analysis.labels.size());
  for (const labels::Label& label : analysis.labels) places.push_back({label.program, label.line, label.kind, label.name});
  if (places != places_ || tree_->topLevelItemCount() != int(analysis.programs.size())) {
    places_ = std::move(places);
    rebuild(analysis, assembly);
  }
  for (size_t p = 0; p < analysis.programs.size(); ++p) {
    const labels::Program& program = analysis.programs[p];
    QTreeWidgetItem* item = tree_->topLevelItem(int(p));
    item->setText(0, QString("%1  { %2-Byte Prgm }, %3 %4")
                         .arg(ProgramName(analysis, p)).arg(program.size).arg(program.steps)
                         .arg(program.steps == 1 ? "step" : "steps"));
    const size_t line = assembly.lines()[program.first].sourceLine;
    item->setText(1, QString::number(line));
    item->setData(0, kLineRole, int(line) - 1);
  }
}

void ProgramsPanel::rebuild(const labels::Analysis& analysis, const encoder::Assembly& assembly) {
  tree_->clear();
  QList<QTreeWidgetItem*> programs;
  for (size_t p = 0; p < analysis.programs.size(); ++p) programs += new QTreeWidgetItem;
  for (const labels::Label& label : analysis.labels) {
    auto* item = new QTreeWidgetItem(programs[int(label.program)]);
    const size_t line = assembly.lines()[label.line].sourceLine;
    item->setText(0, LabelText(label));
    item->setText(1, QString::number(line));
    item->setData(0, kLineRole, int(line) - 1);
  }
  tree_->addTopLevelItems(programs);
  tree_->expandAll();
}

}  // namespace orrikey
