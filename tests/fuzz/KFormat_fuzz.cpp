// Fuzzes KFormat's format parsing with any format and a fixed list of arguments of every kind: the bounded
// form writes inside its buffer and gives the start of the whole result and its length.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>

#include "FuzzFile.h"
#include "support/KFormat.h"

namespace {

// A width or precision makes a result of that many characters, so the fuzzer keeps them to four digits
// and keeps the arguments that a "*" may take small; large values come only with formats without "*".
bool WithinMemoryLimit(std::u16string_view format, bool largeArguments) {
  if (largeArguments && format.find(u'*') != std::u16string_view::npos) return false;
  size_t run = 0;
  for (const char16_t c : format) {
    run = c >= u'0' && c <= u'9' ? run + 1 : 0;
    if (run > 4) return false;
  }
  return true;
}

using Limits = std::numeric_limits<double>;
const KFormatArg kSmall[] = {-7, 42u, 3.5, u"text", 9999, char16_t{0xE9}, -0.0, 1e-5, u"", -9999.5, 0};
const KFormatArg kLarge[] = {INT64_MIN, UINT64_MAX,      -1e300, Limits::quiet_NaN(), -Limits::infinity(),
                             2.5e15,    u"\x20AC\xD83D", 70000,  Limits::denorm_min()};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t capacity = data[0] >> 1;
  const bool large = data[0] & 1;
  const std::u16string format = fuzz::Widen({reinterpret_cast<const char*>(data) + 1, size - 1});
  if (!WithinMemoryLimit(format, large)) return 0;
  const KFormatArgs args = large ? KFormatArgs(kLarge) : KFormatArgs(kSmall);

  std::u16string whole;
  KFormatAppend(whole, format, args);
  // A block of exactly the capacity (one sentinel unit for a capacity of 0, which must stay untouched).
  const auto buffer = std::make_unique<char16_t[]>(std::max<size_t>(capacity, 1));
  buffer[0] = u'#';
  fuzz::Require(static_cast<size_t>(KFormatTo(buffer.get(), capacity, format, args)) == whole.size());
  // %c of 0 writes a zero unit, so the comparison counts units instead of stopping at the first zero.
  const size_t kept = std::min(whole.size(), capacity - 1);
  fuzz::Require(capacity == 0 ? buffer[0] == u'#'
                              : buffer[kept] == 0 && std::u16string_view(buffer.get(), kept) ==
                                                         std::u16string_view(whole).substr(0, kept));
  return 0;
}
