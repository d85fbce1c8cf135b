#pragma once

// A place and a stretch of the client's text, in its lines and its columns,
// and the JSON the protocol gives them: as a value for the answers built as
// JSON, and as text for the diagnostics, which are written as text.

#include <cstddef>
#include <string>

#include "lsp/Protocol.h"

namespace orrikey::lsp {

struct Position {
  size_t line = 0;
  size_t character = 0;
};

struct Range {
  Position start;
  Position end;
};

void to_json(Json& json, const Position& position);
void to_json(Json& json, const Range& range);

void AppendJson(std::string& text, const Range& range);

}  // namespace orrikey::lsp
