#include "ui/GutterMemo.h"

#include "files/ProgramText.h"
#include "ui/DisplayCodes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <stdexcept>

namespace orrikey {

class TGutterMemo::Gutter : public QWidget {
 public:
  explicit Gutter(TGutterMemo* memo) : QWidget(memo), memo_(memo) {}

 protected:
  void paintEvent(QPaintEvent*) override { memo_->PaintGutter(); }

 private:
  TGutterMemo* memo_;
};

TGutterMemo::TGutterMemo(QWidget* parent)
    : QPlainTextEdit(parent),
      gutter_(new Gutter(this)),
      gutterColor_(palette().color(QPalette::ToolTipBase)),
      gutterTextColor_(QApplication::palette("QMenu").color(QPalette::WindowText)) {
  // Every repaint of the text, scrolling included, redraws the numbers.
  connect(this, &QPlainTextEdit::updateRequest, gutter_, qOverload<>(&QWidget::update));
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TGutterMemo::OnVericalScroll);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TGutterMemo::OnHorizontalScroll);
  UpdateGutterLayout();
}

void TGutterMemo::SetGutterSize(quint16 pixels) {
  gutterSize_ = pixels;
  UpdateGutterLayout();
}

void TGutterMemo::SetGutterColor(const QColor& color) {
  gutterColor_ = color;
  gutter_->repaint();
}

void TGutterMemo::SetGutterTextColor(const QColor& color) {
  gutterTextColor_ = color;
  gutter_->repaint();
}

std::string TGutterMemo::Text() const {
  std::string text;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin()) text += "\r\n";
    text += ToDisplayCodes(block.text());
  }
  return text;
}

void TGutterMemo::SetText(std::string_view codes) {
  if (codes.size() > kCapacity) throw std::runtime_error("Text exceeds memo capacity");
  QString text = ToDisplayText(codes);
  text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
  setPlainText(text);
}

std::vector<std::string> TGutterMemo::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(document()->blockCount()));
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    lines.push_back(ToDisplayCodes(block.text()));
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

void TGutterMemo::SetLines(const std::vector<std::string>& lines) { SetText(JoinLines(lines)); }

int TGutterMemo::LineCount() const {
  const int blocks = document()->blockCount();
  return document()->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

void TGutterMemo::DeleteLines(const std::vector<int>& indexes) {
  std::vector<int> descending = indexes;
  std::sort(descending.rbegin(), descending.rend());
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  for (int index : descending) {
    const QTextBlock block = document()->findBlockByNumber(index);
    cursor.setPosition(block.position());
    cursor.setPosition(
        block.next().isValid() ? block.next().position() : block.position() + block.length() - 1,
        QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  }
  cursor.endEditBlock();
}

void TGutterMemo::ReplaceSelection(std::string_view codes) {
  QTextCursor cursor = textCursor();
  document()->setUndoRedoEnabled(false);
  cursor.insertText(ToDisplayText(codes));
  document()->setUndoRedoEnabled(true);
  setTextCursor(cursor);
}

// Without word wrap every text line is one row. Lines that hold a glyph from
// a fallback font can be a little taller, so each number stands beside its
// own line; past the last line the rows go on at the font's height.
std::vector<TGutterMemo::GutterRow> TGutterMemo::GutterRows() const {
  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  std::vector<GutterRow> rows;
  for (int number = block.blockNumber() + 1; top < gutter_->height(); ++number) {
    const QTextLayout* layout = block.isValid() ? block.layout() : nullptr;
    const qreal rowHeight =
        layout && layout->lineCount() > 0 ? layout->lineAt(0).height() : fontMetrics().height();
    rows.push_back({number, QRect(0, qRound(top), gutterSize_ - 2, qRound(rowHeight))});
    top += rowHeight;
    if (block.isValid()) block = block.next();
  }
  return rows;
}

void TGutterMemo::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  UpdateGutterLayout();
}

// Keys that type text go through the display-code map; everything else
// (editing keys, shortcuts, Tab and Return) is the editor's own.
void TGutterMemo::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                        !(event->modifiers() & Qt::AltModifier);
  if (isReadOnly() || typed.isEmpty() || !typed.front().isPrint() || shortcut)
    return QPlainTextEdit::keyPressEvent(event);
  const TypedText mapped = ReadTypedText(typed);
  if (mapped.text == typed) return QPlainTextEdit::keyPressEvent(event);
  if (!mapped.text.isEmpty()) insertPlainText(mapped.text);
  ReportRefused(mapped.refused);
  event->accept();
}

void TGutterMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

void TGutterMemo::inputMethodEvent(QInputMethodEvent* event) {
  const TypedText mapped = ReadTypedText(event->commitString());
  if (mapped.text == event->commitString()) return QPlainTextEdit::inputMethodEvent(event);
  QInputMethodEvent replaced(event->preeditString(), event->attributes());
  replaced.setCommitString(mapped.text, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&replaced);
  ReportRefused(mapped.refused);
}

void TGutterMemo::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QString text = source->text();
  text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
  const TypedText mapped = ReadTypedText(text);
  if (!mapped.text.isEmpty()) insertPlainText(mapped.text);
  ReportRefused(mapped.refused);
}

void TGutterMemo::ReportRefused(const QString& refused) {
  if (refused.isEmpty()) return;
  emit InputRefused("Not inserted, the calculator has no character " + NameCharacters(refused));
}

// The gutter lies over the left edge of the client area; the text area
// starts to its right, and the scroll bars keep their own room.
void TGutterMemo::UpdateGutterLayout() {
  setViewportMargins(gutterSize_, 0, 0, 0);
  const QRect area = contentsRect();
  gutter_->setGeometry(area.left(), area.top(), gutterSize_, area.height());
}

void TGutterMemo::PaintGutter() {
  QPainter painter(gutter_);
  painter.fillRect(gutter_->rect(), gutterColor_);
  painter.setFont(font());
  painter.setPen(gutterTextColor_);
  for (const GutterRow& row : GutterRows())
    painter.drawText(row.rect, Qt::AlignRight | Qt::AlignVCenter, QString::number(row.number));
}

}  // namespace orrikey
