#include "ui/HexPane.h"

#include "ui/CodeEditor.h"

#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <memory>
#include <optional>

namespace orrikey {
namespace {

// One row, laid out as the editor lays out a line of its own.
std::unique_ptr<QTextLayout> RowLayout(const QString& text, const QFont& font) {
  auto layout = std::make_unique<QTextLayout>(text, font);
  layout->beginLayout();
  layout->createLine().setLeadingIncluded(true);
  layout->endLayout();
  return layout;
}

}  // namespace

// Rows laid out as the editor lays out lines, so that they stay level with
// the program pane: the same line height, the document's margin above the
// first row only, and a scroll bar that counts whole rows.
class HexPane::RowView : public QAbstractScrollArea {
 public:
  RowView(HexPane* pane, qreal margin) : pane_(pane), margin_(margin), gutter_(new Gutter(this)) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(1);
    measure();
  }

  void setSource(RowSource source) { source_ = std::move(source); }
  void setCount(int count) {
    count_ = count;
    current_ = std::clamp(current_, 0, std::max(0, count - 1));
    anchor_ = std::clamp(anchor_, 0, std::max(0, count - 1));
    updateRange();
    viewport()->update();
  }
  int count() const { return count_; }
  QString row(int n) const { return source_ && n >= 0 && n < count_ ? source_(n) : QString(); }
  int current() const { return current_; }
  // Where typing starts when nothing is selected.
  int caretColumn() const { return caretColumn_; }
  // The rows selected, first and last; a click selects none.
  std::optional<std::pair<int, int>> selection() const {
    if (!selected_ || count_ == 0) return std::nullopt;
    return std::pair(std::min(anchor_, current_), std::max(anchor_, current_));
  }

  void selectAll() {
    anchor_ = 0;
    select(count_ - 1, true);
  }
  void goToRow(int n, bool extend) { select(n, extend); }
  // A row's place in the viewport.
  QRect rowRect(int n) const { return QRectF(0, rowTop(n), viewport()->width(), rowHeight_).toAlignedRect(); }
  int rowAtPoint(QPoint viewportPoint) const {
    return std::clamp(rowAt(viewportPoint.y()), 0, std::max(0, count_ - 1));
  }

  void copy() {
    const auto selected = selection();
    if (!selected) return;
    QStringList rows;
    for (int n = selected->first; n <= selected->second; ++n) rows += row(n);
    QApplication::clipboard()->setText(rows.join(u'\n'));
  }

  void setLineNumberWidth(int pixels) {
    lineNumberWidth_ = pixels;
    setViewportMargins(pixels, 0, 0, 0);
    placeGutter();
  }

  std::vector<LineNumberRow> lineNumberRows() const {
    std::vector<LineNumberRow> rows;
    const int first = verticalScrollBar()->value();
    for (int n = first; n < count_ && rowTop(n) < gutter_->height(); ++n)
      rows.push_back({n + 1, QRect(0, qRound(rowTop(n)), lineNumberWidth_ - 2, qRound(rowHeight_)), {}});
    return rows;
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(viewport());
    painter.setFont(font());
    const auto selected = selection();
    const int first = verticalScrollBar()->value();
    for (int n = first; n < count_ && rowTop(n) < viewport()->height(); ++n) {
      const QRectF rect(0, rowTop(n), viewport()->width(), rowHeight_);
      const bool marked = selected && selected->first <= n && n <= selected->second;
      if (marked) painter.fillRect(rect, palette().color(QPalette::Highlight));
      painter.setPen(palette().color(marked ? QPalette::HighlightedText : QPalette::Text));
      painter.drawText(QPointF(margin_, rect.top() + ascent_), row(n));
      if (n == current_ && !selected && hasFocus()) {
        const auto layout = RowLayout(row(n), font());
        const qreal x = margin_ + layout->lineAt(0).cursorToX(caretColumn_);
        painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
      }
    }
  }

