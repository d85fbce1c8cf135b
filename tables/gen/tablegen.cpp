// Turns table data files into C++, checking the shape of every row on the
// way: a table that builds is a table every reader can trust without looking
// at its text.
//
// usage: tablegen KIND OUTPUT ...
//   instructions OUTPUT SECTION...  the instruction records, each section a
//       flag and its files: --fixed, --mod and --read-only rows ("NAME,HEX"
//       and "NAME,TEMPLATE", facts after them; --today before the files of
//       today's instructions, which the original HP-42S stops at), --help
//       and --menu joined to them, --spellings and --picks (pairs) naming
//       instructions by other texts, --byte-code the layout derived forms use
//   bytecode OUTPUT INPUT            the byte code's layout as a header
//   rows|pairs|charmap OUTPUT FUNCTION INPUT...
//       rows as text (flags), "KEY,VALUE" split at the last comma (a key may
//       hold one), or "code,display code" for the codes 0 to 31, in order
// Several inputs make one table, their rows in the order given.

#include <algorithm>
#include <iostream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "ByteCodeHeader.h"
#include "DataRows.h"
#include "HelpAndMenus.h"

namespace {

using namespace tablegen;

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

// The bytes of the byte code that forms are derived by.
struct Marks {
  unsigned indirect;       // the top bit of an operand byte: IND
  unsigned namedFirst;     // the first byte after F1 of a function whose operand is a name
  unsigned namedIndirect;  // the bit of such a byte that marks the name as IND
};

// The forms a row leaves out that the calculator reads all the same:
// - After a length byte, the operand byte says by its own top bit whether
//   the operand is indirect (F2 D8 85 is CLV IND 05, so F2 D8 35 is CLV 53):
//   an instruction whose register forms there are only indirect has the
//   direct ones on the same bytes. Bytes without a length byte stay as the
//   rows give them; there GTO IND and XEQ IND share one byte by its top bit.
// - A named form's byte after the length byte marks IND by a bit of its own
//   (F1 81 is STO, F1 89 STO IND): an instruction without an IND name form
//   has one at its byte with that bit set (F1 98 is MVAR IND), unless that
//   byte leads a form of another instruction.
void DeriveForms(Template& t, const std::vector<std::string>& taken, const Marks& marks) {
  const bool directOperands = std::any_of(t.slots[kDirect] + 1, t.slots[kDirect] + 4,
                                          [](const std::string& slot) { return !AllF(slot); });
  for (int slot = 1; slot < 4 && !directOperands; ++slot) {
    const std::string& indirect = t.slots[kIndirect][slot];
    std::string& direct = t.slots[kDirect][slot];
    if (SequenceByteOf(indirect).empty()) continue;
    const unsigned base = static_cast<unsigned char>(Bytes(indirect).back());
    if (!(base & marks.indirect)) continue;
    direct = indirect.substr(0, indirect.size() - 2) + HexByte(base & ~marks.indirect);
    t.derived[kDirect][slot] = true;
  }
  const std::string& name = t.slots[kDirect][0];
  if (!AllF(t.slots[kIndirect][0]) || name.size() != 4 || name.compare(0, 2, "F1") != 0) return;
  const unsigned byte = static_cast<unsigned char>(Bytes(name.substr(2))[0]);
  const std::string marked = HexByte(byte | marks.namedIndirect);
  if (byte < marks.namedFirst || (byte & marks.namedIndirect) ||
      std::find(taken.begin(), taken.end(), marked) != taken.end())
    return;
  t.slots[kIndirect][0] = "F1" + marked;
  t.derived[kIndirect][0] = true;
}

std::string WithDerived(std::string form, bool derived) {
  if (derived) form.insert(form.size() - 1, ", true");
  return form;
}

// The records' fields before their help and menus, as C++.
std::string ModOpFields(const Template& t, bool today) {
  std::string out = CppLiteral(t.name);
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
         ", NumberMeans::" + t.facts.number;
}

struct FixedRow {
  std::string name;
  std::string bytes;
  Facts facts;
};

FixedRow ReadFixedRow(const std::string& row) {
  const auto [name, rest] = SplitAtComma(row);
  std::vector<std::string> fields = SplitFields(rest);
  const std::string bytes = Bytes(fields.front());
  if (bytes.empty() || bytes.size() > 3) throw ShapeError("an instruction of 1 to 3 bytes");
  fields.erase(fields.begin());
  const Facts facts = ReadFacts(
      fields, {"ends-program", "dropped", "uses-statistics", "sets-statistics", "indirect-register"});
  return {CheckedName(name), bytes, facts};
}

std::string FixedOpFields(const FixedRow& row, bool today) {
  return CppLiteral(row.name) + ", " + CppLiteral(row.bytes) + ", " +
         (row.facts.endsProgram ? "true" : "false") + ", " + (row.facts.dropped ? "true" : "false") + ", " +
         (today ? "true" : "false") + ", Statistics::" + row.facts.statistics + ", " +
         (row.facts.indirectRegister ? "true" : "false");
}

std::pair<std::string, std::string> SplitPair(const std::string& row) {
  const size_t comma = row.rfind(',');
  if (comma == std::string::npos || comma == 0 || comma + 1 == row.size())
    throw ShapeError("a row KEY,VALUE");
  return {row.substr(0, comma), row.substr(comma + 1)};
}

std::vector<std::pair<std::string, std::string>> Pairs(const std::vector<Row>& rows) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const Row& row : rows) pairs.push_back(AtRow(row, [&] { return SplitPair(row.text); }));
  return pairs;
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

