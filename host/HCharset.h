// Conversion of a file's declared character set to the UTF-8 that every text of the host is kept in.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

class HCharset {
 public:
  // Throws HError("unknown charset \"NAME\"") when iconv cannot convert from the charset.
  explicit HCharset(const std::string& name);
  ~HCharset();
  HCharset(const HCharset&) = delete;
  HCharset& operator=(const HCharset&) = delete;

  // UTF-8 and US-ASCII need no conversion (also gettext's template placeholder "CHARSET").
  static bool IsUtf8Compatible(std::string_view name);

  // Throws HError when the text is not valid in the charset.
  std::string ToUtf8(std::string_view text) const;
  // One block of a longer text: appends the whole characters it holds and returns how many bytes they took
  // (a character cut at the end of a block but the last waits for the next). Throws HError when it is not
  // valid.
  size_t AppendUtf8(std::string_view block, std::string& out, bool last = false);

 private:
  std::string m_name;
  iconv_t m_iconv = reinterpret_cast<iconv_t>(-1);
};
