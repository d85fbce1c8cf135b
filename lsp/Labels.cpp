// Going by labels: where a label is, what reaches it, renaming it, and the
// outline of programs and their labels.

#include "lsp/Features.h"
#include "text/CodePage.h"
#include "text/Comment.h"

namespace orrikey::lsp {
namespace {

constexpr int kModule = 2;
constexpr int kFunction = 12;
constexpr int kRead = 2;
constexpr int kWrite = 3;

ModelPlace PlaceAt(const Document& document, const Json& position) {
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) throw RequestError(kRequestFailed, "No program line here");
  return *at;
}

Json Location(const Document& document, const std::string& uri, size_t line) {
  return {{"uri", uri}, {"range", document.RangeOfLine(line)}};
}

// The name is the last of the instruction's words that spells it.
Range NameRange(const Document& document, size_t line, const std::string& name) {
  const std::string& codes = document.model().Codes(line);
  const std::string shown = text::DisplayCodesUtf8(text::WithoutComment(codes, text::Notation::kProgramText));
  const size_t found = shown.rfind(name);
  if (found == std::string::npos) return document.RangeOfLine(line);
  const size_t begin = CharacterAt(shown, found);
  return document.RangeOf(line, begin, begin + CharacterAt(name, name.size()));
}

}  // namespace

Json DefinitionAt(const Document& document, const std::string& uri, const Json& position) {
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) return nullptr;
  const std::optional<size_t> line = document.model().DefinitionAt(at->line);
  if (!line) return nullptr;
  return Location(document, uri, *line);
}

Json ReferencesAt(const Document& document, const std::string& uri, const Json& position,
                  bool withDefinition) {
  Json locations = Json::array();
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) return locations;
  const std::vector<size_t> uses = document.model().UsesAt(at->line);
  for (size_t i = withDefinition ? 0 : 1; i < uses.size(); ++i)
    locations.push_back(Location(document, uri, uses[i]));
  return locations;
}

// The definition comes first among the uses.
Json HighlightsAt(const Document& document, const Json& position) {
  Json highlights = Json::array();
  const std::optional<ModelPlace> at = document.ModelAt(position);
  if (!at) return highlights;
  const std::vector<size_t> uses = document.model().UsesAt(at->line);
  for (size_t i = 0; i < uses.size(); ++i)
    highlights.push_back({{"range", document.RangeOfLine(uses[i])}, {"kind", i == 0 ? kWrite : kRead}});
  return highlights;
}

Json PrepareRenameAt(const Document& document, const Json& position) {
  const ModelPlace at = PlaceAt(document, position);
  const std::optional<std::string> name = document.model().LabelNameAt(at.line);
  if (!name) throw RequestError(kRequestFailed, document.model().RenameAt(at.line, "").refusal);
  return {{"range", NameRange(document, at.line, *name)}, {"placeholder", *name}};
}

Json RenameAt(const Document& document, const std::string& uri, const Json& position,
              const std::string& name) {
  const ModelPlace at = PlaceAt(document, position);
  const editing::RenameResult result = document.model().RenameAt(at.line, name);
  if (!result.refusal.empty()) throw RequestError(kRequestFailed, result.refusal);
  Json edits = Json::array();
  for (const editing::LineEdit& edit : result.edits)
    edits.push_back({{"range", document.RangeOfLine(edit.line)}, {"newText", edit.text}});
  return {{"changes", {{uri, edits}}}};
}

Json SymbolsOf(const Document& document) {
  Json symbols = Json::array();
  for (const editing::OutlineProgram& program : document.model().Outline()) {
    Json labels = Json::array();
    for (const editing::OutlineLabel& label : program.labels) {
      const Range range = document.RangeOfLine(label.line);
      labels.push_back(
          {{"name", label.name}, {"kind", kFunction}, {"range", range}, {"selectionRange", range}});
    }
    const size_t last = std::max(program.first, program.end - 1);
    const Range range = {document.RangeOfLine(program.first).start, document.RangeOfLine(last).end};
    symbols.push_back({{"name", program.name},
                       {"detail", document.model().SizeOf(program.first) + ", " + program.needs},
                       {"kind", kModule},
                       {"range", range},
                       {"selectionRange", document.RangeOfLine(program.first)},
                       {"children", labels}});
  }
  return symbols;
}

}  // namespace orrikey::lsp