std::string ArrayOf(const std::string& type, const std::string& name,
                    const std::vector<std::string>& records) {
  std::string out =
      "constexpr std::array<" + type + ", " + std::to_string(records.size()) + "> " + name + " = {{\n";
  for (const std::string& record : records) out += "    " + record + ",\n";
  return out + "}};\n\n";
}

std::string SpanFunction(const std::string& type, const std::string& function) {
  return "std::span<const " + type + "> " + function + "() { return k" + function + "; }\n";
}

std::string Source(const std::string& arrays, const std::string& functions) {
  return "// Generated by tablegen. Do not edit.\n#include \"tables/Tables.h\"\n\nnamespace orrikey::tables "
         "{\n\n"
         "namespace {\nusing namespace std::string_view_literals;\n\n" +
         arrays + "}  // namespace\n\n" + functions + "\n}  // namespace orrikey::tables\n";
}

// The rows of one kind as text, pairs or the character map.
std::string PlainTable(const std::string& kind, const std::string& function, const std::vector<Row>& rows) {
  std::vector<std::string> records;
  for (size_t i = 0; i < rows.size(); ++i) {
    const std::string& text = rows[i].text;
    records.push_back(AtRow(rows[i], [&] {
      if (kind == "rows") return CppLiteral(text);
      if (kind == "charmap") return CharMapEntry(text, i);
      if (kind != "pairs") throw ShapeError("unknown kind " + kind);
      const auto [key, value] = SplitPair(text);
      return "{" + CppLiteral(key) + ", " + CppLiteral(value) + "}";
    }));
  }
  if (kind == "charmap") {
    if (rows.size() != 32) throw ShapeError("the character map has 32 rows");
    return Source(ArrayOf("unsigned char", "k" + function, records),
                  "const std::array<unsigned char, 32>& " + function + "() { return k" + function + "; }\n");
  }
  const std::string type = kind == "rows" ? "std::string_view" : "TextPair";
  return Source(ArrayOf(type, "k" + function, records), SpanFunction(type, function));
}

// The records' fields as C++, and what the joins need of them, in table order.
struct Records {
  std::vector<Instruction> ops;
  std::vector<std::string> fields;
};

void AddFixedOps(const std::vector<Row>& rows, Records& records) {
  std::vector<std::string> bytesSeen;
  for (const Row& row : rows) {
    const FixedRow fixed = AtRow(row, [&] { return ReadFixedRow(row.text); });
    // A row that repeats an earlier row's bytes (.END.) is never read back,
    // and the calculator drops NULL: neither is a line help is asked for.
    const bool repeated = std::find(bytesSeen.begin(), bytesSeen.end(), fixed.bytes) != bytesSeen.end();
    records.ops.emplace_back(fixed.name, row.where, !repeated && !fixed.facts.dropped);
    records.fields.push_back(FixedOpFields(fixed, row.today));
    bytesSeen.push_back(fixed.bytes);
  }
}

