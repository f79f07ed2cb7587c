// String helpers on UTF-16 buffers: rotating buffers, formatting and string-table loading into buffers,
// bounded appending, replacing, accelerator stripping and trimming.
#include "support/StringHelpers.h"

#include <algorithm>

#include "support/KResourceSource.h"

namespace {

using Traits = std::char_traits<char16_t>;

// The trimmed part of text: [first, last).
std::pair<size_t, size_t> TrimmedRange(std::u16string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsWhiteSpace(text[first])) ++first;
  while (last > first && IsWhiteSpace(text[last - 1])) --last;
  return {first, last};
}

}  // namespace

char16_t* NextTempBuffer() {
  static char16_t buffers[4][kTempBufferSize];
  static int index = 0;
  index = (index + 1) % 4;
  return buffers[index];
}

char16_t* FormatTemp(std::u16string_view format, KFormatArgs args) {
  char16_t* buffer = NextTempBuffer();
  KFormatTo(buffer, kTempBufferSize, format, args);
  return buffer;
}

char16_t* FormatToBuffer(char16_t* buffer, int capacity, std::u16string_view format, KFormatArgs args) {
  if (!buffer) return FormatTemp(format, args);
  if (capacity > 0) KFormatTo(buffer, static_cast<size_t>(capacity), format, args);
  return buffer;
}

char16_t* AppendFormat(char16_t* buffer, int capacity, std::u16string_view format, KFormatArgs args) {
  std::u16string text;
  KFormatAppend(text, format, args);
  return capacity > 0 ? AppendBounded(buffer, text, static_cast<size_t>(capacity)) : buffer;
}

char16_t* LoadStringTemp(uint32_t id, char16_t* buffer, int capacity, const char16_t* fallback) {
  if (!buffer) {
    buffer = NextTempBuffer();
    capacity = kTempBufferSize;
  }
  if (capacity <= 0) return buffer;
  std::u16string text;
  if (!ResourceSource().GetString(id, text)) text = fallback ? fallback : u"";
  buffer[0] = 0;
  return AppendBounded(buffer, text, static_cast<size_t>(capacity));
}

char16_t* AppendBounded(char16_t* buffer, std::u16string_view text, size_t capacity) {
  if (capacity == 0) return buffer;
  // A buffer without a terminator within its capacity counts as full.
  size_t length = 0;
  while (length < capacity && buffer[length]) ++length;
  if (length + 1 >= capacity) return buffer;
  const size_t count = std::min(text.size(), capacity - 1 - length);
  std::copy_n(text.data(), count, buffer + length);
  buffer[length + count] = 0;
  return buffer;
}

int ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
  if (from.empty()) return 0;
  int count = 0;
  for (size_t pos = text.find(from); pos != std::u16string::npos; pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
    ++count;
  }
  return count;
}

void StripAccelerators(char16_t* buffer) {
  char16_t* out = buffer;
  for (const char16_t* in = buffer; *in; ++in) {
    if (*in == u'&' && !*++in) break;
    *out++ = *in;
  }
  *out = 0;
}

bool RemoveLastChar(char16_t* buffer, char16_t c) {
  const size_t length = Traits::length(buffer);
  if (length == 0 || (c != 0 && buffer[length - 1] != c)) return false;
  buffer[length - 1] = 0;
  return true;
}

bool IsWhiteSpace(char16_t c) {
  if (c < 0x80) return c == u' ' || (c >= u'\t' && c <= u'\r');
  return c == 0x1680 || (c >= 0x2000 && c <= 0x200A && c != 0x2007) || c == 0x2028 || c == 0x2029 ||
         c == 0x205F || c == 0x3000;
}

void TrimInPlace(char16_t* buffer) {
  const auto [first, last] = TrimmedRange(buffer);
  std::copy(buffer + first, buffer + last, buffer);
  buffer[last - first] = 0;
}

void TrimInPlace(std::u16string& text) {
  const auto [first, last] = TrimmedRange(text);
  text = text.substr(first, last - first);
}
