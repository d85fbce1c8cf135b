#include "ui/LineNumbers.h"

#include <QPainter>
#include <QWidget>

namespace orrikey {

void PaintLineNumbers(QWidget* area, std::span<const LineNumberRow> rows,
                      const std::function<QColor(int number)>& dot) {
  QPainter painter(area);
  const QPalette& palette = area->palette();
  painter.fillRect(area->rect(), palette.color(QPalette::AlternateBase));
  painter.setFont(area->font());
  for (const LineNumberRow& row : rows) {
    const QColor colour = dot ? dot(row.number) : QColor();
    painter.setPen(palette.color(colour.isValid() ? QPalette::Text : QPalette::PlaceholderText));
    painter.drawText(row.rect, Qt::AlignRight | Qt::AlignVCenter,
                     row.text.isEmpty() ? QString::number(row.number) : row.text);
    if (!colour.isValid()) continue;
    const int size = std::max(4, row.rect.height() / 3);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(2, row.rect.center().y() - size / 2, size, size));
  }
}

}  // namespace orrikey
