#pragma once

// Joins the help table and the menu list to the instruction records they
// name, so that each record carries its help and its menu places, and a help
// entry or menu member that names no instruction stops the build.
//
// A help entry is a key line, the description, and when that ends in a blank
// a continuation line. Its key is the word a program line of the instruction
// starts with: the first word of its name ("KEY" for KEY GTO and KEY XEQ) or
// its calculator spelling ("RDX," for RDX). An entry that names no instruction
// is the help of a key: a pick's label (R/S) or a key the description says is
// not programmable (BST).
//
// The menu list holds groups: a header "-NAME", the members as the menu shows
// them, "@"; empty lines after the last group. A member names an instruction
// by its name or calculator spelling, with a blank after it when an operand
// follows, or by a pick's label (X^Y for Y^X).

#include <algorithm>
#include <string>
#include <vector>

#include "DataRows.h"

namespace tablegen {

// What the joins need of an instruction record.
struct Instruction {
  Instruction(std::string name, std::string where, bool needsHelp = true)
      : name(std::move(name)), where(std::move(where)), needsHelp(needsHelp) {}

  std::string name;
  std::string where;
  bool needsHelp;  // a record some program line can show
  std::string help;
  std::string helpWhere;
  std::vector<std::string> menus;  // MenuPlace initializers
};

// The texts that name an instruction by another text: the calculator's
// spellings, and the picks whose label stands for the text they type.
struct OtherNames {
  std::vector<std::pair<std::string, std::string>> spellings;
  std::vector<std::pair<std::string, std::string>> picks;

  static std::string Find(const std::vector<std::pair<std::string, std::string>>& pairs,
                          const std::string& key) {
    const auto found =
        std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
    return found == pairs.end() ? "" : found->second;
  }
};

inline const std::string kNotProgrammable = "(Not programmable.)";

inline std::string FirstWord(const std::string& name) { return name.substr(0, name.find(' ')); }

inline std::vector<Instruction*> HelpTargets(std::vector<Instruction>& ops, const std::string& key,
                                             const OtherNames& names) {
  std::vector<Instruction*> targets;
  for (const std::string& word : {key, OtherNames::Find(names.spellings, key)}) {
    for (Instruction& op : ops)
      if (!word.empty() && FirstWord(op.name) == word) targets.push_back(&op);
    if (!targets.empty()) break;
  }
  return targets;
}

// Gives each instruction its help; returns the help of keys that are no
// instruction as TextPair initializers.
inline std::vector<std::string> JoinHelp(const std::vector<Row>& rows, std::vector<Instruction>& ops,
                                         const OtherNames& names) {
  std::vector<std::string> keyHelp;
  for (size_t i = 0; i < rows.size();) {
    const Row& key = rows[i++];
    AtRow(key, [&] {
      if (i == rows.size()) throw ShapeError("help key \"" + key.text + "\" without a description");
      std::string help = rows[i++].text;
      if (help.ends_with(' ') && i < rows.size()) help += rows[i++].text;
      const std::vector<Instruction*> targets = HelpTargets(ops, key.text, names);
      for (Instruction* op : targets) {
        if (!op->helpWhere.empty())
          throw ShapeError("a second help for " + op->name + ", after " + op->helpWhere);
        op->help = help;
        op->helpWhere = key.where;
      }
      if (!targets.empty()) return;
      if (OtherNames::Find(names.picks, key.text).empty() && !help.ends_with(kNotProgrammable))
        throw ShapeError("help for \"" + key.text + "\", which names no instruction");
      keyHelp.push_back("{" + CppLiteral(key.text) + ", " + CppLiteral(help) + "}");
    });
  }
  for (const Instruction& op : ops)
    if (op.needsHelp && op.help.empty()) throw ShapeError(op.where + ": " + op.name + " has no help");
  return keyHelp;
}

inline Instruction* MenuTarget(std::vector<Instruction>& ops, const std::string& member,
                               const OtherNames& names) {
  const auto named = [&](std::string text) -> Instruction* {
    if (text.ends_with(' ')) text.pop_back();  // an operand follows
    if (const std::string name = OtherNames::Find(names.spellings, text); !name.empty()) text = name;
    const auto found =
        std::find_if(ops.begin(), ops.end(), [&](const Instruction& op) { return op.name == text; });
    return found == ops.end() ? nullptr : &*found;
  };
  if (Instruction* op = named(member)) return op;
  const std::string typed = OtherNames::Find(names.picks, member);
  return typed.empty() ? nullptr : named(typed);
}

// Gives each instruction its places in the menu list, numbered in list order.
inline void JoinMenus(const std::vector<Row>& rows, std::vector<Instruction>& ops, const OtherNames& names) {
  std::string group;
  bool ended = false;  // past the empty lines after the last group
  size_t order = 0;
  for (const Row& row : rows) {
    AtRow(row, [&] {
      if (row.text.empty() && group.empty()) ended = true;
      else if (ended) throw ShapeError("a line after the empty lines that end the list");
      else if (group.empty() && !row.text.starts_with('-')) throw ShapeError("a group starts with -NAME");
      else if (group.empty()) group = row.text;
      else if (row.text == "@") group.clear();
      else if (Instruction* op = MenuTarget(ops, row.text, names))
        op->menus.push_back("{" + CppLiteral(group) + ", " + CppLiteral(row.text) + ", " +
                            std::to_string(order++) + "}");
      else throw ShapeError("menu member \"" + row.text + "\" names no instruction");
    });
  }
  if (!group.empty()) throw ShapeError(rows.back().where + ": the group " + group + " has no @");
}

}  // namespace tablegen
