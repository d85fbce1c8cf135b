#include "labels/Labels.h"

#include "encoder/Encoder.h"
#include "text/Comment.h"

namespace orrikey::labels {

bool NamesLabel(std::string_view shown, LabelKind kind) {
  const bool quoted = shown.size() > 1 && shown.front() == '"' && shown.back() == '"';
  return quoted == (kind == LabelKind::kGlobal) &&
         !encoder::AssembleLine("LBL " + std::string(shown)).failed();
}

// The label is the last word of the instruction, or its quoted name: what
// follows the instruction's own words (KEY 3 GTO, PGMSLV) in each case.
std::string WithLabel(std::string_view line, LabelKind kind, std::string_view shown) {
  const text::LineParts parts = text::SplitLine(line, text::Notation::kProgramText);
  const std::string_view code = line.substr(0, std::min(parts.comment, line.size()));
  size_t start, end;
  if (kind == LabelKind::kGlobal && parts.textOpen < code.size()) {
    start = parts.textOpen;
    end = parts.textClose == text::LineParts::npos ? code.size() : parts.textClose + 1;
  } else {
    end = code.find_last_not_of(" \t") + 1;
    start = code.find_last_of(" \t", end - 1) + 1;
  }
  return std::string(line.substr(0, start)).append(shown).append(line.substr(end));
}

}  // namespace orrikey::labels
