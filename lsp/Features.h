#pragma once

// What the server answers of a document, each asked of its editing model.
// Positions and ranges are the client's; `uri` names the document in the
// locations and edits an answer holds.

#include <string>

#include "lsp/Document.h"
#include "lsp/Protocol.h"

namespace orrikey::lsp {

// The diagnostics to publish, as the JSON text of their array: errors,
// warnings, and notes as information.
std::string DiagnosticsOf(const Document& document);

Json HoverAt(const Document& document, const Json& position);
Json CompletionAt(const Document& document, const Json& position);

Json DefinitionAt(const Document& document, const std::string& uri, const Json& position);
Json ReferencesAt(const Document& document, const std::string& uri, const Json& position,
                  bool withDefinition);
Json HighlightsAt(const Document& document, const Json& position);
// Throw RequestError with the model's reason where no rename can be made.
Json PrepareRenameAt(const Document& document, const Json& position);
Json RenameAt(const Document& document, const std::string& uri, const Json& position,
              const std::string& name);
Json SymbolsOf(const Document& document);

// Quick fixes of the diagnostics on the lines of `range`.
Json CodeActionsIn(const Document& document, const std::string& uri, const Json& range);
// The calculator's spelling for every line written in a listing's.
Json Formatting(const Document& document);

}  // namespace orrikey::lsp
