#include "ui/ProgramHighlighter.h"

#include "text/Comment.h"
#include "ui/LiveAssembly.h"

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

ProgramHighlighter::ProgramHighlighter(QTextDocument* document, const LiveAssembly& assembly)
    : QSyntaxHighlighter(document),
      assembly_(assembly),
      instruction_(Colored(QPalette::Link)),
      label_(instruction_),
      number_(Colored(QPalette::LinkVisited)),
      quoted_(Colored(QPalette::Highlight)),
      comment_(Colored(QPalette::PlaceholderText)) {
  label_.setFontWeight(QFont::Bold);
  comment_.setFontItalic(true);
}

void ProgramHighlighter::highlightBlock(const QString& text) {
  static const QRegularExpression instruction("^\\s*[^\\s\"0-9.+-][^\\s\"]*");
  static const QRegularExpression number("(?<![\\w.])[-+]?\\d+(\\.\\d*)?(ᴇ[-+]?\\d+)?");
  static const QRegularExpression quoted("\"[^\"]*\"?");

  const qsizetype comment = CommentStart(text);
  const QStringView code = QStringView(text).left(comment);
  for (auto it = number.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(int(match.capturedStart()), int(match.capturedLength()), number_);
  }
  if (const auto match = instruction.match(code); match.hasMatch()) {
    const bool label = match.capturedView().trimmed() == u"LBL";
    setFormat(int(match.capturedStart()), int(match.capturedLength()), label ? label_ : instruction_);
  }
  for (auto it = quoted.globalMatch(code); it.hasNext();) {
    const auto match = it.next();
    setFormat(int(match.capturedStart()), int(match.capturedLength()), quoted_);
  }
  setFormat(int(comment), int(text.size() - comment), comment_);

  if (!assembly_.failsAt(currentBlock().blockNumber())) return;
  for (int i = 0; i < code.size(); ++i) {
    QTextCharFormat marked = format(i);
    marked.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    marked.setUnderlineColor(Qt::red);
    setFormat(i, 1, marked);
  }
}

}  // namespace orrikey
