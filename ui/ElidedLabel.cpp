#include "ui/ElidedLabel.h"

#include <QEvent>

namespace orrikey {

// Any width will do: the text is fitted to what the layout gives.
ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  setTextFormat(Qt::PlainText);
}

void ElidedLabel::setFullText(const QString& text, const QString& toolTip) {
  fullText_ = text;
  setToolTip(toolTip);
  setAccessibleName(toolTip.isEmpty() ? text : toolTip);
  elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  elide();
}

void ElidedLabel::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) elide();
}

void ElidedLabel::elide() {
  setText(fontMetrics().elidedText(fullText_, Qt::ElideMiddle, contentsRect().width()));
}

}  // namespace orrikey
