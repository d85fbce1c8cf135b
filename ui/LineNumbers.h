#pragma once

// The line-number area that the program and hex panes show on their left
// edge: one look for both, so that their rows read as one table.

#include <QColor>
#include <QRect>
#include <QString>

#include <functional>
#include <span>

class QWidget;

namespace orrikey {

// One number of the area and the rectangle it is right-aligned in.
struct LineNumberRow {
  int number;
  QRect rect;
  QString text;  // what the row shows in place of its number, when not empty
};

// A row that `dot` gives a colour for gets a dot of it left of its number.
void PaintLineNumbers(QWidget* area, std::span<const LineNumberRow> rows,
                      const std::function<QColor(int number)>& dot);

}  // namespace orrikey
