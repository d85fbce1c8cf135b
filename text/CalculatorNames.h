#pragma once

// Program text names an instruction as the calculator shows it ("RCL×",
// "DATE+"), where the tables name it with an ASCII stand-in, so that a
// program reads as the calculator's display and its manual do. Readers take
// either name: older files hold the table names.

#include <optional>
#include <string>
#include <string_view>

namespace orrikey::text {

// The name the line starts with, to the first blank, swapped for another:
// `name` replaces the first `replaced` bytes.
struct Renaming {
  std::string_view name;
  size_t replaced;
};

// The calculator's name for the table name the line starts with, when
// program text writes it so.
std::optional<Renaming> CalculatorNameAt(std::string_view line);

// The calculator's own spelling of the table name the line starts with,
// whether or not program text writes it so: listings write "RDX," for RDX.
std::optional<Renaming> CalculatorSpellingAt(std::string_view line);

// The table name for a calculator's name the line starts with.
std::optional<Renaming> TableNameAt(std::string_view line);

// The line with its name as program text writes it.
void UseCalculatorName(std::string& line);

}  // namespace orrikey::text
