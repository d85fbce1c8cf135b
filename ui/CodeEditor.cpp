#include "ui/CodeEditor.h"

#include "listing/PastedListing.h"
#include "programtext/EightBit.h"
#include "text/Trim.h"
#include "ui/Completer.h"
#include "ui/DisplayCodes.h"
#include "ui/LineNumbers.h"
#include "ui/Look.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <stdexcept>

namespace orrikey {

class CodeEditor::LineNumberArea : public QWidget {
 public:
  explicit LineNumberArea(CodeEditor* editor) : QWidget(editor), editor_(editor) {
    setObjectName("lineNumberArea");
  }

 protected:
  void paintEvent(QPaintEvent*) override { editor_->paintLineNumbers(); }
  bool event(QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString marker = editor_->markerAt(help->pos());
    if (marker.isEmpty()) QToolTip::hideText();
    else QToolTip::showText(help->globalPos(), WrapForToolTip(marker), this);
    return true;
  }

 private:
  CodeEditor* editor_;
};

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), lineNumberArea_(new LineNumberArea(this)) {
  // Every repaint of the text, scrolling included, redraws the numbers.
  connect(this, &QPlainTextEdit::updateRequest, lineNumberArea_, qOverload<>(&QWidget::update));
  connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::describeMarkers);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::describeMarkers);
  lineNumberArea_->setAccessibleName("Line numbers");
  updateLineNumberLayout();
}

void CodeEditor::setLineNumberWidth(int pixels) {
  lineNumberWidth_ = pixels;
  updateLineNumberLayout();
}

void CodeEditor::setNumberText(NumberSource source) {
  numberText_ = std::move(source);
  lineNumberArea_->update();
}

void CodeEditor::setMarkerSource(MarkerSource source) {
  markerSource_ = std::move(source);
  lineNumberArea_->update();
}

std::string CodeEditor::codes() const {
  std::string text;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
    if (block != document()->begin()) text += "\r\n";
    text += ToDisplayCodes(block.text());
  }
  return text;
}

namespace {

// In one pass over the codes: a whole program is one text.
QString ShownText(std::string_view codes) {
  QString text(qsizetype(codes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] != '\r') {
      *out++ = DisplayChar(static_cast<unsigned char>(codes[i]));
      continue;
    }
    *out++ = u'\n';
    if (i + 1 < codes.size() && codes[i + 1] == '\n') ++i;
  }
  text.truncate(out - text.constData());
  if (size_t(text.size()) > CodeEditor::kCapacity)
    throw std::runtime_error("The text is larger than the editor holds (" +
                             std::to_string(CodeEditor::kCapacity >> 20) + " MiB)");
  return text;
}

}  // namespace

size_t CodeEditor::HeldSize(std::string_view codes) {
  size_t lineBreaks = 0;
  for (size_t at = codes.find("\r\n"); at != std::string_view::npos; at = codes.find("\r\n", at + 2))
    ++lineBreaks;
  return codes.size() - lineBreaks;
}

// The document's own setter: the widget's would format every character of
// the new text once more. The rest is what the widget's does too.
void CodeEditor::setCodes(std::string_view codes) {
  document()->setPlainText(ShownText(codes));
  document()->setModified(false);
  setTextCursor(QTextCursor(document()));
}

std::vector<std::string> CodeEditor::lines() const {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(document()->blockCount()));
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
    lines.push_back(ToDisplayCodes(block.text()));
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

void CodeEditor::setLines(const std::vector<std::string>& lines) { setCodes(programtext::JoinLines(lines)); }

void CodeEditor::replaceLines(const std::vector<std::string>& lines) {
  const QString text = ShownText(programtext::JoinLines(lines));
  QTextCursor cursor(document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text);
}