void AddModOps(const std::vector<Row>& rows, const Marks& marks, Records& records) {
  // Forms derived from other rows' bytes need every row read first.
  std::vector<Template> templates;
  for (const Row& row : rows) templates.push_back(AtRow(row, [&] { return SplitTemplate(row.text); }));
  const std::vector<std::string> taken = TakenSequenceBytes(templates);
  for (size_t i = 0; i < rows.size(); ++i) {
    records.fields.push_back(AtRow(rows[i], [&] {
      DeriveForms(templates[i], taken, marks);
      return ModOpFields(templates[i], rows[i].today);
    }));
    records.ops.emplace_back(templates[i].name, rows[i].where);
  }
}

// The instruction tables with their help and menu places joined from the
// help table and the menu list, which name instructions by their texts.
std::string InstructionTables(const std::map<std::string, std::vector<Row>>& inputs) {
  const auto input = [&](const std::string& section) {
    const auto found = inputs.find(section);
    return found == inputs.end() ? std::vector<Row>{} : found->second;
  };
  const ByteCode code = ReadByteCode(input("--byte-code"));
  Records records;
  AddFixedOps(input("--fixed"), records);
  const size_t fixedCount = records.ops.size();
  AddModOps(input("--mod"), {code.Byte("indirect"), code.Byte("named-first"), code.Byte("named-indirect")},
            records);
  const OtherNames names{Pairs(input("--spellings")), Pairs(input("--picks"))};
  const std::vector<std::string> keyHelp = JoinHelp(input("--help"), records.ops, names);
  JoinMenus(input("--menu"), records.ops, names);

  std::vector<std::string> menuPlaces, fixedOps, modOps, readOnlyOps;
  for (size_t i = 0; i < records.ops.size(); ++i) {
    const Instruction& op = records.ops[i];
    std::string menus = "{}";
    if (!op.menus.empty())
      menus = "{kMenuPlaces.data() + " + std::to_string(menuPlaces.size()) + ", " +
              std::to_string(op.menus.size()) + "}";
    menuPlaces.insert(menuPlaces.end(), op.menus.begin(), op.menus.end());
    (i < fixedCount ? fixedOps : modOps)
        .push_back("{" + records.fields[i] + ", " + CppLiteral(op.help) + ", " + menus + "}");
  }
  for (const Row& row : input("--read-only"))
    readOnlyOps.push_back(
        AtRow(row, [&] { return "{" + FixedOpFields(ReadFixedRow(row.text), row.today) + ", {}, {}}"; }));
  return Source(ArrayOf("MenuPlace", "kMenuPlaces", menuPlaces) + ArrayOf("FixedOp", "kFixedOps", fixedOps) +
                    ArrayOf("ModOp", "kModOps", modOps) + ArrayOf("FixedOp", "kReadOnlyOps", readOnlyOps) +
                    ArrayOf("TextPair", "kKeyHelp", keyHelp),
                SpanFunction("FixedOp", "FixedOps") + SpanFunction("ModOp", "ModOps") +
                    SpanFunction("FixedOp", "ReadOnlyOps") + SpanFunction("TextPair", "KeyHelp"));
}

// The inputs by section: each flag, then its files; --today before the
// files of today's instructions within a section.
std::map<std::string, std::vector<Row>> ReadSections(int argc, char** argv, int first) {
  std::map<std::string, std::vector<Row>> sections;
  std::string section;
  bool today = false;
  for (int arg = first; arg < argc; ++arg) {
    const std::string word = argv[arg];
    if (word == "--today") {
      today = true;
    } else if (word.starts_with("--")) {
      section = word;
      today = false;
    } else if (section.empty()) {
      throw ShapeError("an input before its section: " + word);
    } else {
      const std::vector<Row> rows = ReadRows({word}, today);
      sections[section].insert(sections[section].end(), rows.begin(), rows.end());
    }
  }
  return sections;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: tablegen KIND OUTPUT ...\n";
    return 2;
  }
  const std::string kind = argv[1];
  try {
    std::string source;
    if (kind == "instructions") {
      source = InstructionTables(ReadSections(argc, argv, 3));
    } else if (kind == "bytecode") {
      source = ReadByteCode(ReadRows({argv[3]})).header;
    } else {
      if (argc < 5) throw ShapeError("usage: tablegen KIND OUTPUT FUNCTION INPUT...");
      source = PlainTable(kind, argv[3], ReadRows(std::vector<std::string>(argv + 4, argv + argc)));
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << source;
    if (!out) throw ShapeError(std::string("cannot write ") + argv[2]);
  } catch (const ShapeError& error) {
    std::cerr << error.message() << "\n";
    return 1;
  }
  return 0;
}
