#pragma once

// The language server: reads JSON-RPC messages from one stream, answers on
// another, and keeps an editing model for each document the client opens.
// It answers one message at a time; a request cancelled while it still
// waits in line is answered as cancelled.

#include <deque>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <string_view>

#include "lsp/Document.h"
#include "lsp/Protocol.h"
#include "lsp/Transport.h"

namespace orrikey::lsp {

class Server {
 public:
  Server(std::istream& in, std::ostream& out, std::ostream& log, std::string version);

  // Answers until the exit notification or the end of the input; the exit
  // status: 0 when the client shut the server down first, else 1.
  int Run();

 private:
  // A message read and waiting to be handled, or why it could not be read.
  struct Incoming {
    Json message;
    int error = 0;
    std::string reason;
    bool cancelled = false;
  };

  bool ReadOne();
  void Cancel(const Json& id);
  void Handle(const Incoming& incoming);
  void HandleRequest(const Json& id, const std::string& method, const Json& params, bool cancelled);
  void HandleNotification(const std::string& method, const Json& params);
  Json Answer(const std::string& method, const Json& params);
  Json Initialize(const Json& params);

  void Open(const Json& params);
  void Change(const Json& params);
  void Publish(const std::string& uri, const Json& version);
  const Document& DocumentOf(const Json& params) const;

  void Send(std::string_view message);
  void Reply(const Json& id, Json result);
  void Fail(const Json& id, int code, const std::string& message);
  void Notify(const std::string& method, Json params);

  Reader reader_;
  std::ostream& out_;
  std::ostream& log_;
  std::string version_;
  std::deque<Incoming> queue_;
  std::map<std::string, Document, std::less<>> documents_;
  Encoding encoding_ = Encoding::kUtf16;
  needs::Target target_ = needs::Target::kToday;  // of every document
  bool initialized_ = false;
  bool shutDown_ = false;
  bool ended_ = false;
};

}  // namespace orrikey::lsp
