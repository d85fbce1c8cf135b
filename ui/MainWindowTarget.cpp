// The calculators the program is written for: a choice of the View menu,
// said in the status bar, kept between sessions, and handed to the model,
// whose diagnostics answer to it.

#include "ui/LiveAssembly.h"
#include "ui/MainWindow.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

namespace orrikey {
namespace {

struct TargetChoice {
  needs::Target target;
  const char* menuText;
  const char* objectName;
  const char* shortName;  // the status bar's
};

constexpr TargetChoice kTargets[] = {
    {needs::Target::kToday, "Target: &Today's Calculators (DM42, Free42)", "TargetToday", "DM42/Free42"},
    {needs::Target::kHp42s, "Target: &Original HP-42S", "TargetHp42s", "HP-42S"},
};

const char* const kTargetKey = "window/target";

}  // namespace

void MainWindow::createTargetChoice(QMenu* view) {
  targetLabel_ = new QLabel;
  targetLabel_->setObjectName("targetLabel");
  targetLabel_->setAccessibleName("Target calculators");
  statusBar()->addPermanentWidget(targetLabel_);
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (const TargetChoice& choice : kTargets) {
    QAction* action = view->addAction(choice.menuText);
    action->setObjectName(choice.objectName);
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::toggled, this, [this, &choice](bool checked) {
      if (!checked) return;
      targetLabel_->setText(choice.shortName);
      assembly_->setTarget(choice.target);
    });
  }
  targetActions_ = group->actions();
}

void MainWindow::restoreTarget(const QSettings& settings) {
  const std::string setting = settings.value(kTargetKey).toString().toStdString();
  const needs::Target target = needs::TargetNamed(setting).value_or(needs::Target::kToday);
  for (size_t i = 0; i < std::size(kTargets); ++i)
    if (kTargets[i].target == target) targetActions_[qsizetype(i)]->setChecked(true);
}

void MainWindow::saveTarget(QSettings& settings) const {
  for (size_t i = 0; i < std::size(kTargets); ++i)
    if (targetActions_[qsizetype(i)]->isChecked())
      settings.setValue(kTargetKey, needs::NameOf(kTargets[i].target));
}

}  // namespace orrikey