  void resizeEvent(QResizeEvent* event) override {
    QAbstractScrollArea::resizeEvent(event);
    placeGutter();
    updateRange();
  }

  void changeEvent(QEvent* event) override {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    measure();
    updateRange();
  }

  void scrollContentsBy(int, int) override {
    viewport()->update();
    gutter_->update();
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (count_ == 0 || event->button() != Qt::LeftButton) return;
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    select(rowAt(event->position().y()), extend);
    if (!extend) placeCaret(event->position().x());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (count_ == 0 || !(event->buttons() & Qt::LeftButton)) return;
    const int row = rowAt(event->position().y());
    if (row != current_) select(row, true);
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    mousePressEvent(event);
    emit pane_->doubleClicked();
  }

  // The window zooms all panes together, so that their rows stay level.
  void wheelEvent(QWheelEvent* event) override {
    if (!(event->modifiers() & Qt::ControlModifier)) return QAbstractScrollArea::wheelEvent(event);
    if (const int steps = event->angleDelta().y() / 120) emit pane_->zoomRequested(steps);
    event->accept();
  }

  // The pane's own copy, paste and select all come before the window's
  // shortcuts for them, as in an editor.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key == QKeySequence::Copy || key == QKeySequence::Cut || key == QKeySequence::Paste ||
          key == QKeySequence::SelectAll) {
        event->accept();
        return true;
      }
    }
    return QAbstractScrollArea::event(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event == QKeySequence::Copy) return copy();
    if (event == QKeySequence::SelectAll) return selectAll();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = verticalScrollBar()->pageStep();
    switch (event->key()) {
      case Qt::Key_Up: return select(current_ - 1, extend);
      case Qt::Key_Down: return select(current_ + 1, extend);
      case Qt::Key_PageUp: return select(current_ - page, extend);
      case Qt::Key_PageDown: return select(current_ + page, extend);
      case Qt::Key_Home: return select(0, extend);
      case Qt::Key_End: return select(count_ - 1, extend);
      default: break;
    }
    // Anything else that writes goes to the editor, rows and all.
    const bool writes = (!event->text().isEmpty() && event->text().front().isPrint() &&
                         !(event->modifiers() & Qt::ControlModifier)) ||
                        event == QKeySequence::Paste || event == QKeySequence::Cut ||
                        event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                        event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!writes) return QAbstractScrollArea::keyPressEvent(event);
    pane_->startTyping();
    QApplication::sendEvent(pane_->editor_, event);
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu;
    menu.addAction(tr("&Copy"), QKeySequence::Copy, this, &RowView::copy)
        ->setEnabled(selection().has_value());
    menu.addAction(tr("&Paste"), QKeySequence::Paste, pane_, &HexPane::paste);
    menu.addSeparator();
    menu.addAction(tr("Select All"), QKeySequence::SelectAll, this, &RowView::selectAll);
    menu.exec(event->globalPos());
  }

 private:
  class Gutter : public QWidget {
   public:
    explicit Gutter(RowView* view) : QWidget(view), view_(view) {}

   protected:
    void paintEvent(QPaintEvent*) override { PaintLineNumbers(this, view_->lineNumberRows(), {}); }

   private:
    RowView* view_;
  };

  // The editor's line height in this font, from a layout of one line as the
  // editor makes for each of its blocks.
  void measure() {
    const auto layout = RowLayout(QStringLiteral("0"), font());
    const QTextLine line = layout->lineAt(0);
    rowHeight_ = line.height();
    ascent_ = line.ascent();
  }

  void placeCaret(qreal x) {
    const auto layout = RowLayout(row(current_), font());
    caretColumn_ = layout->lineAt(0).xToCursor(x - margin_);
    viewport()->update();
  }

  qreal rowTop(int n) const {
    const int first = verticalScrollBar()->value();
    return (first == 0 ? margin_ : 0) + (n - first) * rowHeight_;
  }
  int rowAt(qreal y) const {
    const int first = verticalScrollBar()->value();
    return first + int((y - (first == 0 ? margin_ : 0)) / rowHeight_);
  }

  void updateRange() {
    const int page = std::max(1, int(viewport()->height() / rowHeight_));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setRange(0, std::max(0, count_ - page));
  }

  void placeGutter() {
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), lineNumberWidth_, area.height());
  }

  void select(int row, bool extend) {
    if (count_ == 0) return;
    current_ = std::clamp(row, 0, count_ - 1);
    if (!extend) anchor_ = current_;
    selected_ = extend;
    QScrollBar* bar = verticalScrollBar();
    if (current_ < bar->value()) bar->setValue(current_);
    if (current_ >= bar->value() + bar->pageStep()) bar->setValue(current_ - bar->pageStep() + 1);
    viewport()->update();
    // A screen reader follows the caret from row to row.
    if (QAccessible::isActive())
      if (QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(this)->textInterface()) {
        QAccessibleTextCursorEvent moved(this, text->cursorPosition());
        QAccessible::updateAccessibility(&moved);
      }
  }

  HexPane* pane_;
  qreal margin_;
  Gutter* gutter_;
  RowSource source_;
  int count_ = 0;
  int current_ = 0;
  int anchor_ = 0;
  bool selected_ = false;
  int caretColumn_ = 0;
  int lineNumberWidth_ = 0;
  qreal rowHeight_ = 1;
  qreal ascent_ = 0;
};

