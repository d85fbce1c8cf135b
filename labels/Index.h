#pragma once

// Reading the index of an Analysis: the labels of a name.

#include <optional>
#include <string_view>

#include "labels/Labels.h"

namespace orrikey::labels {

// The key of a local label's name, if a label of the file has it.
std::optional<std::uint8_t> LocalKey(const Analysis& analysis, std::string_view name);

// The lines of the local labels of a program that have the key, in order.
std::pair<const std::uint32_t*, const std::uint32_t*> LocalLines(const Analysis& analysis, size_t program,
                                                                 std::uint8_t key);

// The indices (in Analysis::globals) of the global labels that have the name, in line order.
std::pair<const std::uint32_t*, const std::uint32_t*> GlobalsNamed(const Analysis& analysis,
                                                                   std::string_view name);

}  // namespace orrikey::labels
