// Every text the label warnings show, in one place.

#include "labels/Labels.h"

namespace orrikey::labels {

std::string Shown(LabelKind kind, std::string_view name) {
  return kind == LabelKind::kGlobal ? '"' + std::string(name) + '"' : std::string(name);
}

std::string WarningMessage(const Warning& warning, const Analysis& analysis) {
  const std::string other =
      warning.other ? std::to_string(analysis.SourceLine(*warning.other)) : std::string();
  switch (warning.kind) {
    case WarningKind::kNoLocalLabel:
      return "no label " + warning.label + " in this program (Label Not Found when it runs)";
    case WarningKind::kDuplicateGlobal: return "global label " + warning.label + " is also at line " + other;
    case WarningKind::kDuplicateLocal:
      return "local label " + warning.label + " is also at line " + other + " of this program";
    case WarningKind::kOneOfDuplicates:
      return "label " + warning.label + " is in this program more than once; this goes to line " + other;
    case WarningKind::kNoGlobalLabel:
      return "no global label " + warning.label + " in this file; another program may hold it";
  }
  return {};
}

bool IsNote(const Warning& warning) {
  return warning.kind == WarningKind::kNoGlobalLabel || warning.kind == WarningKind::kOneOfDuplicates;
}

}  // namespace orrikey::labels
