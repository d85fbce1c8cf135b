// Diagnostics and the edits that fix them.

#include "lsp/Features.h"
#include "lsp/Transport.h"

namespace orrikey::lsp {
namespace {

int SeverityOf(editing::Severity severity) {
  switch (severity) {
    case editing::Severity::kError: return 1;
    case editing::Severity::kWarning: return 2;
    case editing::Severity::kNote: return 3;
  }
  return 1;
}

void AppendPublished(std::string& text, const Range& range, int severity, const std::string& message) {
  text.append(R"({"range":)");
  AppendJson(text, range);
  text.append(R"(,"severity":)").append(std::to_string(severity));
  text.append(R"(,"source":"orrikey","message":)").append(Dumped(message)).append("}");
}

void AppendPublished(std::string& text, const Document& document, const editing::Diagnostic& diagnostic) {
  AppendPublished(text, document.RangeOf(diagnostic.line, diagnostic.begin, diagnostic.end),
                  SeverityOf(diagnostic.severity), diagnostic.message);
}

// A code action names its diagnostic as it was published, so that the
// client matches the two.
Json Published(const Document& document, const editing::Diagnostic& diagnostic) {
  std::string text;
  AppendPublished(text, document, diagnostic);
  return Json::parse(text);
}

Json LineEdit(const Document& document, size_t line, const std::string& text) {
  return {{"range", document.RangeOfLine(line)}, {"newText", text}};
}

bool IsSpelling(const editing::Diagnostic& diagnostic) {
  return diagnostic.severity == editing::Severity::kNote && !diagnostic.fix.empty();
}

}  // namespace

std::string DiagnosticsOf(const Document& document) {
  std::string found = "[";
  for (const RefusedLine& refused : document.refused()) {
    if (found.size() > 1) found += ',';
    AppendPublished(found, document.RangeOfDocumentLine(refused.line), 1, refused.reason);
  }
  for (const editing::Diagnostic& diagnostic : document.model().Diagnostics()) {
    if (found.size() > 1) found += ',';
    AppendPublished(found, document, diagnostic);
  }
  found += ']';
  return found;
}

Json CodeActionsIn(const Document& document, const std::string& uri, const Json& range) {
  Json actions = Json::array();
  const std::optional<ModelPlace> start = document.ModelAt(range.at("start"));
  const std::optional<ModelPlace> end = document.ModelAt(range.at("end"));
  if (!start || !end) return actions;
  for (size_t line = start->line; line <= end->line; ++line) {
    for (const editing::Diagnostic& diagnostic : document.model().DiagnosticsOn(line)) {
      if (diagnostic.fix.empty()) continue;
      actions.push_back(
          {{"title", diagnostic.message},
           {"kind", "quickfix"},
           {"isPreferred", true},
           {"diagnostics", Json::array({Published(document, diagnostic)})},
           {"edit", {{"changes", {{uri, Json::array({LineEdit(document, line, diagnostic.fix)})}}}}}});
    }
  }
  return actions;
}

Json Formatting(const Document& document) {
  Json edits = Json::array();
  for (const editing::Diagnostic& diagnostic : document.model().Diagnostics())
    if (IsSpelling(diagnostic)) edits.push_back(LineEdit(document, diagnostic.line, diagnostic.fix));
  return edits;
}

}  // namespace orrikey::lsp
