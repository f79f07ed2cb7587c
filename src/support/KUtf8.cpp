// UTF-8 <-> UTF-16 conversion that replaces what it cannot convert by U+FFFD.
#include "support/KUtf8.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Decodes one sequence at text[i] and advances i past it; a malformed sequence consumes only its first
// byte, so the bytes behind it are decoded on their own.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  size_t trail = 0;
  char32_t codePoint = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    trail = 1, codePoint = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    trail = 2, codePoint = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    trail = 3, codePoint = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  if (i + trail > text.size()) return kReplacement;
  for (size_t k = 0; k < trail; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kReplacement;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || IsHighSurrogate(codePoint) ||
      IsLowSurrogate(codePoint)) {
    return kReplacement;
  }
  i += trail;
  return codePoint;
}

// Decodes the code point at text[i] (a surrogate pair or one unit) and advances i past it.
char32_t DecodeUtf16(std::u16string_view text, size_t& i) {
  const char32_t unit = text[i++];
  if (IsHighSurrogate(unit) && i < text.size() && IsLowSurrogate(text[i])) {
    return 0x10000 + ((unit - 0xD800) << 10) + (text[i++] - 0xDC00);
  }
  return IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacement : unit;
}

// Whether the eight bytes at i are there and all ASCII: plain text, most of a translation file, is taken a
// block at a time.
bool AsciiBlockAt(std::string_view text, size_t i) {
  uint64_t block = 0;
  if (i + sizeof block > text.size()) return false;
  std::memcpy(&block, text.data() + i, sizeof block);
  return (block & 0x8080808080808080ULL) == 0;
}

}  // namespace

// Each unit's texts have their columns counted, so the bytes are taken eight at a time: one bit per
// continuation byte, summed by a multiplication (a popcount instruction is not in every x86-64 processor, and
// the library's stand-in for it costs more than the rest of the loop).
size_t Utf8Characters(std::string_view text) {
  size_t characters = 0;
  size_t i = 0;
  for (uint64_t block = 0; i + sizeof block <= text.size(); i += sizeof block) {
    std::memcpy(&block, text.data() + i, sizeof block);
    const uint64_t continuations = (block & ~(block << 1) & 0x8080808080808080ULL) >> 7;
    characters += sizeof block - ((continuations * 0x0101010101010101ULL) >> 56);
  }
  for (; i < text.size(); ++i) characters += (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
  return characters;
}

// Every unit's texts pass through here, so it skips ASCII eight bytes at a time and checks a sequence by the
// ranges of its bytes without decoding it: the second byte's range after E0, ED, F0 and F4 is what rules
// out overlong forms, surrogates and values beyond U+10FFFF, the cases DecodeUtf8 replaces.
bool IsUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const size_t size = text.size();
  for (size_t i = 0; i < size;) {
    if (AsciiBlockAt(text, i)) {
      i += sizeof(uint64_t);
      continue;
    }
    const unsigned char lead = bytes[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t trail = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
      return false;
    }
    if (i + trail >= size || bytes[i + 1] < low || bytes[i + 1] > high) return false;
    for (size_t k = 2; k <= trail; ++k)
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
    i += trail + 1;
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  Utf8ToUtf16(text, out);
  return out;
}

void Utf8ToUtf16(std::string_view text, std::u16string& out) {
  // Never more units than bytes, so one allocation serves; plain ASCII, most of a translation file, is
  // stored without decoding, eight bytes at a time where they are.
  out.resize(text.size());
  size_t length = 0;
  for (size_t i = 0; i < text.size();) {
    if (AsciiBlockAt(text, i)) {
      std::copy_n(reinterpret_cast<const unsigned char*>(text.data() + i), sizeof(uint64_t),
                  out.data() + length);
      length += sizeof(uint64_t);
      i += sizeof(uint64_t);
      continue;
    }
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      out[length++] = byte;
      ++i;
      continue;
    }
    char32_t codePoint = DecodeUtf8(text, i);
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      out[length++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
      codePoint = 0xDC00 + (codePoint & 0x3FF);
    }
    out[length++] = static_cast<char16_t>(codePoint);
  }
  out.resize(length);
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) AppendUtf8(out, DecodeUtf16(text, i));
  return out;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}
