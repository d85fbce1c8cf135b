#pragma once

// What one assembled line does with labels: its table row says whether it
// defines one or names one, its bytes which label.

#include <string>

#include "encoder/Encoder.h"
#include "labels/Labels.h"

namespace orrikey::labels {

enum class Role : unsigned char { kNone, kDefines, kRefers };

struct LabelUse {
  Role role = Role::kNone;
  const tables::ModOp* instruction = nullptr;
};

LabelUse UseOf(const encoder::AssembledLine& line);

struct Operand {
  bool indirect = false;
  LabelKind kind = LabelKind::kNumber;
  std::string name;  // display codes, without quotes
};

// The operand of a line that defines or names a label.
Operand ReadOperand(const encoder::AssembledLine& line, const tables::ModOp& instruction);

}  // namespace orrikey::labels
