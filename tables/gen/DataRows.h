#pragma once

// Reading data files and writing their values as C++, for every kind of table.
//
// A data file is plain text, one row per line, LF line breaks. A byte that is
// not printable ASCII is written \xNN (two hex digits, either case) and a
// backslash itself is written \\. Every other character stands for itself,
// so rows keep their blanks exactly as written.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace tablegen {

struct Row {
  std::string text;
  std::string where;   // file:line, for messages
  bool today = false;  // an instruction only today's calculators have
};

class ShapeError {
 public:
  explicit ShapeError(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// Runs `read` on the row, naming the row in the message of a shape error.
template <typename Read>
auto AtRow(const Row& row, Read read) {
  try {
    return read();
  } catch (const ShapeError& error) {
    throw ShapeError(row.where + ": " + error.message());
  }
}

inline int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

inline std::string Unescape(const std::string& text) {
  std::string row;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = text[i];
    if (c < 0x20 || c > 0x7E) throw ShapeError("raw byte " + std::to_string(c) + " (write it as \\xNN)");
    if (c != '\\') {
      row += static_cast<char>(c);
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      row += '\\';
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x' && HexValue(text[i + 2]) >= 0 &&
               HexValue(text[i + 3]) >= 0) {
      row += static_cast<char>(HexValue(text[i + 2]) * 16 + HexValue(text[i + 3]));
      i += 3;
    } else {
      throw ShapeError("bad escape");
    }
  }
  return row;
}

// The rows of the files in order; `today` marks them all.
inline std::vector<Row> ReadRows(const std::vector<std::string>& files, bool today = false) {
  std::vector<Row> rows;
  for (const std::string& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw ShapeError("cannot open " + file);
    std::string line;
    for (size_t number = 1; std::getline(in, line); ++number) {
      Row row{"", file + ":" + std::to_string(number), today};
      row.text = AtRow(row, [&] { return Unescape(line); });
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

// Every byte outside printable ASCII becomes a three-digit octal escape, which
// cannot run into the characters that follow it; the literal's own length
// keeps a zero byte inside it.
inline std::string CppLiteral(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char c : bytes) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c <= 0x7E) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      out += buf;
    }
  }
  return out + "\"sv";
}

// Uppercase hex digits, two a byte, as the tables write bytes.
inline std::string Bytes(const std::string& digits) {
  if (digits.size() % 2 != 0) throw ShapeError("odd number of hex digits: " + digits);
  std::string bytes;
  for (size_t i = 0; i < digits.size(); i += 2) {
    const int high = HexValue(digits[i]), low = HexValue(digits[i + 1]);
    if (high < 0 || low < 0 || digits[i] > 'F' || digits[i + 1] > 'F')
      throw ShapeError("not uppercase hex: " + digits);
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

inline std::string HexByte(unsigned value) {
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02X", value & 0xFF);
  return digits;
}

inline std::pair<std::string, std::string> SplitAtComma(const std::string& row) {
  const size_t comma = row.find(',', 1);  // a name may be a comma itself
  if (comma == std::string::npos) throw ShapeError("no comma");
  return {row.substr(0, comma), row.substr(comma + 1)};
}

}  // namespace tablegen
