// Number text: the user's decimal separator, doubles formatted and parsed with it, and C-locale number
// scanners built on std::from_chars, so that no locale the host process sets changes what is read.
#include "support/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "support/StringHelpers.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace {

char16_t cachedSeparator = 0;

#ifdef _WIN32
char16_t ReadDecimalSeparator() {
  wchar_t text[8] = {};
  GetProfileStringW(L"intl", L"sDecimal", L".", text, 8);
  return text[0] ? static_cast<char16_t>(text[0]) : u'.';
}
#else
// The first character of a UTF-8 text; some locales have a radix character outside ASCII (U+066B).
char16_t FirstCharacter(std::string_view text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  if (text.empty()) return u'.';
  if (byte(0) < 0x80) return byte(0);
  if ((byte(0) & 0xE0) == 0xC0 && text.size() >= 2)
    return static_cast<char16_t>((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F));
  if ((byte(0) & 0xF0) == 0xE0 && text.size() >= 3)
    return static_cast<char16_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
  return u'.';
}

// A locale object of its own, so the process's current locale is never changed.
char16_t ReadDecimalSeparator() {
  const locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (!locale) return u'.';
  const char16_t separator = FirstCharacter(nl_langinfo_l(RADIXCHAR, locale));
  freelocale(locale);
  return separator;
}
#endif

// The ASCII characters at the start of text: anything beyond ends a number anyway.
std::string AsciiPrefix(std::u16string_view text) {
  std::string ascii;
  for (const char16_t c : text) {
    if (c >= 0x80 || c == 0) break;
    ascii.push_back(static_cast<char>(c));
  }
  return ascii;
}

// Skips C white space and one sign; true when the sign was "-".
bool SkipSpaceAndSign(std::string_view& text) {
  while (!text.empty() && (text[0] == ' ' || (text[0] >= '\t' && text[0] <= '\r'))) text.remove_prefix(1);
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  return negative;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

// Removes a "0x" or "0X" that a hexadecimal digit (or, for floating point, a point) follows.
bool SkipHexPrefix(std::string_view& text, bool allowPoint) {
  if (text.size() < 3 || text[0] != '0' || (text[1] | 0x20) != 'x') return false;
  if (!IsHexDigit(text[2]) && !(allowPoint && text[2] == '.')) return false;
  text.remove_prefix(2);
  return true;
}

// Whether a number that from_chars found beyond the range of double lies above it rather than below: the
// place of its first significant digit, moved by the exponent, says on which side of 1 it lies.
bool AboveRange(std::string_view number, bool hex) {
  const size_t mark = number.find_first_of(hex ? "pP" : "eE");
  int64_t exponent = 0;
  if (mark != std::string_view::npos) {
    std::string_view digits = number.substr(mark + 1);
    const bool negative = SkipSpaceAndSign(digits);
    // An exponent too long for 64 bits is as good as infinite.
    if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc())
      exponent = INT64_MAX / 8;
    if (negative) exponent = -exponent;
  }
  // The place of the first non-zero digit: 1 for the units, 0 for the first digit behind the point.
  int64_t place = 0;
  bool point = false;
  bool significant = false;
  for (const char c : number.substr(0, mark)) {
    if (c == '.') {
      point = true;
    } else if (significant || c != '0') {
      significant = true;
      if (!point) ++place;
    } else if (point) {
      --place;
    }
  }
  return (hex ? 4 : 1) * place + exponent > 0;
}

}  // namespace

char16_t DecimalSeparator() {
  if (!cachedSeparator) cachedSeparator = ReadDecimalSeparator();
  return cachedSeparator;
}

void SetDecimalSeparatorForTesting(char16_t separator) {
  cachedSeparator = separator;
}

char16_t* FormatDouble(char16_t* buffer, int capacity, std::u16string_view format, double value) {
  if (!buffer) {
    buffer = NextTempBuffer();
    capacity = kTempBufferSize;
  }
  if (capacity == 0) return buffer;
  const size_t limit = capacity < 0 ? SIZE_MAX : static_cast<size_t>(capacity);
  const KFormatArg args[] = {KFormatArg(value)};
  const size_t length = std::min<size_t>(KFormatTo(buffer, limit, format, args), limit - 1);
  const char16_t separator = DecimalSeparator();
  char16_t* point = std::find(buffer, buffer + length, u'.');
  if (separator != u'.' && point != buffer + length) *point = separator;
  return buffer;
}

double ParseDouble(std::u16string_view text) {
  std::u16string copy(text.substr(0, 31));
  const size_t separator = copy.find(DecimalSeparator());
  if (separator != std::u16string::npos) copy[separator] = u'.';
  double value = 0.0;
  return ScanDouble(copy, value) ? value : 0.0;
}

bool ScanDouble(std::u16string_view text, double& value) {
  const std::string ascii = AsciiPrefix(text);
  std::string_view rest = ascii;
  const bool negative = SkipSpaceAndSign(rest);
  const bool hex = SkipHexPrefix(rest, true);
  // from_chars takes its own "-", which the C scanner would refuse after a sign.
  if (rest.empty() || rest[0] == '-') return false;
  const auto format = hex ? std::chars_format::hex : std::chars_format::general;
  double magnitude = 0.0;
  const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, format);
  // Beyond the range of double the C scanner still reads one number: infinity above, zero below.
  if (result.ec == std::errc::result_out_of_range) {
    const std::string_view number(rest.data(), static_cast<size_t>(result.ptr - rest.data()));
    magnitude = AboveRange(number, hex) ? HUGE_VAL : 0.0;
  } else if (result.ec != std::errc()) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  return true;
}

bool ScanInteger(std::u16string_view text, int base, int64_t& value) {
  const std::string ascii = AsciiPrefix(text);
  std::string_view rest = ascii;
  const bool negative = SkipSpaceAndSign(rest);
  if ((base == 16 || base == 0) && SkipHexPrefix(rest, false)) base = 16;
  if (base == 0) base = rest.size() > 1 && rest[0] == '0' ? 8 : 10;
  if (rest.empty() || rest[0] == '-') return false;
  uint64_t magnitude = 0;
  const auto result = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude, base);
  if (result.ec != std::errc()) return false;
  value = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
  return true;
}
