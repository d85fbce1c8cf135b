#include "ui/ProgramsPanel.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace orrikey {
namespace {

constexpr int kLineRole = Qt::UserRole;

// The line as the editor numbers it, and where a click goes.
void SetLine(QTreeWidgetItem* item, size_t line) {
  item->setText(1, QString::number(line + 1));
  item->setData(0, kLineRole, int(line));
}

}  // namespace

ProgramsPanel::ProgramsPanel(QWidget* parent) : QDockWidget("Programs", parent), tree_(new QTreeWidget) {
  setObjectName("programsPanel");
  tree_->setObjectName("programsTree");
  tree_->setAccessibleName("Programs and their labels");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Program or label", "Line"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  tree_->header()->setStretchLastSection(false);
  setWidget(tree_);
  connect(tree_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { emit lineChosen(item->data(0, kLineRole).toInt()); });
}

void ProgramsPanel::showOutline(const editing::ProgramModel& model) {
  if (!isVisible()) return;
  const std::vector<editing::OutlineProgram> outline = model.Outline();
  // Most changes leave the labels where they were and change a size at
  // most: then only the programs' rows are written again.
  std::vector<std::vector<editing::OutlineLabel>> labels;
  labels.reserve(outline.size());
  for (const editing::OutlineProgram& program : outline) labels.push_back(program.labels);
  if (labels != labels_) {
    labels_ = std::move(labels);
    rebuild(outline);
  }
  for (size_t p = 0; p < outline.size(); ++p) {
    const editing::OutlineProgram& program = outline[p];
    QTreeWidgetItem* item = tree_->topLevelItem(int(p));
    item->setText(0, QString("%1  { %2-Byte Prgm }, %3 %4")
                         .arg(QString::fromStdString(program.name)).arg(program.size).arg(program.steps)
                         .arg(program.steps == 1 ? "step" : "steps"));
    SetLine(item, program.first);
  }
}

void ProgramsPanel::rebuild(const std::vector<editing::OutlineProgram>& outline) {
  tree_->clear();
  QList<QTreeWidgetItem*> programs;
  for (const editing::OutlineProgram& program : outline) {
    auto* item = new QTreeWidgetItem;
    for (const editing::OutlineLabel& label : program.labels) {
      auto* row = new QTreeWidgetItem(item);
      row->setText(0, "LBL " + QString::fromStdString(label.name));
      SetLine(row, label.line);
    }
    programs += item;
  }
  tree_->addTopLevelItems(programs);
  tree_->expandAll();
}

}  // namespace orrikey
