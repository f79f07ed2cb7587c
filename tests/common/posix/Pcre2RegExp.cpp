// The test host's expressions on Linux: PCRE2 over UTF-16 code units, as the reference host's.
#include "common/TestRegExp.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace testhost {

namespace {

class Pcre2RegExp final : public TestRegExp {
 public:
  Pcre2RegExp(TestAddInHost& host, pcre2_code* code)
      : TestRegExp(host), code_(code), match_(pcre2_match_data_create_from_pattern(code, nullptr)) {}
  ~Pcre2RegExp() override {
    pcre2_match_data_free(match_);
    pcre2_code_free(code_);
  }

  int32_t ZAKCALL Match(const char16_t* text, int32_t start, int32_t) override {
    SetMatch(0, 0);
    if (text == nullptr || start < 0) return 1;
    const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text), PCRE2_ZERO_TERMINATED,
                               static_cast<PCRE2_SIZE>(start), 0, match_, nullptr);
    if (rc < 0) return 1;
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(match_);
    SetMatch(static_cast<int32_t>(vector[0]), static_cast<int32_t>(vector[1] - vector[0]));
    return 0;
  }

 private:
  pcre2_code* code_;
  pcre2_match_data* match_;
};

}  // namespace

TestRegExp* TestRegExp::Compile(TestAddInHost& host, const char16_t* pattern, bool caseless) {
  const uint32_t options = PCRE2_UTF | (caseless ? PCRE2_CASELESS : 0u);
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, options,
                                   &error, &offset, nullptr);
  return code != nullptr ? new Pcre2RegExp(host, code) : nullptr;
}

}  // namespace testhost
