#include "ui/Listing.h"

#include "ui/DisplayCodes.h"

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

// Outside quoted text "×" is the multiplication of instruction names, and
// ";" or "//" starts a comment, which program text starts with "@".
QString InstructionSpelling(const QString& line) {
  QString result;
  bool quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (c == u'"') quoted = !quoted;
    if (!quoted && (c == u';' || QStringView(line).sliced(i).startsWith(u"//")))
      return result.trimmed() + " @" + line.sliced(i + (c == u';' ? 1 : 2));
    result += !quoted && c == u'×' ? QChar(u'x') : c;
  }
  return result;
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

ListingText ReadListing(QStringView text) {
  static const QRegularExpression exponent("^([-+]?[0-9.]+)[eE]([-+]?\\d+)$");
  QStringList lines = text.toString().split(QRegularExpression("\r\n|\r|\n"));
  const bool numbered = Numbered(lines);
  ListingText program;
  for (QString line : lines) {
    if (Header().match(line).hasMatch()) continue;
    // Comment lines are dropped: program text takes them for instructions.
    if (CommentLine().match(line).hasMatch()) continue;
    if (numbered) line.remove(NumberedLine());
    line = line.trimmed();
    if (line == u".END.") line = u"END"_qs;
    line.replace(exponent, u"\\1ᴇ\\2"_qs);
    line.replace(u'“', u'"').replace(u'”', u'"');
    line.replace(u"[LF]"_qs, u"␊"_qs).replace(u"[ESC]"_qs, u"␛"_qs);
    const TypedText typed = ReadTypedText(InstructionSpelling(line));
    program.lines.push_back(ToDisplayCodes(typed.text));
    program.refused += typed.refused;
  }
  while (!program.lines.empty() && program.lines.back().empty()) program.lines.pop_back();
  return program;
}

}  // namespace orrikey
