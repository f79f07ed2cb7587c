// The host's regular-expression objects: PCRE2 on UTF-16 code units, JIT-compiled, with bounded matching.
#pragma once

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <string>

#include "addin/HostInterfaceBases.h"

class HRegExp final : public KHostRegExpBase {
 public:
  // Compiles the pattern; null when it does not compile, with the reason and offset in *error.
  static HRegExp* Create(const char16_t* pattern, int32_t flags, std::string* error);

  HRegExp(const HRegExp&) = delete;
  HRegExp& operator=(const HRegExp&) = delete;

  // The module collects a text's matches by calling Match on one buffer with growing starts. Measuring the
  // text on every call would make that quadratic (and PCRE2 measures a zero-terminated subject itself), so
  // the length is remembered with the pointer. Contract: a text passed again at the same address with a
  // start above 0 is unchanged since the last call; a start of 0 (where every collection begins) or another
  // address measures anew.
  int32_t ZAKCALL Match(const char16_t* text, int32_t start, int32_t minusOne) override;
  int32_t ZAKCALL GetMatch(int32_t* start, int32_t* length) override;
  int32_t ZAKCALL Destroy() override;

 private:
  HRegExp(pcre2_code* code, bool jit);
  ~HRegExp();
  size_t TextLength(const char16_t* text, int32_t start);

  pcre2_code* m_code;
  bool m_jit;  // compiled for the JIT, which matches through its own entry
  pcre2_match_data* m_matchData;
  pcre2_match_context* m_matchContext;
  const char16_t* m_text = nullptr;
  size_t m_textLength = 0;
  int32_t m_start = 0;
  int32_t m_length = 0;
};
