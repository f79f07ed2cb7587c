// UTF-8 <-> UTF-16 conversion for the host: files and the console speak UTF-8, the module UTF-16.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Malformed UTF-8 turns into U+FFFD per bad byte, so no text is ever refused.
std::u16string Utf8ToUtf16(std::string_view text);
// Lone surrogates turn into U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// Copies the UTF-16 form of a text into a host buffer of capacity units (terminator included).
// Result 0 when it fits; otherwise 1 and an empty buffer, so a cut path is never used.
int32_t CopyToBuffer(std::string_view text, char16_t* buffer, int32_t capacity);
