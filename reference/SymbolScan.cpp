#include "reference/SymbolScan.h"

#include <charconv>

#include "text/Comment.h"
#include "text/Pattern.h"

namespace orrikey::reference {

namespace {

// The name patterns start with "(?s)": a name may hold byte 0x85 (Σ), which
// "." would otherwise take for a line break.
const text::Pattern& RegisterPattern() {
  static const text::Pattern pattern(R"(STO\s[0-9]{2}|STO[+\x2Dx\xa0]\s[0-9]{2})");
  return pattern;
}

const text::Pattern& VariablePattern() {
  static const text::Pattern pattern(R"((?s)STO\s".+"|STO[+\x2Dx\xa0]\s".+")");
  return pattern;
}

const text::Pattern& MenuVariablePattern() {
  static const text::Pattern pattern(R"((?s)MVAR\s".+")");
  return pattern;
}

const text::Pattern& LocalLabelPattern() {
  static const text::Pattern pattern(R"(LBL\s[A-Ja-e]{1}$|LBL\s[A-Ja-e]{1}\s)");
  return pattern;
}

const text::Pattern& NumberedLabelPattern() {
  static const text::Pattern pattern(R"(LBL\s[0-9]{2})");
  return pattern;
}

const text::Pattern& NamedLabelPattern() {
  static const text::Pattern pattern(R"((?s)LBL\s".+")");
  return pattern;
}

// Every pattern that finds a number ends in its two digits.
std::string_view LastTwo(std::string_view match) { return match.substr(match.size() - 2); }

// The instruction words before a name hold no quote, so the name runs from
// the match's first quote to its end (to the line's last quote: ".+" is greedy).
std::string_view QuotedName(std::string_view match) { return match.substr(match.find('"')); }

std::string Entry(std::string_view prefix, std::string_view symbol, std::string_view tabs,
                  std::string_view lineNumber) {
  std::string entry;
  entry.reserve(prefix.size() + symbol.size() + tabs.size() + 6 + lineNumber.size());
  entry.append(prefix).append(symbol).append(tabs).append(" Line ").append(lineNumber);
  return entry;
}

// Short names get a second tab so that the line numbers line up.
std::string_view TabsAfterName(std::string_view quotedName) { return quotedName.size() > 3 ? "\t" : "\t\t"; }

}  // namespace

std::string LineNumberText(size_t n) {
  std::string digits = std::to_string(n);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

std::vector<std::string> ScanSymbols(const std::vector<std::string>& lines, ScanKinds kinds) {
  std::vector<std::string> entries;
  for (size_t index = 0; index < lines.size(); ++index) {
    const std::string_view line = text::WithoutComment(lines[index], text::Notation::kProgramText);
    const std::string number = LineNumberText(index + 1);
    auto addName = [&](std::string_view prefix, std::string_view match) {
      const std::string_view name = QuotedName(match);
      entries.push_back(Entry(prefix, name, TabsAfterName(name), number));
    };
    if (kinds.registers) {
      if (auto match = RegisterPattern().Search(line))
        entries.push_back(Entry("Reg  ", LastTwo(*match), "\t\t", number));
    }
    if (kinds.variables) {
      if (auto match = VariablePattern().Search(line)) addName("Var ", *match);
    }
    if (kinds.menuVariables) {
      if (auto match = MenuVariablePattern().Search(line)) addName("Mvr ", *match);
    }
    if (kinds.labels) {
      if (auto match = LocalLabelPattern().Search(line))
        entries.push_back(Entry("Lbl  ", match->substr(4, 1), "\t\t", number));
      if (auto match = NumberedLabelPattern().Search(line))
        entries.push_back(Entry("Lbl  ", LastTwo(*match), "\t\t", number));
      if (auto match = NamedLabelPattern().Search(line)) addName("Lbl ", *match);
    }
  }
  return entries;
}

std::optional<JumpTarget> JumpTargetFor(std::string_view selection, size_t lineCount) {
  const auto isSpace = [](unsigned char c) { return c <= ' '; };
  while (!selection.empty() && isSpace(selection.front())) selection.remove_prefix(1);
  while (!selection.empty() && isSpace(selection.back())) selection.remove_suffix(1);
  if (selection.size() < 3) return std::nullopt;

  std::string_view digits = selection;
  const bool negative = digits.front() == '-';
  if (negative || digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  // A number too long to read is past the last line whatever the program.
  size_t n = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  const bool tooLong = error == std::errc::result_out_of_range;
  if (negative || (!tooLong && n == 0)) return JumpTarget{JumpTarget::Kind::TextStart};
  if (tooLong || n > lineCount) return JumpTarget{JumpTarget::Kind::TextEnd};
  return JumpTarget{JumpTarget::Kind::Line, n - 1};
}

}  // namespace orrikey::reference
