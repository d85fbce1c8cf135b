#include "ui/Look.h"

#include <QLabel>

namespace orrikey {

QFont UiFont(const QString& family, int pixels, bool bold) {
  QFont font;
  font.setFamilies({family, "DejaVu Sans"});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QLabel* MakeCaption(const QString& text, const QFont& font, const QColor& color) {
  auto* label = new QLabel(text);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  return label;
}

void PaintWindowColor(QWidget* widget) {
  QPalette background = widget->palette();
  background.setColor(QPalette::Window, kWindowColor);
  widget->setPalette(background);
  widget->setAutoFillBackground(true);
}

}  // namespace orrikey
