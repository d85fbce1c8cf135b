#pragma once

// A compiled regular expression with the matching rules every pattern test of
// the program shares: compiled with any line-break convention (so "$" also
// matches before a final line-break character, the byte 0x85 among them),
// matched once from offset 0 where an empty match never counts, and character
// classes taken from the C locale, whatever the user's locale is.
//
// Matching runs under a match limit and a depth limit, so that no subject can
// make a test run for long; a test that hits a limit counts as not matching.

#include <optional>
#include <string_view>

struct pcre2_real_code_8;

namespace orrikey::text {

class Pattern {
 public:
  // Throws std::logic_error when the pattern does not compile.
  explicit Pattern(std::string_view source);
  ~Pattern();
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;

  // The text of the whole match (group 0) or of one capture group; nothing
  // when the pattern does not match anywhere in the subject. An unset group
  // of a successful match gives an empty text.
  std::optional<std::string_view> Search(std::string_view subject, int group = 0) const;

  bool Matches(std::string_view subject) const { return Search(subject).has_value(); }

 private:
  pcre2_real_code_8* code_;
  int groups_;
};

}  // namespace orrikey::text
