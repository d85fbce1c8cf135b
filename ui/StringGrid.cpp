#include "ui/StringGrid.h"

#include "ui/DisplayCodes.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace orrikey {
namespace {

constexpr int kCellWidth = 65;
constexpr int kCellHeight = 20;

}  // namespace

StringGrid::StringGrid(int columns, int rows, QWidget* parent) : QTableWidget(rows, columns, parent) {
  setFont(DisplayFont());
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->hide();
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Fixed);
  }
  horizontalHeader()->setDefaultSectionSize(kCellWidth);
  verticalHeader()->setDefaultSectionSize(kCellHeight);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setTabKeyNavigation(false);
  setWordWrap(false);
  // Names end in a blank, which may run past the cell unseen.
  setTextElideMode(Qt::ElideNone);
  viewport()->setCursor(Qt::PointingHandCursor);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize StringGrid::sizeHint() const {
  const int frame = 2 * frameWidth();
  return {columnCount() * kCellWidth + frame, rowCount() * kCellHeight + frame};
}

void StringGrid::setCell(int column, int row, std::string_view codes) {
  if (codes.empty()) return;
  setItem(row, column, new QTableWidgetItem(ToDisplayText(codes)));
}

std::string StringGrid::cell(int column, int row) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? ToDisplayCodes(cell->text()) : std::string();
}

void StringGrid::fitFontToCells() {
  // Cells lose a pixel to the grid lines, and their text keeps a margin.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  const int textWidth = kCellWidth - 1 - 2 * margin;
  const int textHeight = kCellHeight - 1;
  auto widest = [this](const QFont& font) {
    const QFontMetrics metrics(font);
    int width = 0;
    for (int row = 0; row < rowCount(); ++row)
      for (int column = 0; column < columnCount(); ++column)
        if (const QTableWidgetItem* cell = item(row, column))
          width = std::max(width, metrics.horizontalAdvance(cell->text().trimmed()));
    return width;
  };
  QFont font = DisplayFont();
  while (QFontMetrics(font).height() > textHeight && font.pixelSize() > 8)
    font.setPixelSize(font.pixelSize() - 1);
  for (int stretch = 95; widest(font) > textWidth && stretch >= 50; stretch -= 5) font.setStretch(stretch);
  setFont(font);
}

void StringGrid::mousePressEvent(QMouseEvent* event) {
  QTableWidget::mousePressEvent(event);
  const QModelIndex cell = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && cell.isValid() && cell == currentIndex())
    emit cellSelected(cell.column(), cell.row());
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex before = currentIndex();
  QTableWidget::keyPressEvent(event);
  if (currentIndex().isValid() && currentIndex() != before)
    emit cellSelected(currentIndex().column(), currentIndex().row());
}

}  // namespace orrikey
