#define PCRE2_CODE_UNIT_WIDTH 8
#include "text/Pattern.h"

#include <locale.h>
#include <pcre2.h>

#include <stdexcept>
#include <string>

namespace orrikey::text {
namespace {

// Far above what any real program line needs, low enough that a hostile
// line of many megabytes gives up within a second or so.
constexpr uint32_t kMatchLimit = 10'000'000;
constexpr uint32_t kDepthLimit = 100'000;

const uint8_t* CLocaleTables() {
  static const uint8_t* const tables = [] {
    locale_t c_locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = uselocale(c_locale);
    const uint8_t* built = pcre2_maketables(nullptr);
    uselocale(previous);
    freelocale(c_locale);
    return built;
  }();
  return tables;
}

pcre2_match_context* MatchContext() {
  static pcre2_match_context* const context = [] {
    pcre2_match_context* made = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(made, kMatchLimit);
    pcre2_set_depth_limit(made, kDepthLimit);
    return made;
  }();
  return context;
}

constexpr uint32_t kMaxGroups = 8;

// One match block per thread, reused for every test.
pcre2_match_data* MatchData() {
  struct Block {
    pcre2_match_data* data = pcre2_match_data_create(kMaxGroups + 1, nullptr);
    ~Block() { pcre2_match_data_free(data); }
  };
  thread_local Block block;
  return block.data;
}

}  // namespace

Pattern::Pattern(std::string_view source) {
  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  pcre2_set_character_tables(context, CLocaleTables());
  pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
  int error = 0;
  PCRE2_SIZE offset = 0;
  code_ =
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source.data()), source.size(), 0, &error, &offset, context);
  pcre2_compile_context_free(context);
  if (!code_) {
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(error, message, sizeof message);
    throw std::logic_error("pattern " + std::string(source) + ": " + reinterpret_cast<const char*>(message));
  }
  // The JIT gives the same results, faster; without it the interpreter runs.
  pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);
  uint32_t captures = 0;
  pcre2_pattern_info(code_, PCRE2_INFO_CAPTURECOUNT, &captures);
  if (captures > kMaxGroups) {
    pcre2_code_free(code_);
    throw std::logic_error("pattern " + std::string(source) + ": too many groups");
  }
  groups_ = static_cast<int>(captures);
}

Pattern::~Pattern() { pcre2_code_free(code_); }

std::optional<std::string_view> Pattern::Search(std::string_view subject, int group) const {
  if (group < 0 || group > groups_) throw std::logic_error("no such capture group");
  pcre2_match_data* data = MatchData();
  const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), 0,
                             PCRE2_NOTEMPTY, data, MatchContext());
  // Any failure, a hit limit included, is no match.
  if (rc < 0) return std::nullopt;
  if (rc <= group) return std::string_view();
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
  const PCRE2_SIZE start = ovector[2 * group];
  const PCRE2_SIZE end = ovector[2 * group + 1];
  if (start == PCRE2_UNSET) return std::string_view();
  return subject.substr(start, end - start);
}

}  // namespace orrikey::text
