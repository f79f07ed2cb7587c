// UTF-8 <-> UTF-16 conversion: the module's texts are UTF-16, while Linux file names, ini files, the
// console and most localisation files are UTF-8.
#pragma once

#include <string>
#include <string_view>

// Malformed UTF-8 (a stray or missing continuation byte, an overlong form, an encoded surrogate, a value
// beyond U+10FFFF) turns into U+FFFD per bad byte, so no text is ever refused.
std::u16string Utf8ToUtf16(std::string_view text);
// The characters of UTF-8 text as a column counts them: every byte but the continuation bytes (10xxxxxx).
size_t Utf8Characters(std::string_view text);
// Whether the text holds nothing that Utf8ToUtf16 would replace.
bool IsUtf8(std::string_view text);
// The same into out, replacing what it held and reusing its storage.
void Utf8ToUtf16(std::string_view text, std::u16string& out);
// A surrogate without its partner turns into U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// Appends the UTF-8 form of one code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);
