#include "lsp/Transport.h"

#include <charconv>

namespace orrikey::lsp {
namespace {

constexpr size_t kMaxHeaderLine = 4096;
constexpr std::string_view kLengthHeader = "content-length:";

bool StartsWithNoCase(std::string_view text, std::string_view start) {
  if (text.size() < start.size()) return false;
  for (size_t i = 0; i < start.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != start[i]) return false;
  return true;
}

std::optional<size_t> LengthOf(std::string_view header) {
  std::string_view value = header.substr(kLengthHeader.size());
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  size_t length = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
  if (error != std::errc() || end != value.data() + value.size() || value.empty()) return std::nullopt;
  return length;
}

}  // namespace

// A header line longer than any real header is cut, and the rest of it
// dropped, so that a stream of garbage cannot fill the memory.
std::optional<std::string> Reader::HeaderLine() {
  std::string line;
  for (;;) {
    const int c = in_.get();
    if (c == std::char_traits<char>::eof()) return std::nullopt;
    if (c == '\n') break;
    if (line.size() < kMaxHeaderLine) line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool Reader::Skip(size_t size) {
  in_.ignore(static_cast<std::streamsize>(size));
  return static_cast<size_t>(in_.gcount()) == size;
}

std::optional<Frame> Reader::Next() {
  std::optional<size_t> length;
  bool headers = false;
  for (;;) {
    std::optional<std::string> line = HeaderLine();
    if (!line) return std::nullopt;
    if (line->empty()) {
      // Blank lines between messages are no header block.
      if (headers) break;
      continue;
    }
    headers = true;
    if (StartsWithNoCase(*line, kLengthHeader)) length = LengthOf(*line);
  }
  if (!length) return Frame{{}, "The message has no valid Content-Length header"};
  if (*length > kMaxMessageSize) {
    if (!Skip(*length)) return std::nullopt;
    return Frame{{},
                 "The message of " + std::to_string(*length) + " bytes is larger than " +
                     std::to_string(kMaxMessageSize) + " bytes"};
  }
  Frame frame;
  frame.body.resize(*length);
  in_.read(frame.body.data(), static_cast<std::streamsize>(*length));
  if (static_cast<size_t>(in_.gcount()) != *length) return std::nullopt;
  return frame;
}

bool Reader::HasMore() const { return in_.rdbuf()->in_avail() > 0; }

std::string Dumped(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

bool Write(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
  return bool(out);
}

}  // namespace orrikey::lsp
