// Hover and completion at the caret.

#include "encoder/Encoder.h"
#include "lsp/Features.h"

namespace orrikey::lsp {

// The help line, then the line's bytes, its step and its program's size.
Json HoverAt(const Document& document, const Json& position) {
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) return nullptr;
  const editing::ProgramModel& model = document.model();
  std::string text;
  if (const std::optional<std::string> help = model.HelpAt(at->line)) text.append(*help).append("\n\n");
  const encoder::AssembledLine& line = model.assembly().lines()[at->line].assembled;
  if (!line.failed() && !line.bytes.empty()) text.append("`").append(encoder::HexRow(line)).append("` ");
  const editing::Place place = model.PlaceOf(at->line);
  if (place.step > 0) text += "step " + std::to_string(place.step) + ", ";
  text += model.SizeOf(at->line);
  return {{"contents", {{"kind", "markdown"}, {"value", text}}}, {"range", document.RangeOfLine(at->line)}};
}

Json CompletionAt(const Document& document, const Json& position) {
  Json items = Json::array();
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) return items;
  const editing::Completion completion = document.model().CompletionsAt(at->line, at->column);
  const Range range = document.RangeOf(at->line, completion.start, at->column);
  for (const std::string& word : completion.words)
    items.push_back({{"label", word}, {"textEdit", {{"range", range}, {"newText", word}}}});
  return items;
}

}  // namespace orrikey::lsp
