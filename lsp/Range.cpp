#include "lsp/Range.h"

namespace orrikey::lsp {

void to_json(Json& json, const Position& position) {
  json = {{"line", position.line}, {"character", position.character}};
}

void to_json(Json& json, const Range& range) { json = {{"start", range.start}, {"end", range.end}}; }

}  // namespace orrikey::lsp
