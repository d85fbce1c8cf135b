#include "ui/ProgramHighlighter.h"

#include "tables/Tables.h"
#include "text/Comment.h"
#include "ui/CodeEditor.h"
#include "ui/DisplayCodes.h"
#include "ui/LiveAssembly.h"
#include "ui/Look.h"

#include <QPalette>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace orrikey {
namespace {

// A line's colours are known while its state is this; a new or changed
// line has the document's -1.
constexpr int kColoured = 0;

// Hues told apart at a glance, made light or dark to read on the pane.
constexpr int kInstructionHue = 215;  // blue
constexpr int kNumberHue = 285;       // violet
constexpr int kQuotedHue = 130;       // green

QTextCharFormat Coloured(const QColor& colour) {
  QTextCharFormat format;
  format.setForeground(colour);
  return format;
}

qsizetype CommentStart(const QString& text) {
  const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
  return qsizetype(std::min(text::SplitLine(line, text::Notation::kProgramText).comment, line.size()));
}

// One format a character; runs of the same format become one range, and
// characters left plain none.
QList<QTextLayout::FormatRange> Ranges(const std::vector<QTextCharFormat>& formats) {
  QList<QTextLayout::FormatRange> ranges;
  for (size_t i = 0; i < formats.size();) {
    const size_t start = i;
    while (i < formats.size() && formats[i] == formats[start]) ++i;
    if (formats[start] != QTextCharFormat()) ranges.append({int(start), int(i - start), formats[start]});
  }
  return ranges;
}

}  // namespace

ProgramHighlighter::ProgramHighlighter(CodeEditor* editor, const LiveAssembly& assembly)
    : QObject(editor), editor_(editor), assembly_(assembly) {
  chooseColours();
  connect(editor->document(), &QTextDocument::contentsChange, this, &ProgramHighlighter::forgetColours);
  editor->installEventFilter(this);
  editor->viewport()->installEventFilter(this);
}

void ProgramHighlighter::chooseColours() {
  const QPalette& palette = editor_->palette();
  const QColor base = palette.color(QPalette::Base);
  instruction_ = Coloured(ContrastingColor(kInstructionHue, base));
  label_ = instruction_;
  label_.setFontWeight(QFont::Bold);
  number_ = Coloured(ContrastingColor(kNumberHue, base));
  quoted_ = Coloured(ContrastingColor(kQuotedHue, base));
  comment_ = Coloured(palette.color(QPalette::PlaceholderText));
  comment_.setFontItalic(true);
}

// A new palette, such as the desktop turning dark, colours every line anew.
bool ProgramHighlighter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_->viewport() && event->type() == QEvent::Paint) colourShownLines();
  if (watched == editor_ && event->type() == QEvent::PaletteChange) {
    chooseColours();
    forgetColours(0, 0, editor_->document()->characterCount());
  }
  return QObject::eventFilter(watched, event);
}

// A changed line is coloured again, as its text or its failing may differ.
void ProgramHighlighter::forgetColours(int position, int, int added) {
  const QTextDocument* document = editor_->document();
  const QTextBlock end = document->findBlock(position + added);
  for (QTextBlock block = document->findBlock(position); block.isValid(); block = block.next()) {
    block.setUserState(-1);
    if (block == end) break;
  }
}

// Colours set on a line's layout take effect once the document lays the
// line out again.
void ProgramHighlighter::colourShownLines() {
  QTextDocument* document = editor_->document();
  const QTextBlock last = editor_->cursorForPosition(QPoint(0, editor_->viewport()->height())).block();
  for (QTextBlock block = editor_->cursorForPosition(QPoint(0, 0)).block(); block.isValid();
       block = block.next()) {
    if (block.userState() != kColoured) {
      block.setUserState(kColoured);
      const QList<QTextLayout::FormatRange> ranges = coloursOf(block);
      if (ranges != block.layout()->formats()) {
        block.layout()->setFormats(ranges);
        document->markContentsDirty(block.position(), block.length());
      }
    }
    if (block == last) break;
  }
}

QList<QTextLayout::FormatRange> ProgramHighlighter::coloursOf(const QTextBlock& block) const {
  // A number is a word of its own: 4STK and 1/X are instructions.
  static const QString numberWord = uR"([-+]?(\d+\.?\d*|\.\d+)(ᴇ[-+]?\d*)?(?!\S))"_qs;
  static const QRegularExpression number(uR"((?<!\S))"_qs + numberWord);
  static const QRegularExpression instruction(uR"(^\s*(?!)"_qs + numberWord + uR"()[^\s"]+)"_qs);
  static const QRegularExpression quoted("\"[^\"]*\"?");
  static const QString labelName = ToDisplayText(tables::LabelDefinition().name);

  const QString text = block.text();
  std::vector<QTextCharFormat> formats(size_t(text.size()));
  const auto setFormat = [&](qsizetype start, qsizetype length, const QTextCharFormat& format) {
    std::fill_n(formats.begin() + start, length, format);
  };
  const qsizetype comment = CommentStart(text);
  const QStringView code = QStringView(text).left(comment);
  for (auto it = number.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(match.capturedStart(), match.capturedLength(), number_);
  }
  if (const auto match = instruction.match(code); match.hasMatch()) {
    const bool label = match.capturedView().trimmed() == labelName;
    setFormat(match.capturedStart(), match.capturedLength(), label ? label_ : instruction_);
  }
  for (auto it = quoted.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(match.capturedStart(), match.capturedLength(), quoted_);
  }
  setFormat(comment, text.size() - comment, comment_);

  // What an error names is underlined. An error is the line's own, so the
  // underline changes only with the line; warnings depend on other lines and
  // are left to the markers.
  for (const editing::Diagnostic& diagnostic : assembly_.model().DiagnosticsOn(size_t(block.blockNumber()))) {
    if (diagnostic.severity != editing::Severity::kError) continue;
    for (size_t i = diagnostic.begin; i < diagnostic.end && i < formats.size(); ++i) {
      formats[i].setUnderlineStyle(QTextCharFormat::WaveUnderline);
      formats[i].setUnderlineColor(editor_->markerColor(false));
    }
  }
  return Ranges(formats);
}

}  // namespace orrikey
