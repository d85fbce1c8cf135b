#pragma once

// The error codes of JSON-RPC and the language server protocol, and the
// error a handler throws to answer its request with one.

#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace orrikey::lsp {

using Json = nlohmann::json;

enum ErrorCode : int {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kInternalError = -32603,
  kServerNotInitialized = -32002,
  kRequestCancelled = -32800,
  kRequestFailed = -32803,
};

struct RequestError : std::runtime_error {
  RequestError(int code, const std::string& message) : std::runtime_error(message), code(code) {}
  int code;
};

}  // namespace orrikey::lsp
