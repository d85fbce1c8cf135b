#include "encoder/Explaining.h"

#include <algorithm>

#include "encoder/LineForms.h"
#include "text/CalculatorNames.h"
#include "text/CodePage.h"

namespace orrikey::encoder {
namespace {

// Names and operands a line holds may run long; a message shows their start.
void AppendShown(std::string& out, std::string_view codes) {
  constexpr size_t kLongest = 24;
  text::AppendDisplayCodesUtf8(out, codes.substr(0, kLongest));
  if (codes.size() > kLongest) out += "…";
}

}  // namespace

Fault Mark(std::string_view line, std::string_view marked, std::string message) {
  const auto begin = static_cast<size_t>(marked.data() - line.data());
  return {begin, begin + marked.size(), std::move(message)};
}

std::string Shown(std::string_view codes) {
  std::string shown;
  AppendShown(shown, codes);
  return shown;
}

std::string ShownName(std::string_view name) {
  std::string named(name);
  text::UseCalculatorName(named);
  return Shown(named);
}

std::string Quoted(std::string_view codes) {
  std::string quoted = "\"";
  AppendShown(quoted, codes);
  quoted += '"';
  return quoted;
}

size_t FirstBlank(std::string_view text) {
  return static_cast<size_t>(std::find_if(text.begin(), text.end(), IsBlank) - text.begin());
}

std::string_view LeadingBlanks(std::string_view text) {
  return text.substr(0,
                     static_cast<size_t>(std::find_if_not(text.begin(), text.end(), IsBlank) - text.begin()));
}

std::string Padded(unsigned n, size_t digits) {
  std::string text = std::to_string(n);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

unsigned DecimalValue(std::string_view digits) {
  constexpr unsigned kCeiling = 1'000'000;
  unsigned n = 0;
  for (char digit : digits) n = std::min(n * 10 + static_cast<unsigned>(digit - '0'), kCeiling);
  return n;
}

Fault ExplainUnclosed(std::string_view line, std::string_view text, std::string_view what) {
  const size_t close = text.rfind('"');
  std::string_view after =
      close == 0 || close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
  after.remove_prefix(LeadingBlanks(after).size());
  if (after.empty()) return Mark(line, text, "unclosed " + std::string(what));
  return Mark(line, after, "unexpected " + Quoted(after) + " after the " + std::string(what));
}

}  // namespace orrikey::encoder