// The rows for screen readers: one read-only text of a line per row, its
// caret at the current row and its selection the rows selected. Offsets
// count the characters of the rows and one for each line break between them.
class HexPane::RowsAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit RowsAccessible(RowView* view) : QAccessibleWidget(view, QAccessible::EditableText), view_(view) {}

  static QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* view = dynamic_cast<RowView*>(object);
    return view ? new RowsAccessible(view) : nullptr;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
  }
  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Value ? whole() : QAccessibleWidget::text(kind);
  }

  void selection(int index, int* start, int* end) const override {
    const auto rows = view_->selection();
    *start = *end = 0;
    if (index != 0 || !rows) return;
    *start = rowStart(rows->first);
    *end = rowStart(rows->second) + int(view_->row(rows->second).size());
  }
  int selectionCount() const override { return view_->selection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { view_->goToRow(view_->current(), false); }
  void setSelection(int, int start, int end) override {
    view_->goToRow(rowOf(start), false);
    view_->goToRow(rowOf(end), true);
  }
  int cursorPosition() const override { return rowStart(view_->current()); }
  void setCursorPosition(int position) override { view_->goToRow(rowOf(position), false); }
  QString text(int start, int end) const override { return whole().mid(start, end - start); }
  int characterCount() const override { return int(whole().size()); }
  QRect characterRect(int offset) const override {
    const QRect row = view_->rowRect(rowOf(offset));
    return QRect(view_->viewport()->mapToGlobal(row.topLeft()), row.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    return rowStart(view_->rowAtPoint(view_->viewport()->mapFromGlobal(point)));
  }
  void scrollToSubstring(int start, int) override { view_->goToRow(rowOf(start), false); }
  QString attributes(int, int* start, int* end) const override {
    *start = *end = 0;
    return {};
  }

 private:
  QString whole() const {
    QStringList rows;
    for (int n = 0; n < view_->count(); ++n) rows += view_->row(n);
    return rows.join(u'\n');
  }
  int rowStart(int row) const {
    int offset = 0;
    for (int n = 0; n < row; ++n) offset += int(view_->row(n).size()) + 1;
    return offset;
  }
  int rowOf(int offset) const {
    int n = 0;
    for (int start = 0; n + 1 < view_->count(); ++n) {
      start += int(view_->row(n).size()) + 1;
      if (start > offset) break;
    }
    return n;
  }

  RowView* view_;
};

HexPane::HexPane(QWidget* parent) : QStackedWidget(parent), editor_(new CodeEditor) {
  static const bool accessible = (QAccessible::installFactory(&RowsAccessible::Factory), true);
  Q_UNUSED(accessible);
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor_->setTabChangesFocus(true);
  editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_ = new RowView(this, editor_->document()->documentMargin());
  view_->setAccessibleName("Hex listing");
  editor_->setAccessibleName("Hex text to convert");
  addWidget(view_);
  addWidget(editor_);
  setFocusProxy(view_);
  connect(editor_, &CodeEditor::doubleClicked, this, &HexPane::doubleClicked);
  connect(editor_, &CodeEditor::zoomRequested, this, &HexPane::zoomRequested);
  connect(editor_, &CodeEditor::inputRefused, this, &HexPane::inputRefused);
  for (QAbstractScrollArea* page :
       {static_cast<QAbstractScrollArea*>(view_), static_cast<QAbstractScrollArea*>(editor_)}) {
    connect(page->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, page](int row) {
      if (currentWidget() == page) emit scrolled(row);
    });
  }
}

