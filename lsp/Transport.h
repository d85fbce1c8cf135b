#pragma once

// The framing of the language server protocol: each message a JSON body after
// a "Content-Length" header that counts its bytes.

#include <cstddef>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "lsp/Protocol.h"

namespace orrikey::lsp {

// Large enough for a program file many times over, small enough that a
// wrong header cannot ask for all the memory there is.
inline constexpr size_t kMaxMessageSize = size_t{64} << 20;

struct Frame {
  std::string body;
  std::string error;  // the framing is wrong; the body is then empty
};

class Reader {
 public:
  explicit Reader(std::istream& in) : in_(in) {}
  // The next message, or nothing at the end of the input.
  std::optional<Frame> Next();
  // Whether more input is at hand without waiting for it.
  bool HasMore() const;

 private:
  std::optional<std::string> HeaderLine();
  bool Skip(size_t size);

  std::istream& in_;
};

// The JSON text of a value. Text that is no valid UTF-8 is written as
// U+FFFD, since a client refuses a message that is not.
std::string Dumped(const Json& value);

// Writes the message's JSON text and flushes it; false when the output failed.
bool Write(std::ostream& out, std::string_view body);

}  // namespace orrikey::lsp
