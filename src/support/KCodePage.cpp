// KCodePage: 8-bit conversions through the Windows code pages or, elsewhere, through iconv.
#include "support/KCodePage.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include "support/KWindowsApi.h"
#else
#include <iconv.h>
#endif

namespace {

uint32_t ansiOverride = 0;

uint32_t SystemAnsi() {
#ifdef _WIN32
  return GetACP();
#else
  const char* configured = std::getenv("IP_ANSI_CODEPAGE");
  const unsigned long number = configured ? std::strtoul(configured, nullptr, 10) : 0;
  return number > 0 && number <= 0xFFFF ? static_cast<uint32_t>(number) : 1252;
#endif
}

}  // namespace

uint32_t KCodePage::Ansi() { return ansiOverride != 0 ? ansiOverride : SystemAnsi(); }

void KCodePage::SetAnsi(uint32_t number) { ansiOverride = number; }

KCodePage::KCodePage(uint32_t number) : number_(number != 0 ? number : Ansi()) {}

KCodePage::~KCodePage() { Release(); }

KCodePage::KCodePage(KCodePage&& other) noexcept
    : number_(other.number_),
      toWide_(std::exchange(other.toWide_, nullptr)),
      toBytes_(std::exchange(other.toBytes_, nullptr)) {}

KCodePage& KCodePage::operator=(KCodePage&& other) noexcept {
  if (this != &other) {
    Release();
    number_ = other.number_;
    toWide_ = std::exchange(other.toWide_, nullptr);
    toBytes_ = std::exchange(other.toBytes_, nullptr);
  }
  return *this;
}

bool KCodePage::ToBytes(std::u16string_view text, std::string& out) { return Encode(text, out, false); }

bool KCodePage::ToBytesLossy(std::u16string_view text, std::string& out) { return Encode(text, out, true); }

#ifdef _WIN32

void KCodePage::Release() {}

bool KCodePage::IsLeadByte(uint8_t byte) const { return IsDBCSLeadByteEx(number_, byte) != FALSE; }

bool KCodePage::CharToWide(std::string_view bytes, char16_t& out) {
  wchar_t unit = 0;
  const int count = MultiByteToWideChar(number_, MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), &unit, 1);
  out = static_cast<char16_t>(unit);
  return count == 1;
}

bool KCodePage::Encode(std::u16string_view text, std::string& out, bool lossy) {
  out.clear();
  if (text.empty()) return IsValidCodePage(number_) != FALSE;
  // UTF-8 and UTF-7 refuse the used-default-character test; they report bad input by failing instead.
  const bool utf = number_ == CP_UTF8 || number_ == CP_UTF7;
  const DWORD flags = lossy ? 0 : (utf ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS);
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = lossy || utf ? nullptr : &usedDefault;
  const auto* units = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(number_, flags, units, length, nullptr, 0, nullptr, usedDefaultOut);
  if (size <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(size));
  return WideCharToMultiByte(number_, flags, units, length, out.data(), size, nullptr, nullptr) == size;
}

#else

