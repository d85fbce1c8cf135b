#include "ui/ProgramHighlighter.h"

#include "encoder/Encoder.h"
#include "text/Comment.h"
#include "ui/DisplayCodes.h"

#include <QGuiApplication>
#include <QPalette>
#include <QRegularExpression>

#include <algorithm>

namespace orrikey {
namespace {

QTextCharFormat Colored(QPalette::ColorRole role) {
  QTextCharFormat format;
  format.setForeground(QGuiApplication::palette().color(role));
  return format;
}

qsizetype CommentStart(const QString& text) {
  const std::u16string_view line(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
  return qsizetype(std::min(text::SplitLine(line, text::Notation::kProgramText).comment, line.size()));
}

}  // namespace

ProgramHighlighter::ProgramHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void ProgramHighlighter::highlightBlock(const QString& text) {
  static const QRegularExpression instruction("^\\s*[^\\s\"0-9.+-][^\\s\"]*");
  static const QRegularExpression number("(?<![\\w.])[-+]?\\d+(\\.\\d*)?(ᴇ[-+]?\\d+)?");
  static const QRegularExpression quoted("\"[^\"]*\"?");

  const qsizetype comment = CommentStart(text);
  const QString code = text.left(comment);
  for (auto it = number.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(int(match.capturedStart()), int(match.capturedLength()),
              Colored(QPalette::LinkVisited));
  }
  if (const auto match = instruction.match(code); match.hasMatch()) {
    QTextCharFormat format = Colored(QPalette::Link);
    if (match.captured().trimmed() == u"LBL") format.setFontWeight(QFont::Bold);
    setFormat(int(match.capturedStart()), int(match.capturedLength()), format);
  }
  for (auto it = quoted.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(int(match.capturedStart()), int(match.capturedLength()),
              Colored(QPalette::Highlight));
  }
  QTextCharFormat commentFormat = Colored(QPalette::PlaceholderText);
  commentFormat.setFontItalic(true);
  setFormat(int(comment), int(text.size() - comment), commentFormat);

  // Encoding a line takes microseconds, so the highlighter asks the encoder
  // itself rather than wait for the window's summary.
  if (!encoder::AssembleLine(ToDisplayCodes(text)).failed()) return;
  for (int i = 0; i < code.size(); ++i) {
    QTextCharFormat marked = format(i);
    marked.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    marked.setUnderlineColor(Qt::red);
    setFormat(i, 1, marked);
  }
}

}  // namespace orrikey
