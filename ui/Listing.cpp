#include "ui/Listing.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace orrikey {
namespace {

const QRegularExpression& NumberedLine() {
  static const QRegularExpression pattern("^\\s*\\d+(\\s*▸|\\s)\\s*(?=\\S)");
  return pattern;
}

const QRegularExpression& Header() {
  static const QRegularExpression pattern("^\\s*\\d*\\s*\\{\\s*\\d+-Byte Prgm\\s*\\}\\s*$");
  return pattern;
}

const QRegularExpression& CommentLine() {
  static const QRegularExpression pattern("^\\s*(@|#|;|//)");
  return pattern;
}

// Most instruction lines numbered: program text has numbers of its own, but
// rarely on most of its lines.
bool Numbered(const QStringList& lines) {
  int numbered = 0, counted = 0;
  for (const QString& line : lines) {
    if (line.trimmed().isEmpty() || Header().match(line).hasMatch() ||
        CommentLine().match(line).hasMatch())
      continue;
    ++counted;
    if (NumberedLine().match(line).hasMatch()) ++numbered;
  }
  return counted > 0 && numbered * 5 >= counted * 4;
}

}  // namespace

bool LooksLikeListing(QStringView text) {
  static const QRegularExpression glyphs("[▸×ᴇ├Σ→←↑≤≥≠“”]|\\[LF\\]|\\[ESC\\]");
  const QStringList lines = text.toString().split(u'\n');
  return Numbered(lines) || glyphs.match(text).hasMatch() ||
         std::ranges::any_of(lines, [](const QString& line) {
           return Header().match(line).hasMatch();
         });
}

}  // namespace orrikey
