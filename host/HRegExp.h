// The host's regular-expression objects: PCRE2 on UTF-16 code units, JIT-compiled, with bounded matching.
#pragma once

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <string>

#include "addin/HostInterfaceBases.h"

class HRegExp;

// Told what would otherwise make a rule find nothing without a word: a pattern that does not compile, and a
// search that stops at one of the limits below (it then reads as "no match", though there may be one).
class HRegExpObserver {
 public:
  virtual void CompileFailed(const std::u16string& pattern, bool caseSensitive, const std::string& error) = 0;
  virtual void LimitReached(const HRegExp& regExp, const char* limit) = 0;

 protected:
  ~HRegExpObserver() = default;
};

// A runaway pattern (nested quantifiers on a long text) must end in milliseconds, not hang a CI job; the
// defaults still leave room for any sensible pattern on a translation unit. The depth and heap limits bind
// the interpreter only, which runs where there is no JIT; the JIT stack the compiled code only (PCRE2's own
// 32 KiB end a repeated group after some thousand repetitions).
struct HRegExpLimits {
  uint32_t match = 1'000'000;
  uint32_t depth = 10'000;
  uint32_t heapKiB = 20'000;
  uint32_t jitStackKiB = 1024;
  bool jit = true;
};

class HRegExp final : public KHostRegExpBase {
 public:
  // Compiles the pattern; null when it does not compile, with the reason and offset in *error. The observer,
  // if any, must outlive the object.
  static HRegExp* Create(const char16_t* pattern, int32_t flags, std::string* error,
                         HRegExpObserver* observer = nullptr, const HRegExpLimits& limits = {});

  const std::u16string& Pattern() const { return m_pattern; }
  bool CaseSensitive() const { return m_caseSensitive; }

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
  HRegExp(pcre2_code* code, bool jit, const char16_t* pattern, int32_t flags, HRegExpObserver* observer,
          const HRegExpLimits& limits);
  ~HRegExp();
  size_t TextLength(const char16_t* text, int32_t start);

  std::u16string m_pattern;
  bool m_caseSensitive;
  HRegExpObserver* m_observer;
  pcre2_code* m_code;
  bool m_jit;  // compiled for the JIT, which matches through its own entry
  pcre2_match_data* m_matchData;
  pcre2_match_context* m_matchContext;
  pcre2_jit_stack* m_jitStack = nullptr;
  const char16_t* m_text = nullptr;
  size_t m_textLength = 0;
  int32_t m_start = 0;
  int32_t m_length = 0;
};
