#include "editing/TypedText.h"

#include "text/CodePage.h"
#include "text/Utf8.h"

namespace orrikey::editing {

TypedText ReadTypedText(std::string_view utf8) {
  TypedText read;
  read.codes.reserve(utf8.size());
  size_t column = 0;
  const auto refuse = [&](char32_t c) {
    if (read.refused == 0) read.refused = c, read.refusedColumn = column;
  };
  for (size_t i = 0; i < utf8.size(); ++column) {
    // A lone surrogate of a page's string arrives as no UTF-8 at all.
    const auto c = text::ReadUtf8Char(utf8.substr(i));
    i += c ? c->length : 1;
    const auto code = c ? text::TypedDisplayCode(c->c) : std::nullopt;
    if (code) read.codes += static_cast<char>(*code);
    else refuse(c ? c->c : U'\uFFFD');
  }
  return read;
}

}  // namespace orrikey::editing
