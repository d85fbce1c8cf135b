#include "lsp/Server.h"

#include <string_view>

#include "lsp/Features.h"

namespace orrikey::lsp {
namespace {

// Messages read ahead at most, to find the cancellations among them.
constexpr size_t kReadAhead = 64;

bool IsId(const Json& id) { return id.is_number_integer() || id.is_string(); }

bool OffersUtf8(const Json& params) {
  static const Json::json_pointer encodings("/capabilities/general/positionEncodings");
  if (!params.contains(encodings)) return false;
  const Json& offered = params.at(encodings);
  return offered.is_array() && std::find(offered.begin(), offered.end(), "utf-8") != offered.end();
}

// The calculators every document is checked for: initializationOptions'
// target, "today" (the default) or "hp42s".
needs::Target TargetOf(const Json& params) {
  static const Json::json_pointer option("/initializationOptions/target");
  if (!params.contains(option)) return needs::Target::kToday;
  const Json& name = params.at(option);
  const std::optional<needs::Target> target =
      name.is_string() ? needs::TargetNamed(name.get_ref<const std::string&>()) : std::nullopt;
  if (!target) throw RequestError(kInvalidParams, "The target is \"today\" or \"hp42s\"");
  return *target;
}

Json Capabilities(Encoding encoding) {
  return {{"positionEncoding", encoding == Encoding::kUtf8 ? "utf-8" : "utf-16"},
          {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
          {"hoverProvider", true},
          {"completionProvider", Json::object()},
          {"definitionProvider", true},
          {"referencesProvider", true},
          {"documentHighlightProvider", true},
          {"renameProvider", {{"prepareProvider", true}}},
          {"documentSymbolProvider", true},
          {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
          {"documentFormattingProvider", true}};
}

const std::string& UriOf(const Json& params) {
  return params.at("textDocument").at("uri").get_ref<const std::string&>();
}

}  // namespace

Server::Server(std::istream& in, std::ostream& out, std::ostream& log, std::string version)
    : reader_(in), out_(out), log_(log), version_(std::move(version)) {}

int Server::Run() {
  while (!ended_) {
    if (queue_.empty() && !ReadOne()) break;
    while (queue_.size() < kReadAhead && reader_.HasMore() && ReadOne()) {
    }
    if (queue_.empty()) continue;
    const Incoming incoming = std::move(queue_.front());
    queue_.pop_front();
    Handle(incoming);
  }
  return shutDown_ ? 0 : 1;
}

// A cancellation is taken as it is read, so it reaches the request it
// cancels while that still waits.
bool Server::ReadOne() {
  std::optional<Frame> frame = reader_.Next();
  if (!frame) return false;
  Incoming incoming;
  if (!frame->error.empty()) {
    incoming.error = kInvalidRequest;
    incoming.reason = frame->error;
  } else {
    incoming.message = Json::parse(frame->body, nullptr, false);
    if (incoming.message.is_discarded())
      incoming.error = kParseError, incoming.reason = "The message is no JSON";
  }
  const Json& message = incoming.message;
  if (message.is_object() && message.contains("method") && message["method"] == "$/cancelRequest" &&
      message.contains("params") && message["params"].is_object() && message["params"].contains("id")) {
    Cancel(message["params"]["id"]);
    return true;
  }
  queue_.push_back(std::move(incoming));
  return true;
}

void Server::Cancel(const Json& id) {
  for (Incoming& waiting : queue_)
    if (waiting.message.is_object() && waiting.message.contains("method") &&
        waiting.message.value("id", Json()) == id)
      waiting.cancelled = true;
}

void Server::Handle(const Incoming& incoming) {
  if (incoming.error != 0) return Fail(nullptr, incoming.error, incoming.reason);
  const Json& message = incoming.message;
  if (!message.is_object()) return Fail(nullptr, kInvalidRequest, "A message is a JSON object");
  const bool request = message.contains("id");
  const Json id = request && IsId(message["id"]) ? message["id"] : Json();
  if (!message.contains("method")) return;  // a response; the server asks nothing
  if (!message["method"].is_string() || (request && id.is_null()))
    return Fail(id, kInvalidRequest, "A request has a method name and an id of a number or a string");
  const Json params = message.value("params", Json::object());
  const std::string& method = message["method"].get_ref<const std::string&>();
  if (request) HandleRequest(id, method, params, incoming.cancelled);
  else HandleNotification(method, params);
}

void Server::HandleRequest(const Json& id, const std::string& method, const Json& params, bool cancelled) {
  if (cancelled) return Fail(id, kRequestCancelled, "The request was cancelled");
  if (shutDown_) return Fail(id, kInvalidRequest, "The server is shut down");
  if (!initialized_ && method != "initialize")
    return Fail(id, kServerNotInitialized, "The server is not initialized");
  try {
    Reply(id, Answer(method, params));
  } catch (const RequestError& error) {
    Fail(id, error.code, error.what());
  } catch (const Json::exception& error) {
    Fail(id, kInvalidParams, error.what());
  } catch (const std::exception& error) {
    Fail(id, kInternalError, error.what());
  }
}

Json Server::Answer(const std::string& method, const Json& params) {
  if (method == "initialize") return Initialize(params);
  if (method == "shutdown") {
    shutDown_ = true;
    return nullptr;
  }
  using Answering = Json (*)(const Server&, const Json&);
  static constexpr std::pair<std::string_view, Answering> kAnswers[] = {
      {"textDocument/hover",
       [](const Server& s, const Json& p) { return HoverAt(s.DocumentOf(p), p.at("position")); }},
      {"textDocument/completion",
       [](const Server& s, const Json& p) { return CompletionAt(s.DocumentOf(p), p.at("position")); }},
      {"textDocument/definition",
       [](const Server& s, const Json& p) {
         return DefinitionAt(s.DocumentOf(p), UriOf(p), p.at("position"));
       }},
      {"textDocument/references",
       [](const Server& s, const Json& p) {
         const bool withDefinition = p.value("context", Json::object()).value("includeDeclaration", true);
         return ReferencesAt(s.DocumentOf(p), UriOf(p), p.at("position"), withDefinition);
       }},
      {"textDocument/documentHighlight",
       [](const Server& s, const Json& p) { return HighlightsAt(s.DocumentOf(p), p.at("position")); }},
      {"textDocument/prepareRename",
       [](const Server& s, const Json& p) { return PrepareRenameAt(s.DocumentOf(p), p.at("position")); }},
      {"textDocument/rename",
       [](const Server& s, const Json& p) {
         return RenameAt(s.DocumentOf(p), UriOf(p), p.at("position"), p.at("newName").get<std::string>());
       }},
      {"textDocument/documentSymbol",
       [](const Server& s, const Json& p) { return SymbolsOf(s.DocumentOf(p)); }},
      {"textDocument/codeAction",
       [](const Server& s, const Json& p) {
         return CodeActionsIn(s.DocumentOf(p), UriOf(p), p.at("range"));
       }},
      {"textDocument/formatting", [](const Server& s, const Json& p) { return Formatting(s.DocumentOf(p)); }},
  };
  for (const auto& [name, answer] : kAnswers)
    if (name == method) return answer(*this, params);
  throw RequestError(kMethodNotFound, "No method " + method);
}

Json Server::Initialize(const Json& params) {
  if (initialized_) throw RequestError(kInvalidRequest, "The server is initialized already");
  if (!params.is_object()) throw RequestError(kInvalidParams, "initialize takes an object");
  encoding_ = OffersUtf8(params) ? Encoding::kUtf8 : Encoding::kUtf16;
  target_ = TargetOf(params);
  initialized_ = true;
  return {{"capabilities", Capabilities(encoding_)},
          {"serverInfo", {{"name", "orrikey"}, {"version", version_}}}};
}

// Notifications before initialize are dropped, as the protocol asks; one
// that fails is only logged, having no answer to carry the error.
void Server::HandleNotification(const std::string& method, const Json& params) {
  if (method == "exit") {
    ended_ = true;
    return;
  }
  if (!initialized_ || shutDown_) return;
  try {
    if (method == "textDocument/didOpen") {
      Open(params);
    } else if (method == "textDocument/didChange") {
      Change(params);
    } else if (method == "textDocument/didClose") {
      documents_.erase(UriOf(params));
      Publish(UriOf(params), nullptr);
    }
  } catch (const std::exception& error) {
    log_ << "orrikey-cli lsp: " << method << ": " << error.what() << std::endl;
    if (dynamic_cast<const RequestError*>(&error))
      Notify("window/showMessage", {{"type", 1}, {"message", error.what()}});
  }
}

void Server::Open(const Json& params) {
  const std::string& uri = UriOf(params);
  const Json& item = params.at("textDocument");
  documents_.erase(uri);
  documents_.emplace(uri, Document(uri, item.at("text").get_ref<const std::string&>(), encoding_, target_));
  Publish(uri, item.value("version", Json()));
}

void Server::Change(const Json& params) {
  const std::string& uri = UriOf(params);
  const auto found = documents_.find(uri);
  if (found == documents_.end()) throw RequestError(kInvalidParams, "No open document " + uri);
  for (const Json& change : params.at("contentChanges")) {
    const std::string& text = change.at("text").get_ref<const std::string&>();
    if (change.contains("range"))
      found->second.Change(change["range"].at("start"), change["range"].at("end"), text);
    else found->second.ChangeAll(text);
  }
  Publish(uri, params.at("textDocument").value("version", Json()));
}

// Written as text: a program may have thousands of diagnostics, and every
// change sends them all again.
void Server::Publish(const std::string& uri, const Json& version) {
  const auto found = documents_.find(uri);
  std::string message = R"({"jsonrpc":"2.0","method":"textDocument/publishDiagnostics","params":{"uri":)";
  message.append(Dumped(uri)).append(R"(,"diagnostics":)");
  message.append(found == documents_.end() ? "[]" : DiagnosticsOf(found->second));
  if (version.is_number_integer()) message.append(R"(,"version":)").append(version.dump());
  Send(message.append("}}"));
}

const Document& Server::DocumentOf(const Json& params) const {
  const std::string& uri = UriOf(params);
  const auto found = documents_.find(uri);
  if (found == documents_.end()) throw RequestError(kInvalidParams, "No open document " + uri);
  return found->second;
}

// Output that cannot be written any more ends the server.
void Server::Send(std::string_view message) {
  if (!Write(out_, message)) ended_ = true;
}

void Server::Reply(const Json& id, Json result) {
  Send(Dumped({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}}));
}

void Server::Fail(const Json& id, int code, const std::string& message) {
  log_ << "orrikey-cli lsp: " << message << std::endl;
  Send(Dumped({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}}));
}

void Server::Notify(const std::string& method, Json params) {
  Send(Dumped({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}}));
}

}  // namespace orrikey::lsp
