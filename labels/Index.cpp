#include "labels/Index.h"

#include <algorithm>

namespace orrikey::labels {

size_t Analysis::SourceLine(size_t line) const {
  const auto after = std::upper_bound(renumbered.begin(), renumbered.end(), line,
                                      [](size_t n, const auto& entry) { return n < entry.first; });
  if (after == renumbered.begin()) return line + 1;
  const auto& [from, number] = *(after - 1);
  return number + (line - from);
}

std::optional<std::uint8_t> LocalKey(const Analysis& analysis, std::string_view name) {
  const auto& sorted = analysis.localNamesSorted;
  const auto found =
      std::lower_bound(sorted.begin(), sorted.end(), name,
                       [&](std::uint8_t key, std::string_view n) { return analysis.localNames[key] < n; });
  if (found == sorted.end() || analysis.localNames[*found] != name) return std::nullopt;
  return *found;
}

std::pair<const std::uint32_t*, const std::uint32_t*> LocalLines(const Analysis& analysis, size_t program,
                                                                 std::uint8_t key) {
  const size_t begin = analysis.programs[program].locals;
  const size_t end = program + 1 < analysis.programs.size() ? analysis.programs[program + 1].locals
                                                            : analysis.localKeys.size();
  const auto keys = analysis.localKeys.begin();
  const auto [from, to] = std::equal_range(keys + std::ptrdiff_t(begin), keys + std::ptrdiff_t(end), key);
  const std::uint32_t* lines = analysis.localLines.data();
  return {lines + (from - keys), lines + (to - keys)};
}

std::pair<const std::uint32_t*, const std::uint32_t*> GlobalsNamed(const Analysis& analysis,
                                                                   std::string_view name) {
  struct ByName {
    const Analysis& analysis;
    bool operator()(std::uint32_t label, std::string_view n) const {
      return analysis.NameOf(analysis.globals[label]) < n;
    }
    bool operator()(std::string_view n, std::uint32_t label) const {
      return n < analysis.NameOf(analysis.globals[label]);
    }
  };
  const auto& byName = analysis.globalsByName;
  const auto [from, to] = std::equal_range(byName.begin(), byName.end(), name, ByName{analysis});
  return {byName.data() + (from - byName.begin()), byName.data() + (to - byName.begin())};
}

}  // namespace orrikey::labels
