// Diagnostics and the edits that fix them.

#include "lsp/Features.h"

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

Json Published(const Json& range, int severity, const std::string& message) {
  return {{"range", range}, {"severity", severity}, {"source", "orrikey"}, {"message", message}};
}

Json Published(const Document& document, const editing::Diagnostic& diagnostic) {
  return Published(document.RangeOf(diagnostic.line, diagnostic.begin, diagnostic.end),
                   SeverityOf(diagnostic.severity), diagnostic.message);
}

Json LineEdit(const Document& document, size_t line, const std::string& text) {
  return {{"range", document.RangeOfLine(line)}, {"newText", text}};
}

bool IsSpelling(const editing::Diagnostic& diagnostic) {
  return diagnostic.severity == editing::Severity::kNote && !diagnostic.fix.empty();
}

}  // namespace

Json DiagnosticsOf(const Document& document) {
  Json found = Json::array();
  for (const RefusedLine& refused : document.refused())
    found.push_back(Published(document.RangeOfDocumentLine(refused.line), 1, refused.reason));
  for (const editing::Diagnostic& diagnostic : document.model().Diagnostics())
    found.push_back(Published(document, diagnostic));
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
      actions.push_back({{"title", diagnostic.message},
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
