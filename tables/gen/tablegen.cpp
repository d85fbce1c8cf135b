// Turns table data files into a C++ source file that holds their rows as
// typed records, checking the shape of every row on the way: a table that
// builds is a table every reader can trust without looking at its text.
//
// A data file is plain text, one row per line, LF line breaks. A byte that is
// not printable ASCII is written \xNN (two hex digits, either case) and a
// backslash itself is written \\. Every other character stands for itself,
// so rows keep their blanks exactly as written.
//
// usage: tablegen KIND OUTPUT FUNCTION INPUT... [--today INPUT...]
//   rows     the rows as text (help, menus, flags)
//   charmap  "code,display code" for the codes 0 to 31, in order
//   fixed    "NAME,HEX[,FACT...]": instructions without an operand
//   mod      "NAME,TEMPLATE[,FACT...]": instructions with an operand
//   pairs    "KEY,VALUE", split at the last comma (a key may hold one)
// The rows of the inputs after --today are instructions that only today's
// calculators have; the original HP-42S has those before it.
// Several inputs make one table, their rows in the order given.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

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

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string Unescape(const std::string& text) {
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

// Every byte outside printable ASCII becomes a three-digit octal escape, which
// cannot run into the characters that follow it; the literal's own length
// keeps a zero byte inside it.
std::string CppLiteral(const std::string& bytes) {
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

// Uppercase hex digits, two a byte, as the instruction tables write bytes.
std::string Bytes(const std::string& digits) {
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

std::pair<std::string, std::string> SplitAtComma(const std::string& row) {
  const size_t comma = row.find(',', 1);  // a name may be a comma itself
  if (comma == std::string::npos) throw ShapeError("no comma");
  return {row.substr(0, comma), row.substr(comma + 1)};
}

std::string CheckedName(const std::string& name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ')
    throw ShapeError("bad instruction name \"" + name + "\"");
  return name;
}

bool AllF(const std::string& digits) { return digits.find_first_not_of('F') == std::string::npos; }

// A name slot "FdXX..": the length byte of the name counts d bytes after it
// and the name; digits before those d bytes stand before the length byte.
std::string NameForm(const std::string& slot) {
  if (AllF(slot)) return "{}";
  if (slot[0] != 'F' || HexValue(slot[1]) < 0 || HexValue(slot[1]) > 2)
    throw ShapeError("bad name slot " + slot);
  const size_t leadDigits = 2 * static_cast<size_t>(HexValue(slot[1]));
  const std::string rest = slot.substr(2);
  if (rest.size() < leadDigits) throw ShapeError("bad name slot " + slot);
  const std::string before = Bytes(rest.substr(0, rest.size() - leadDigits));
  const std::string lead = Bytes(rest.substr(rest.size() - leadDigits));
  return "{true, " + CppLiteral(before) + ", " + CppLiteral(lead) + "}";
}

// An operand slot: leading "FF" pairs write no byte, the last byte is the
// value the operand counts from, the bytes before it lead the instruction.
std::string OperandForm(const std::string& slot) {
  if (AllF(slot)) return "{}";
  size_t at = 0;
  while (slot.compare(at, 2, "FF") == 0) at += 2;
  const std::string bytes = Bytes(slot.substr(at));
  char base[8];
  std::snprintf(base, sizeof base, "0x%02X", static_cast<unsigned char>(bytes.back()));
  return "{true, " + CppLiteral(bytes.substr(0, bytes.size() - 1)) + ", " + base + "}";
}

// The facts a row names after its bytes, each "word" or "word=value".
struct Facts {
  std::string operand = "kRegister";
  bool definesLabel = false;
  std::string keyWord;
  std::string number = "kOther";
  bool endsProgram = false;
  bool dropped = false;
  std::string statistics = "kNone";
  bool indirectRegister = false;
};

// The facts without a value; each names one field of the record.
bool TakesNoValue(const std::string& key) {
  for (const char* flag : {"defines-label", "ends-program", "dropped", "register", "sets-size",
                           "sets-statistics-block", "uses-statistics", "indirect-register"})
    if (key == flag) return true;
  return false;
}

// What a direct number names, or how the statistics registers are used: one
// of each on a row, since a record holds one.
void SetOnce(std::string& field, const char* unset, const std::string& value, const std::string& fact) {
  if (field != unset) throw ShapeError("fact \"" + fact + "\" says again what another fact of the row says");
  field = value;
}

const char* OperandKindOf(const std::string& value) {
  static const std::pair<const char*, const char*> kKinds[] = {
      {"label", "kLabel"}, {"key-label", "kKeyLabel"},       {"key-assignment", "kKeyAssignment"},
      {"word", "kWord"},   {"plain-number", "kPlainNumber"}, {"program", "kProgram"},
  };
  for (const auto& [word, kind] : kKinds)
    if (value == word) return kind;
  throw ShapeError("unknown operand kind \"" + value + "\"");
}

const char* StatisticsModeOf(const std::string& value) {
  if (value == "linear") return "kLinear";
  if (value == "all") return "kAll";
  throw ShapeError("unknown statistics mode \"" + value + "\"");
}

// `allowed` lists the facts the table's records have room for.
Facts ReadFacts(const std::vector<std::string>& words, std::initializer_list<std::string_view> allowed) {
  Facts facts;
  for (const std::string& word : words) {
    const size_t equals = word.find('=');
    const std::string key = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
    if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
      throw ShapeError("no fact \"" + key + "\" here");
    if ((equals == std::string::npos) != TakesNoValue(key))
      throw ShapeError("fact \"" + word + "\" takes " +
                       (equals == std::string::npos ? "a value" : "no value"));
    if (key == "operand") facts.operand = OperandKindOf(value);
    else if (key == "defines-label") facts.definesLabel = true;
    else if (key == "key-word") facts.keyWord = value;
    else if (key == "register") SetOnce(facts.number, "kOther", "kRegister", word);
    else if (key == "sets-size") SetOnce(facts.number, "kOther", "kSize", word);
    else if (key == "sets-statistics-block") SetOnce(facts.number, "kOther", "kStatisticsBlock", word);
    else if (key == "ends-program") facts.endsProgram = true;
    else if (key == "uses-statistics") SetOnce(facts.statistics, "kNone", "kUses", word);
    else if (key == "sets-statistics") SetOnce(facts.statistics, "kNone", StatisticsModeOf(value), word);
    else if (key == "indirect-register") facts.indirectRegister = true;
    else facts.dropped = true;
  }
  return facts;
}

// The fields after the first: "HEX,fact,fact" splits into the bytes and the facts.
std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
    fields.push_back(text.substr(start, comma - start));
  fields.push_back(text.substr(start));
  return fields;
}

// Templates hold eight slots: IND name, IND ST, IND nn (long, short), then the
// same four direct. The classic layout has 4-digit name slots and 6-digit
// operand slots; the wide A7 layout 6 and 8. FIX, SCI and ENG append the
// bytes of their operands 11 and 10.
struct Template {
  std::string name;
  std::string slots[2][4];  // indirect, direct: the name slot, then ST, nn long, nn short
  std::string extension;
  bool derived[2][4] = {};
  Facts facts;
};

constexpr int kIndirect = 0, kDirect = 1;

Template SplitTemplate(const std::string& row) {
  Template parsed;
  std::string rest;
  std::tie(parsed.name, rest) = SplitAtComma(row);
  CheckedName(parsed.name);
  std::vector<std::string> fields = SplitFields(rest);
  std::string templ = fields.front();
  fields.erase(fields.begin());
  parsed.facts = ReadFacts(
      fields, {"operand", "defines-label", "key-word", "register", "sets-size", "sets-statistics-block"});
  if (templ.size() == 45 && templ.back() == ' ') templ.pop_back();  // a blank no reader needs
  size_t nameDigits = 4, operandDigits = 6;
  if (templ.size() == 60) nameDigits = 6, operandDigits = 8;
  else if (templ.size() != 44 && templ.size() != 52)
    throw ShapeError("template of " + std::to_string(templ.size()) + " digits");
  Bytes(templ);  // all hex
  size_t at = 0;
  for (auto& half : parsed.slots) {
    for (int slot = 0; slot < 4; ++slot) {
      const size_t digits = slot == 0 ? nameDigits : operandDigits;
      half[slot] = templ.substr(at, digits);
      at += digits;
    }
  }
  parsed.extension = templ.substr(at);
  return parsed;
}

// A slot that leads with a length byte Fn: its byte after the length, as hex.
std::string SequenceByteOf(const std::string& slot) {
  const bool sequence = !AllF(slot) && slot[0] == 'F' && slot.compare(0, 2, "FF") != 0;
  return sequence && slot.size() >= 4 ? slot.substr(2, 2) : "";
}

// The bytes that follow a length byte in some row's form: a byte taken there
// is read as that form, so no other instruction's form is derived onto it.
std::vector<std::string> TakenSequenceBytes(const std::vector<Template>& templates) {
  std::vector<std::string> taken;
  for (const Template& t : templates) {
    for (const auto& half : t.slots)
      for (const std::string& slot : half)
        if (const std::string byte = SequenceByteOf(slot); !byte.empty()) taken.push_back(byte);
    if (!t.extension.empty()) taken.push_back(t.extension.substr(2, 2));
  }
  return taken;
}

std::string HexByte(unsigned value) {
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02X", value & 0xFF);
  return digits;
}

// The forms a row leaves out that the calculator reads all the same:
// - After a length byte, the operand byte says by its own top bit whether
//   the operand is indirect (F2 D8 85 is CLV IND 05, so F2 D8 35 is CLV 53):
//   an instruction whose register forms there are only indirect has the
//   direct ones on the same bytes. Bytes without a length byte stay as the
//   rows give them; there GTO IND and XEQ IND share one byte by its top bit.
// - A named form's byte after the length byte marks IND by its bit 0x08
//   (F1 81 is STO, F1 89 STO IND): an instruction without an IND name form
//   has one at its byte with that bit set (F1 98 is MVAR IND), unless that
//   byte leads a form of another instruction.
void DeriveForms(Template& t, const std::vector<std::string>& taken) {
  const bool directOperands = std::any_of(t.slots[kDirect] + 1, t.slots[kDirect] + 4,
                                          [](const std::string& slot) { return !AllF(slot); });
  for (int slot = 1; slot < 4 && !directOperands; ++slot) {
    const std::string& indirect = t.slots[kIndirect][slot];
    std::string& direct = t.slots[kDirect][slot];
    if (SequenceByteOf(indirect).empty()) continue;
    const unsigned base = static_cast<unsigned char>(Bytes(indirect).back());
    if (base < 0x80) continue;
    direct = indirect.substr(0, indirect.size() - 2) + HexByte(base - 0x80);
    t.derived[kDirect][slot] = true;
  }
  const std::string& name = t.slots[kDirect][0];
  if (!AllF(t.slots[kIndirect][0]) || name.size() != 4 || name.compare(0, 2, "F1") != 0) return;
  const unsigned byte = static_cast<unsigned char>(Bytes(name.substr(2))[0]);
  const std::string marked = HexByte(byte | 0x08);
  if (byte < 0x80 || (byte & 0x08) || std::find(taken.begin(), taken.end(), marked) != taken.end()) return;
  t.slots[kIndirect][0] = "F1" + marked;
  t.derived[kIndirect][0] = true;
}

std::string WithDerived(std::string form, bool derived) {
  if (derived) form.insert(form.size() - 1, ", true");
  return form;
}

std::string ModOp(const Template& t, bool today) {
  std::string out = "{" + CppLiteral(t.name);
  for (int half = 0; half < 2; ++half) {
    out += ", {" + WithDerived(NameForm(t.slots[half][0]), t.derived[half][0]);
    for (int slot = 1; slot < 4; ++slot)
      out += ", " + WithDerived(OperandForm(t.slots[half][slot]), t.derived[half][slot]);
    out += "}";
  }
  if (!t.extension.empty()) {
    const std::string extension = Bytes(t.extension);
    out += ", " + CppLiteral(extension.substr(2)) + ", " + CppLiteral(extension.substr(0, 2));
  } else {
    out += ", {}, {}";
  }
  out += ", OperandKind::" + t.facts.operand;
  out += t.facts.definesLabel ? ", true" : ", false";
  return out + ", " + CppLiteral(t.facts.keyWord) + (today ? ", true" : ", false") +
         ", NumberMeans::" + t.facts.number + "}";
}

std::string FixedOp(const std::string& row, bool today) {
  const auto [name, rest] = SplitAtComma(row);
  std::vector<std::string> fields = SplitFields(rest);
  const std::string bytes = Bytes(fields.front());
  if (bytes.empty() || bytes.size() > 3) throw ShapeError("an instruction of 1 to 3 bytes");
  fields.erase(fields.begin());
  const Facts facts = ReadFacts(
      fields, {"ends-program", "dropped", "uses-statistics", "sets-statistics", "indirect-register"});
  std::string out = "{";
  return out + CppLiteral(CheckedName(name)) + ", " + CppLiteral(bytes) + ", " +
         (facts.endsProgram ? "true" : "false") + ", " + (facts.dropped ? "true" : "false") + ", " +
         (today ? "true" : "false") + ", Statistics::" + facts.statistics + ", " +
         (facts.indirectRegister ? "true" : "false") + "}";
}

std::string TextPair(const std::string& row) {
  const size_t comma = row.rfind(',');
  if (comma == std::string::npos || comma == 0 || comma + 1 == row.size())
    throw ShapeError("a row KEY,VALUE");
  std::string out = "{";
  return out + CppLiteral(row.substr(0, comma)) + ", " + CppLiteral(row.substr(comma + 1)) + "}";
}

std::string CharMapEntry(const std::string& row, size_t code) {
  const auto [number, hex] = SplitAtComma(row);
  if (number != std::to_string(code)) throw ShapeError("expected the row of code " + std::to_string(code));
  const std::string bytes = Bytes(hex);
  const auto display = static_cast<unsigned char>(bytes.empty() ? 0 : bytes[0]);
  if (bytes.size() != 1 || (display < 0x80 && display != code))
    throw ShapeError("a display code is one byte from 80 up, or the code itself");
  return std::to_string(static_cast<unsigned char>(bytes[0]));
}

std::string Table(const std::string& kind, const std::vector<Row>& rows, std::string& type) {
  std::ostringstream body;
  // Forms derived from other rows' bytes need every row read first.
  std::vector<Template> templates;
  std::vector<std::string> taken;
  if (kind == "mod") {
    for (const Row& row : rows) {
      try {
        templates.push_back(SplitTemplate(row.text));
      } catch (const ShapeError& error) {
        throw ShapeError(row.where + ": " + error.message());
      }
    }
    taken = TakenSequenceBytes(templates);
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string& text = rows[i].text;
    std::string record;
    try {
      if (kind == "rows") type = "std::string_view", record = CppLiteral(text);
      else if (kind == "fixed") type = "FixedOp", record = FixedOp(text, rows[i].today);
      else if (kind == "mod") {
        type = "ModOp";
        DeriveForms(templates[i], taken);
        record = ModOp(templates[i], rows[i].today);
      } else if (kind == "pairs") type = "TextPair", record = TextPair(text);
      else if (kind == "charmap") type = "unsigned char", record = CharMapEntry(text, i);
      else throw ShapeError("unknown kind " + kind);
    } catch (const ShapeError& error) {
      throw ShapeError(rows[i].where + ": " + error.message());
    }
    body << "    " << record << ",\n";
  }
  if (kind == "charmap" && rows.size() != 32) throw ShapeError("the character map has 32 rows");
  return body.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: tablegen KIND OUTPUT FUNCTION INPUT...\n";
    return 2;
  }
  const std::string kind = argv[1];
  std::vector<Row> rows;
  try {
    bool today = false;
    for (int arg = 4; arg < argc; ++arg) {
      if (std::string(argv[arg]) == "--today") {
        today = true;
        continue;
      }
      std::ifstream in(argv[arg], std::ios::binary);
      if (!in) throw ShapeError(std::string("cannot open ") + argv[arg]);
      std::string line;
      for (size_t number = 1; std::getline(in, line); ++number) {
        const std::string where = std::string(argv[arg]) + ":" + std::to_string(number);
        try {
          rows.push_back({Unescape(line), where, today});
        } catch (const ShapeError& error) {
          throw ShapeError(where + ": " + error.message());
        }
      }
    }
    std::string type;
    const std::string body = Table(kind, rows, type);
    const bool isArray = kind == "charmap";
    std::ofstream out(argv[2], std::ios::binary);
    out << "// Generated by tablegen. Do not edit.\n"
        << "#include \"tables/Tables.h\"\n\n"
        << "namespace orrikey::tables {\n\n"
        << "namespace {\n"
        << "using namespace std::string_view_literals;\n\n"
        << "constexpr " << type << " kRows[" << rows.size() << "] = {\n"
        << body << "};\n"
        << "}  // namespace\n\n";
    if (isArray)
      out << "const std::array<unsigned char, 32>& " << argv[3] << "() {\n"
          << "  static constexpr std::array<unsigned char, 32> map = std::to_array(kRows);\n"
          << "  return map;\n}\n\n";
    else out << "std::span<const " << type << "> " << argv[3] << "() { return kRows; }\n\n";
    out << "}  // namespace orrikey::tables\n";
    if (!out) throw ShapeError(std::string("cannot write ") + argv[2]);
  } catch (const ShapeError& error) {
    std::cerr << error.message() << "\n";
    return 1;
  }
  return 0;
}