int CodeEditor::lineCount() const {
  const int blocks = document()->blockCount();
  return document()->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

// From the raw text at once: a block's own text costs a search of the
// document per line.
std::vector<int> CodeEditor::blankLines() const {
  const QString text = document()->toRawText();
  std::vector<int> blank;
  int line = 0;
  for (QStringView row : QStringView(text).tokenize(QChar(QChar::ParagraphSeparator))) {
    if (text::Trim(ToDisplayCodes(row)).empty() && !(row.isEmpty() && line == lineCount()))
      blank.push_back(line);
    ++line;
  }
  return blank;
}

void CodeEditor::toggleComment() {
  const QTextCursor selection = textCursor();
  const QTextBlock first = document()->findBlock(selection.selectionStart());
  QTextBlock last = document()->findBlock(selection.selectionEnd());
  // A selection that ends at a line's start leaves that line out.
  if (selection.hasSelection() && last != first && selection.selectionEnd() == last.position())
    last = last.previous();
  const auto markAt = [](const QString& line) {
    const qsizetype text = line.indexOf(QRegularExpression("\\S"));
    return text >= 0 && line[text] == u'@' ? text : qsizetype(-1);
  };
  bool commented = true;
  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    if (!block.text().trimmed().isEmpty() && markAt(block.text()) < 0) commented = false;
    if (block == last) break;
  }
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  for (QTextBlock block = first; block.isValid(); block = block.next()) {
    const QString line = block.text();
    if (commented) {
      const qsizetype mark = markAt(line);
      if (mark >= 0) {
        cursor.setPosition(block.position() + int(mark));
        cursor.setPosition(block.position() + int(mark) + (line.mid(mark + 1, 1) == u" " ? 2 : 1),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
      }
    } else if (!line.trimmed().isEmpty()) {
      cursor.setPosition(block.position());
      cursor.insertText("@ ");
    }
    if (block == last) break;
  }
  cursor.endEditBlock();
}

void CodeEditor::deleteLines(const std::vector<int>& indexes) {
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

void CodeEditor::replaceSelection(std::string_view codes) { textCursor().insertText(ToDisplayText(codes)); }

void CodeEditor::insertLine(std::string_view codes) {
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  if (cursor.block().text().trimmed().isEmpty()) {
    cursor.movePosition(QTextCursor::StartOfBlock);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  } else {
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock();
  }
  cursor.insertText(ToDisplayText(codes));
  cursor.endEditBlock();
  setTextCursor(cursor);
}

void CodeEditor::selectLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  centerCursor();
}

// Without word wrap every text line is one row. Lines that hold a glyph from
// a fallback font can be a little taller, so each number stands beside its
// own line; past the last line there is nothing to number.
std::vector<LineNumberRow> CodeEditor::lineNumberRows() const {
  QTextBlock block = firstVisibleBlock();
  qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
  const int first = block.blockNumber();
  std::vector<LineNumberRow> rows;
  for (; block.isValid() && top < lineNumberArea_->height(); block = block.next()) {
    const QTextLayout* layout = block.layout();
    const qreal rowHeight =
        layout && layout->lineCount() > 0 ? layout->lineAt(0).height() : fontMetrics().height();
    rows.push_back(
        {block.blockNumber() + 1, QRect(0, qRound(top), lineNumberWidth_ - 2, qRound(rowHeight)), {}});
    top += rowHeight;
  }
  if (numberText_) {
    const QStringList texts = numberText_(first, int(rows.size()));
    for (size_t row = 0; row < rows.size() && int(row) < texts.size(); ++row)
      rows[row].text = texts[int(row)];
  }
  return rows;
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  updateLineNumberLayout();
}

// Keys that type text go through the display-code map; everything else
// (editing keys, shortcuts, Tab and Return) is the editor's own.
void CodeEditor::keyPressEvent(QKeyEvent* event) {
  // The open completion list chooses or closes with these itself.
  if (completer_ && completer_->takesKey(event)) return event->ignore();
  if (event->key() == Qt::Key_Escape) emit escapePressed();
  typeKey(event);
  if (completer_) completer_->keyHandled(event);
}

void CodeEditor::typeKey(QKeyEvent* event) {
  const QString typed = event->text();
  const bool shortcut = (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) &&
                        !(event->modifiers() & Qt::AltModifier);
  if (isReadOnly() || typed.isEmpty() || !typed.front().isPrint() || shortcut)
    return QPlainTextEdit::keyPressEvent(event);
  const TypedText mapped = ReadTypedText(typed);
  if (mapped.text == typed) return QPlainTextEdit::keyPressEvent(event);
  if (!mapped.text.isEmpty()) insertPlainText(mapped.text);
  reportRefused(mapped.refused);
  event->accept();
}

void CodeEditor::setCompletionSource(Completer::Source source) {
  delete completer_;
  completer_ = new Completer(this, std::move(source));
}

bool CodeEditor::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip || !helpSource_) return QPlainTextEdit::viewportEvent(event);
  auto* help = static_cast<QHelpEvent*>(event);
  const QTextBlock block = cursorForPosition(help->pos()).block();
  const bool onText = blockBoundingGeometry(block).translated(contentOffset()).contains(help->pos());
  const QString text = onText ? helpSource_(block.blockNumber()) : QString();
  if (text.isEmpty()) QToolTip::hideText();
  else QToolTip::showText(help->globalPos(), WrapForToolTip(text), viewport());
  return true;
}