namespace {

// The iconv name of a Windows code page number.
std::string IconvName(uint32_t number) {
  struct Named {
    uint32_t number;
    const char* name;
  };
  static constexpr Named kNames[] = {
      {65001, "UTF-8"},   {20127, "ASCII"},   {20866, "KOI8-R"}, {21866, "KOI8-U"}, {20932, "EUC-JP"},
      {51932, "EUC-JP"},  {51949, "EUC-KR"},  {54936, "GB18030"}, {10000, "MACINTOSH"}, {28603, "ISO-8859-13"},
      {28605, "ISO-8859-15"},
  };
  for (const Named& named : kNames)
    if (named.number == number) return named.name;
  if (number >= 28591 && number <= 28599) return "ISO-8859-" + std::to_string(number - 28590);
  return "CP" + std::to_string(number);
}

// Windows-1252 leaves five bytes undefined; Windows maps each to the C1 control character of its value,
// iconv refuses them. Both directions follow Windows, so an ANSI rule file reads the same everywhere.
bool IsC1OnlyIn1252(uint32_t number, char16_t unit) {
  return number == 1252 && (unit == 0x81 || unit == 0x8D || unit == 0x8F || unit == 0x90 || unit == 0x9D);
}

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// Opens the descriptor between UTF-16 and the code page on first use; false when iconv does not know the
// code page.
bool OpenOnce(void*& descriptor, uint32_t number, bool toWide) {
  if (descriptor == nullptr) {
    const std::string name = IconvName(number);
    iconv_t opened = toWide ? iconv_open(kUtf16, name.c_str()) : iconv_open(name.c_str(), kUtf16);
    if (opened == reinterpret_cast<iconv_t>(-1)) return false;
    descriptor = opened;
  }
  iconv(static_cast<iconv_t>(descriptor), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  return true;
}

}  // namespace

void KCodePage::Release() {
  if (toWide_ != nullptr) iconv_close(static_cast<iconv_t>(toWide_));
  if (toBytes_ != nullptr) iconv_close(static_cast<iconv_t>(toBytes_));
  toWide_ = toBytes_ = nullptr;
}

bool KCodePage::IsLeadByte(uint8_t byte) const {
  switch (number_) {
    case 932:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

bool KCodePage::CharToWide(std::string_view bytes, char16_t& out) {
  if (bytes.size() == 1 && IsC1OnlyIn1252(number_, static_cast<uint8_t>(bytes[0]))) {
    out = static_cast<uint8_t>(bytes[0]);
    return true;
  }
  if (!OpenOnce(toWide_, number_, true)) return false;
  char input[2] = {};
  const size_t count = std::min(bytes.size(), sizeof input);
  std::memcpy(input, bytes.data(), count);
  char16_t units[2] = {};
  char* in = input;
  size_t inLeft = count;
  char* outBytes = reinterpret_cast<char*>(units);
  size_t outLeft = sizeof units;
  const size_t done = iconv(static_cast<iconv_t>(toWide_), &in, &inLeft, &outBytes, &outLeft);
  out = units[0];
  return done != static_cast<size_t>(-1) && inLeft == 0 && outLeft == sizeof units - sizeof(char16_t);
}

bool KCodePage::Encode(std::u16string_view text, std::string& out, bool lossy) {
  out.clear();
  if (!OpenOnce(toBytes_, number_, false)) return false;
  // Four bytes per unit cover every code page (GB18030 needs four for a surrogate pair, UTF-8 three for a
  // unit); the extra room takes the shift sequence of a stateful page.
  std::string buffer(text.size() * 4 + 16, '\0');
  auto* descriptor = static_cast<iconv_t>(toBytes_);
  char* in = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  size_t inLeft = text.size() * sizeof(char16_t);
  char* outBytes = buffer.data();
  size_t outLeft = buffer.size();
  while (inLeft > 0) {
    if (iconv(descriptor, &in, &inLeft, &outBytes, &outLeft) != static_cast<size_t>(-1)) continue;
    const auto* unit = reinterpret_cast<const char16_t*>(in);
    if (errno == EILSEQ && outLeft > 0 && IsC1OnlyIn1252(number_, unit[0])) {
      *outBytes++ = static_cast<char>(unit[0]);
      --outLeft;
      in += sizeof(char16_t);
      inLeft -= sizeof(char16_t);
      continue;
    }
    if (!lossy || (errno != EILSEQ && errno != EINVAL) || outLeft == 0) return false;
    // Skip the character that has no bytes here: a surrogate pair as a whole, any other unit alone.
    const bool pair = inLeft >= 4 && unit[0] >= 0xD800 && unit[0] < 0xDC00 && unit[1] >= 0xDC00 && unit[1] < 0xE000;
    const size_t skip = pair ? 4 : 2;
    in += skip;
    inLeft -= skip;
    *outBytes++ = '?';
    --outLeft;
  }
  if (iconv(descriptor, nullptr, nullptr, &outBytes, &outLeft) == static_cast<size_t>(-1)) return false;
  buffer.resize(buffer.size() - outLeft);
  out = std::move(buffer);
  return true;
}

#endif

char* WideToAnsi(char* out, const char16_t* text, size_t capacity) {
  if (capacity == 0) return out;
  KCodePage page;
  std::string bytes;
  if (text == nullptr || !page.ToBytesLossy(text, bytes)) bytes.clear();
  size_t length = 0;
  while (length < bytes.size()) {
    const size_t next = length + (page.IsLeadByte(static_cast<uint8_t>(bytes[length])) ? 2 : 1);
    if (next > capacity - 1) break;
    length = next;
  }
  std::memcpy(out, bytes.data(), length);
  out[length] = '\0';
  return out;
}
