// PCRE2-backed regular-expression objects handed to the module.
#include "HRegExp.h"

#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "support/KUtf8.h"

namespace {

constexpr size_t kJitStackStart = 32 * 1024;  // grown on demand up to the limit

// The limit behind a failed search; null when the search ended for another reason (no match, bad UTF).
const char* LimitName(int code) {
  switch (code) {
    case PCRE2_ERROR_MATCHLIMIT:
      return "match limit";
    case PCRE2_ERROR_DEPTHLIMIT:
      return "depth limit";
    case PCRE2_ERROR_HEAPLIMIT:
      return "heap limit";
    case PCRE2_ERROR_JIT_STACKLIMIT:
      return "JIT stack limit";
    default:
      return nullptr;
  }
}

// Every expression measures each text it is given, so the terminator is looked for eight units at a time.
// The blocks read are aligned and never cross a page, but the last may hold units behind the terminator
// (as the C library's strlen reads them), which the address sanitizer would take for an overflow.
__attribute__((no_sanitize("address"))) size_t ZeroTerminatedLength(const char16_t* text) {
  const char16_t* end = text;
  for (; reinterpret_cast<uintptr_t>(end) % sizeof(__m128i) != 0; ++end)
    if (*end == 0) return static_cast<size_t>(end - text);
  const __m128i zero = _mm_setzero_si128();
  for (;; end += sizeof(__m128i) / sizeof *end) {
    const int zeros =
        _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_load_si128(reinterpret_cast<const __m128i*>(end)), zero));
    if (zeros != 0)
      return static_cast<size_t>(end - text) +
             static_cast<size_t>(std::countr_zero(static_cast<unsigned>(zeros))) / 2;
  }
}

std::string ErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]);
  if (length < 0) return "unknown error " + std::to_string(code);
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length)));
}

}  // namespace

HRegExp* HRegExp::Create(const char16_t* pattern, int32_t flags, std::string* error,
                         HRegExpObserver* observer, const HRegExpLimits& limits) {
  if (pattern == nullptr) return nullptr;
  // UCP: \b, \w, \d and the POSIX classes follow Unicode properties, so a rule works in every script.
  uint32_t options = PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF;
  if (flags == REGEX_CASE_INSENSITIVE) options |= PCRE2_CASELESS;
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, options,
                                   &errorCode, &errorOffset, nullptr);
  if (code == nullptr) {
    const std::string reason = ErrorText(errorCode) + " at offset " + std::to_string(errorOffset);
    if (error != nullptr) *error = reason;
    if (observer != nullptr) observer->CompileFailed(pattern, flags != REGEX_CASE_INSENSITIVE, reason);
    return nullptr;
  }
  // Without JIT support PCRE2 still matches, only slower; that is no reason to refuse the pattern.
  const bool jit = limits.jit && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) == 0;
  return new HRegExp(code, jit, pattern, flags, observer, limits);
}

HRegExp::HRegExp(pcre2_code* code, bool jit, const char16_t* pattern, int32_t flags,
                 HRegExpObserver* observer, const HRegExpLimits& limits)
    : m_pattern(pattern),
      m_caseSensitive(flags != REGEX_CASE_INSENSITIVE),
      m_observer(observer),
      m_code(code),
      m_jit(jit),
      m_matchData(pcre2_match_data_create_from_pattern(code, nullptr)),
      m_matchContext(pcre2_match_context_create(nullptr)) {
  pcre2_set_match_limit(m_matchContext, limits.match);
  pcre2_set_depth_limit(m_matchContext, limits.depth);
  pcre2_set_heap_limit(m_matchContext, limits.heapKiB);
  if (!limits.jit) return;
  const size_t jitStack = static_cast<size_t>(limits.jitStackKiB) * 1024;
  m_jitStack = pcre2_jit_stack_create(std::min<size_t>(jitStack, kJitStackStart), jitStack, nullptr);
  pcre2_jit_stack_assign(m_matchContext, nullptr, m_jitStack);
}

HRegExp::~HRegExp() {
  pcre2_jit_stack_free(m_jitStack);
  pcre2_match_context_free(m_matchContext);
  pcre2_match_data_free(m_matchData);
  pcre2_code_free(m_code);
}

size_t HRegExp::TextLength(const char16_t* text, int32_t start) {
  if (text != m_text || start == 0) {
    m_text = text;
    m_textLength = ZeroTerminatedLength(text);
  }
  return m_textLength;
}

int32_t HRegExp::Match(const char16_t* text, int32_t start, int32_t /*minusOne*/) {
  if (text == nullptr || start < 0) return 1;
  const size_t length = TextLength(text, start);
  if (static_cast<size_t>(start) > length) return 1;
  // The JIT's own entry skips the checks that the lines above made, and a UTF check that invalid UTF-16
  // does not need (the pattern matches it as it is); the limits hold there too.
  const auto match = m_jit ? pcre2_jit_match : pcre2_match;
  const int rc = match(m_code, reinterpret_cast<PCRE2_SPTR>(text), length, static_cast<PCRE2_SIZE>(start), 0,
                       m_matchData, m_matchContext);
  if (rc < 0) {
    // The module knows no "don't know": a limit reads as "no match", and the observer makes it visible.
    const char* limit = LimitName(rc);
    if (limit != nullptr && m_observer != nullptr) m_observer->LimitReached(*this, limit);
    return 1;
  }
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(m_matchData);
  m_start = static_cast<int32_t>(ovector[0]);
  // \K inside a lookaround can end a match before its start; such a match is empty.
  m_length = ovector[1] > ovector[0] ? static_cast<int32_t>(ovector[1] - ovector[0]) : 0;
  return 0;
}

int32_t HRegExp::GetMatch(int32_t* start, int32_t* length) {
  if (start != nullptr) *start = m_start;
  if (length != nullptr) *length = m_length;
  return 0;
}

int32_t HRegExp::Destroy() {
  delete this;
  return 0;
}