void CodeEditor::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

void CodeEditor::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) emit ctrlClicked();
}

// The window zooms all panes together, so that their rows stay level.
void CodeEditor::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) return QPlainTextEdit::wheelEvent(event);
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) emit zoomRequested(steps);
  event->accept();
}

void CodeEditor::inputMethodEvent(QInputMethodEvent* event) {
  const TypedText mapped = ReadTypedText(event->commitString());
  if (mapped.text == event->commitString()) return QPlainTextEdit::inputMethodEvent(event);
  QInputMethodEvent replaced(event->preeditString(), event->attributes());
  replaced.setCommitString(mapped.text, event->replacementStart(), event->replacementLength());
  QPlainTextEdit::inputMethodEvent(&replaced);
  reportRefused(mapped.refused);
}

// Dropped files are left to the window, which opens them.
bool CodeEditor::canInsertFromMimeData(const QMimeData* source) const {
  return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void CodeEditor::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText() || source->hasUrls()) return;
  QString text = source->text();
  text.replace(u"\r\n"_qs, u"\n"_qs).replace(u'\r', u'\n');
  if (readsListings_) {
    if (const auto pasted = listing::ReadPastedListing(text.toStdString())) {
      text = QString::fromStdString(pasted->text);
      if (pasted->firstRefused) emit inputRefused(QString::fromStdString(pasted->message()));
    }
  }
  const TypedText mapped = ReadTypedText(text);
  if (!mapped.text.isEmpty()) insertPlainText(mapped.text);
  reportRefused(mapped.refused);
}

void CodeEditor::reportRefused(const QString& refused) {
  if (refused.isEmpty()) return;
  emit inputRefused("Not inserted, the calculator has no character " + NameCharacters(refused));
}

// The line-number area lies over the left edge of the client area; the text
// area starts to its right, and the scroll bars keep their own room.
void CodeEditor::updateLineNumberLayout() {
  setViewportMargins(lineNumberWidth_, 0, 0, 0);
  const QRect area = contentsRect();
  lineNumberArea_->setGeometry(area.left(), area.top(), lineNumberWidth_, area.height());
}

QString CodeEditor::marker(int line) const {
  return markerSource_ && line < document()->blockCount() ? markerSource_(line).text : QString();
}

QString CodeEditor::spokenMarker(int line) const {
  if (!markerSource_ || line >= document()->blockCount()) return {};
  const Marker marker = markerSource_(line);
  if (marker.text.isEmpty()) return {};
  QString where = QString("line %1").arg(line + 1);
  const QStringList number = numberText_ ? numberText_(line, 1) : QStringList();
  if (!number.isEmpty() && !number.front().trimmed().isEmpty())
    where += QString(" (step %1)").arg(number.front().toInt());
  return QString("%1: %2: %3").arg(where, marker.warning ? "warning" : "error", marker.text);
}

// Kept current as the text, the markers, the caret and the view change.
void CodeEditor::describeMarkers() {
  QStringList shown;
  for (const LineNumberRow& row : lineNumberRows())
    if (const QString spoken = spokenMarker(row.number - 1); !spoken.isEmpty()) shown += spoken;
  const QString inView = shown.join(u'\n');
  if (lineNumberArea_->accessibleDescription() != inView) lineNumberArea_->setAccessibleDescription(inView);
  const QString atCaret = spokenMarker(textCursor().blockNumber());
  if (accessibleDescription() != atCaret) setAccessibleDescription(atCaret);
}

QString CodeEditor::markerAt(QPoint position) const {
  for (const LineNumberRow& row : lineNumberRows())
    if (row.rect.top() <= position.y() && position.y() <= row.rect.bottom()) return marker(row.number - 1);
  return {};
}

void CodeEditor::paintLineNumbers() {
  PaintLineNumbers(lineNumberArea_, lineNumberRows(), [this](int number) {
    if (!markerSource_ || number > document()->blockCount()) return QColor();
    const Marker marker = markerSource_(number - 1);
    if (marker.text.isEmpty()) return QColor();
    return markerColor(marker.warning);
  });
}

QColor CodeEditor::markerColor(bool warning) const {
  return ContrastingColor(warning ? 30 : 0, palette().color(QPalette::Base));
}

}  // namespace orrikey
