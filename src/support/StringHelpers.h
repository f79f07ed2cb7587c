// String helpers on UTF-16 buffers: formatting into rotating buffers, string-table loading, bounded
// appending, replacing, accelerator stripping and trimming.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/KFormat.h"

// Size in characters of each of the four rotating buffers.
constexpr int kTempBufferSize = 1024;

// The next of the four rotating buffers: a result stays valid for four further uses. Single-threaded.
char16_t* NextTempBuffer();

// Formats into the next rotating buffer, cut to 1023 characters.
char16_t* FormatTemp(std::u16string_view format, KFormatArgs args);
// Formats into buffer, cut to capacity - 1 characters; a null buffer means FormatTemp; a capacity of 0
// leaves the buffer untouched.
char16_t* FormatToBuffer(char16_t* buffer, int capacity, std::u16string_view format, KFormatArgs args);
// Formats behind the text the buffer already holds, within the rest of its capacity.
char16_t* AppendFormat(char16_t* buffer, int capacity, std::u16string_view format, KFormatArgs args);

template <class... A>
char16_t* FormatTemp(std::u16string_view format, const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  return FormatTemp(format, KFormatArgs(list, sizeof...(A)));
}

template <class... A>
char16_t* FormatToBuffer(char16_t* buffer, int capacity, std::u16string_view format, const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  return FormatToBuffer(buffer, capacity, format, KFormatArgs(list, sizeof...(A)));
}

template <class... A>
char16_t* AppendFormat(char16_t* buffer, int capacity, std::u16string_view format, const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  return AppendFormat(buffer, capacity, format, KFormatArgs(list, sizeof...(A)));
}

// The string with that id, or the fallback when the string table has none (the empty text without one),
// cut to capacity - 1. A null buffer means the next rotating buffer (and its capacity); a capacity of 0
// returns the buffer untouched. A given buffer always comes with its capacity, so no default may overrun it.
char16_t* LoadStringTemp(uint32_t id, char16_t* buffer, int capacity, const char16_t* fallback = nullptr);
inline char16_t* LoadStringTemp(uint32_t id) { return LoadStringTemp(id, nullptr, kTempBufferSize); }

// Appends as much of text as fits within capacity (terminator included); nothing when the buffer already
// holds capacity - 1 characters.
char16_t* AppendBounded(char16_t* buffer, std::u16string_view text, size_t capacity);

// Replaces every occurrence of from, left to right; the search goes on behind each inserted text. Returns
// the number of replacements (0 for an empty from).
int ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to);

// Removes each "&" and keeps the character after it ("&&" gives "&"); a final "&" goes.
void StripAccelerators(char16_t* buffer);

// Removes the last character if it is c, or whatever it is when c is 0; false when nothing was removed.
bool RemoveLastChar(char16_t* buffer, char16_t c);

// White space as the C library's iswspace sees it in UTF-8 locales: tab, LF, VT, FF, CR, blank, and the
// Unicode spaces U+1680, U+2000 to U+2006, U+2008 to U+200A, U+2028, U+2029, U+205F, U+3000. The no-break
// spaces (U+00A0, U+2007, U+202F) and U+0085 are not white space: a pattern may well hold them at its ends.
bool IsWhiteSpace(char16_t c);

// Removes white space at both ends, moving the text to the front.
void TrimInPlace(char16_t* buffer);
void TrimInPlace(std::u16string& text);
