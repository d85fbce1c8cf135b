#pragma once

// The grids of the Program Tool: read-only cells of 65 by 20 pixels that show
// display codes, with grid lines and without headers or scroll bars.

#include <QTableWidget>

#include <string>
#include <string_view>

namespace orrikey {

class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  StringGrid(int columns, int rows, QWidget* parent);

  // An empty text leaves the cell empty.
  void setCell(int column, int row, std::string_view codes);
  std::string cell(int column, int row) const;

  // The calculator's font fits the cells. A stand-in font that is taller is
  // made smaller, and one that is wider is narrowed, until the text of every
  // cell shows whole.
  void fitFontToCells();

  // Exactly the cells: the grid neither scrolls nor grows.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 signals:
  // A left click on a cell, the current one included, or a key that moved
  // the current cell; the cell is then the current one.
  void cellSelected(int column, int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orrikey
