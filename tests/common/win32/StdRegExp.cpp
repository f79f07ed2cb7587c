// The test host's expressions on Windows: std::wregex (ECMAScript) over the UTF-16 units, which wchar_t
// holds there. README lists the patterns it reads unlike PCRE2.
#include <regex>
#include <string>
#include <utility>

#include "common/TestRegExp.h"

namespace testhost {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the units are handed over unconverted");

class StdRegExp final : public TestRegExp {
 public:
  StdRegExp(TestAddInHost& host, std::wregex expression)
      : TestRegExp(host), expression_(std::move(expression)) {}

  int32_t ZAKCALL Match(const char16_t* text, int32_t start, int32_t) override {
    SetMatch(0, 0);
    if (text == nullptr || start < 0) return 1;
    const auto* begin = reinterpret_cast<const wchar_t*>(text);
    const auto* end = begin + std::char_traits<char16_t>::length(text);
    if (start > end - begin) return 1;
    // As for PCRE2 at a start offset, the units before the start still count for \b.
    const auto flags =
        start > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
    std::wcmatch match;
    if (!std::regex_search(begin + start, end, match, expression_, flags)) return 1;
    SetMatch(start + static_cast<int32_t>(match.position(0)), static_cast<int32_t>(match.length(0)));
    return 0;
  }

 private:
  std::wregex expression_;
};

}  // namespace

TestRegExp* TestRegExp::Compile(TestAddInHost& host, const char16_t* pattern, bool caseless) {
  auto options = std::regex_constants::ECMAScript;
  if (caseless) options |= std::regex_constants::icase;
  try {
    return new StdRegExp(host, std::wregex(reinterpret_cast<const wchar_t*>(pattern), options));
  } catch (const std::regex_error&) {
    return nullptr;
  }
}

}  // namespace testhost
