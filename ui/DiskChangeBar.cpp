#include "ui/DiskChangeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace orrikey {

DiskChangeBar::DiskChangeBar(QWidget* parent) : QWidget(parent) {
  setObjectName("diskChangeBar");
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::ToolTipBase);
  auto* icon = new QLabel;
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
  message_ = new QLabel;
  message_->setObjectName("diskChangeMessage");
  message_->setForegroundRole(QPalette::ToolTipText);
  reload_ = new QPushButton("&Reload");
  reload_->setObjectName("reloadButton");
  auto* keep = new QPushButton("&Keep Mine");
  keep->setObjectName("keepMineButton");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 3, 6, 3);
  layout->addWidget(icon);
  layout->addWidget(message_, 1);
  layout->addWidget(reload_);
  layout->addWidget(keep);
  connect(reload_, &QPushButton::clicked, this, [this] {
    hide();
    emit reloadClicked();
  });
  connect(keep, &QPushButton::clicked, this, [this] {
    hide();
    emit keepClicked();
  });
  hide();
}

void DiskChangeBar::showChange(const QString& fileName, bool gone) {
  message_->setText(gone ? QString("%1 was deleted or moved by another program.").arg(fileName)
                         : QString("%1 was changed by another program.").arg(fileName));
  reload_->setVisible(!gone);
  show();
}

}  // namespace orrikey
