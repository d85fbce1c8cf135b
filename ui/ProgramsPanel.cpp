#include "ui/ProgramsPanel.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "tables/Tables.h"
#include "ui/DisplayCodes.h"

namespace orrikey {
namespace {

// The columns: the program's name or the label, the program's bytes as the
// calculator counts them and its steps, each in a column of its own so that
// the panel stays narrow, and the line.
enum Column { kName, kBytes, kSteps, kLine };
constexpr int kLineRole = Qt::UserRole;
constexpr int kEndRole = Qt::UserRole + 1;  // a program's line after its END

// The line as the editor numbers it, and where a click goes.
void SetLine(QTreeWidgetItem* item, size_t line) {
  item->setText(kLine, QString::number(line + 1));
  item->setTextAlignment(kLine, Qt::AlignRight);
  item->setData(0, kLineRole, int(line));
}

int LineOf(const QTreeWidgetItem* item) { return item->data(0, kLineRole).toInt(); }

// The program whose lines hold the line, then its last label at or above it.
QTreeWidgetItem* RowHolding(const QTreeWidget* tree, int line) {
  for (int p = 0; p < tree->topLevelItemCount(); ++p) {
    QTreeWidgetItem* program = tree->topLevelItem(p);
    if (line < LineOf(program) || line >= program->data(0, kEndRole).toInt()) continue;
    QTreeWidgetItem* row = program;
    for (int l = 0; l < program->childCount() && LineOf(program->child(l)) <= line; ++l)
      row = program->child(l);
    return row;
  }
  return nullptr;
}

}  // namespace

ProgramsPanel::ProgramsPanel(QWidget* parent) : QDockWidget("Programs", parent), tree_(new QTreeWidget) {
  setObjectName("programsPanel");
  tree_->setObjectName("programsTree");
  tree_->setAccessibleName("Programs and their labels");
  tree_->setHeaderLabels({"Name", "Bytes", "Steps", "Line"});
  // Sizes and names are never cut short: the panel opens wide enough for
  // them, and scrolls sideways when narrowed.
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(false);
  tree_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  setWidget(tree_);
  const auto choose = [this](QTreeWidgetItem* item) { emit lineChosen(LineOf(item)); };
  connect(tree_, &QTreeWidget::itemClicked, this, choose);
  connect(tree_, &QTreeWidget::itemActivated, this, choose);
}

void ProgramsPanel::follow(int line) {
  if (!isVisible()) return;
  QTreeWidgetItem* row = RowHolding(tree_, line);
  if (!row) return tree_->setCurrentItem(nullptr);
  if (QTreeWidgetItem* program = row->parent()) program->setExpanded(true);
  tree_->setCurrentItem(row);
  tree_->scrollToItem(row);
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
    item->setText(kName, QString::fromStdString(program.name));
    item->setText(kBytes, QString::number(program.size));
    item->setText(kSteps, QString::number(program.steps));
    for (int column : {kBytes, kSteps}) item->setTextAlignment(column, Qt::AlignRight);
    // Beside the row rather than in a column, which would widen the panel
    // past the text.
    const QString needs = QString::fromStdString(program.needs);
    for (int column = kName; column <= kLine; ++column) item->setToolTip(column, needs);
    item->setData(kName, Qt::AccessibleDescriptionRole, needs);
    SetLine(item, program.first);
    item->setData(0, kEndRole, int(program.end));
  }
}

void ProgramsPanel::rebuild(const std::vector<editing::OutlineProgram>& outline) {
  tree_->clear();
  static const QString labelName = ToDisplayText(tables::LabelDefinition().name);
  QList<QTreeWidgetItem*> programs;
  for (const editing::OutlineProgram& program : outline) {
    auto* item = new QTreeWidgetItem;
    for (const editing::OutlineLabel& label : program.labels) {
      auto* row = new QTreeWidgetItem(item);
      row->setText(kName, labelName + ' ' + QString::fromStdString(label.name));
      SetLine(row, label.line);
    }
    programs += item;
  }
  // Closed, but for the caret's program, which follow() opens.
  tree_->addTopLevelItems(programs);
}

}  // namespace orrikey
