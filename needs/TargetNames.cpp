#include "needs/Needs.h"

namespace orrikey::needs {

std::optional<Target> TargetNamed(std::string_view name) {
  if (name == "today") return Target::kToday;
  if (name == "hp42s") return Target::kHp42s;
  return std::nullopt;
}

const char* NameOf(Target target) { return target == Target::kHp42s ? "hp42s" : "today"; }

}  // namespace orrikey::needs
