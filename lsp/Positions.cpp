#include "lsp/Positions.h"

#include "text/Utf8.h"

namespace orrikey::lsp {
namespace {

struct Step {
  size_t bytes;
  size_t units;  // of UTF-16
};

// A byte that starts no valid character counts as one, as the model reads it.
Step StepAt(std::string_view line, size_t byte) {
  const auto c = text::ReadUtf8Char(line.substr(byte));
  if (!c) return {1, 1};
  return {c->length, c->c >= 0x10000 ? size_t{2} : size_t{1}};
}

size_t UnitsOf(const Step& step, Encoding encoding) {
  return encoding == Encoding::kUtf8 ? step.bytes : step.units;
}

}  // namespace

size_t ByteAt(std::string_view line, size_t column, Encoding encoding) {
  size_t byte = 0;
  for (size_t units = 0; byte < line.size() && units < column;) {
    const Step step = StepAt(line, byte);
    byte += step.bytes;
    units += UnitsOf(step, encoding);
  }
  return byte;
}

size_t ColumnAt(std::string_view line, size_t byte, Encoding encoding) {
  size_t units = 0;
  for (size_t at = 0; at < byte && at < line.size();) {
    const Step step = StepAt(line, at);
    at += step.bytes;
    units += UnitsOf(step, encoding);
  }
  return units;
}

size_t CharacterAt(std::string_view line, size_t byte) {
  size_t characters = 0;
  for (size_t at = 0; at < byte && at < line.size(); ++characters) at += StepAt(line, at).bytes;
  return characters;
}

size_t ByteOfCharacter(std::string_view line, size_t character) {
  size_t byte = 0;
  for (size_t n = 0; n < character && byte < line.size(); ++n) byte += StepAt(line, byte).bytes;
  return byte;
}

}  // namespace orrikey::lsp
