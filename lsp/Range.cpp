#include "lsp/Range.h"

namespace orrikey::lsp {
namespace {

void AppendJson(std::string& text, const Position& position) {
  text.append(R"({"line":)").append(std::to_string(position.line));
  text.append(R"(,"character":)").append(std::to_string(position.character)).append("}");
}

}  // namespace

void to_json(Json& json, const Position& position) {
  json = {{"line", position.line}, {"character", position.character}};
}

void to_json(Json& json, const Range& range) { json = {{"start", range.start}, {"end", range.end}}; }

void AppendJson(std::string& text, const Range& range) {
  text.append(R"({"start":)");
  AppendJson(text, range.start);
  text.append(R"(,"end":)");
  AppendJson(text, range.end);
  text.append("}");
}

}  // namespace orrikey::lsp