void HexPane::setRowSource(RowSource source) { view_->setSource(std::move(source)); }

void HexPane::showRows(int count) {
  view_->setCount(count);
  if (!isTyped()) return;
  const bool focused = editor_->hasFocus();
  view_->verticalScrollBar()->setValue(editor_->verticalScrollBar()->value());
  setCurrentWidget(view_);
  setFocusProxy(view_);
  editor_->clear();
  if (focused) view_->setFocus();
}

bool HexPane::isTyped() const { return currentWidget() == editor_; }

QString HexPane::text() const {
  if (isTyped()) return editor_->toPlainText();
  QStringList rows;
  rows.reserve(view_->count());
  for (int n = 0; n < view_->count(); ++n) rows += view_->row(n);
  return rows.join(u'\n');
}

QString HexPane::currentRow() const {
  return isTyped() ? editor_->textCursor().block().text() : view_->row(view_->current());
}

void HexPane::clear() {
  editor_->clear();
  setCurrentWidget(editor_);
  setFocusProxy(editor_);
}

void HexPane::setLineNumberWidth(int pixels) {
  view_->setLineNumberWidth(pixels);
  editor_->setLineNumberWidth(pixels);
}

void HexPane::scrollToRow(int row) {
  static_cast<QAbstractScrollArea*>(currentWidget())->verticalScrollBar()->setValue(row);
}

std::vector<LineNumberRow> HexPane::lineNumberRows() const {
  return isTyped() ? editor_->lineNumberRows() : view_->lineNumberRows();
}

void HexPane::undo() {
  if (isTyped()) editor_->undo();
}

void HexPane::redo() {
  if (isTyped()) editor_->redo();
}

void HexPane::cut() {
  startTyping();
  editor_->cut();
}

void HexPane::copy() { isTyped() ? editor_->copy() : view_->copy(); }

void HexPane::paste() {
  startTyping();
  editor_->paste();
}

void HexPane::selectAll() { isTyped() ? editor_->selectAll() : view_->selectAll(); }

void HexPane::startTyping() {
  if (isTyped()) return;
  const int first = view_->verticalScrollBar()->value();
  editor_->setPlainText(text());
  const QTextBlock current = editor_->document()->findBlockByNumber(view_->current());
  QTextCursor cursor(current);
  cursor.setPosition(current.position() + std::min(view_->caretColumn(), current.length() - 1));
  if (const auto selected = view_->selection()) {
    cursor.setPosition(editor_->document()->findBlockByNumber(selected->first).position());
    const QTextBlock last = editor_->document()->findBlockByNumber(selected->second);
    cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
  }
  editor_->setTextCursor(cursor);
  setCurrentWidget(editor_);
  setFocusProxy(editor_);
  editor_->verticalScrollBar()->setValue(first);
  editor_->setFocus();
}

}  // namespace orrikey
