// iconv from a declared charset to UTF-8; names as gettext and XML declarations spell them.
#include "HCharset.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "HError.h"

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

}  // namespace

HCharset::HCharset(const std::string& name) : m_name(name) {
  if (IsUtf8Compatible(name)) return;
  m_iconv = iconv_open("UTF-8", name.c_str());
  if (m_iconv == reinterpret_cast<iconv_t>(-1)) throw HError("unknown charset \"" + name + "\"");
}

HCharset::~HCharset() {
  if (m_iconv != reinterpret_cast<iconv_t>(-1)) iconv_close(m_iconv);
}

bool HCharset::IsUtf8Compatible(std::string_view name) {
  const std::string upper = Upper(name);
  return upper.empty() || upper == "UTF-8" || upper == "UTF8" || upper == "US-ASCII" || upper == "ASCII" ||
         upper == "CHARSET";
}

std::string HCharset::ToUtf8(std::string_view text) const {
  if (m_iconv == reinterpret_cast<iconv_t>(-1)) return std::string(text);
  // Four UTF-8 bytes per input byte cover every charset iconv knows; one pass, no growing.
  std::string out(text.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char* next = out.data();
  size_t outLeft = out.size();
  iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
  if (iconv(m_iconv, &in, &inLeft, &next, &outLeft) == static_cast<size_t>(-1) ||
      iconv(m_iconv, nullptr, nullptr, &next, &outLeft) == static_cast<size_t>(-1)) {
    throw HError("a text is not valid in its charset \"" + m_name + "\"");
  }
  out.resize(out.size() - outLeft);
  return out;
}

size_t HCharset::AppendUtf8(std::string_view block, std::string& out, bool last) {
  if (m_iconv == reinterpret_cast<iconv_t>(-1)) {
    out.append(block);
    return block.size();
  }
  const size_t start = out.size();
  out.resize(start + block.size() * 4 + 4);
  char* in = const_cast<char*>(block.data());
  size_t inLeft = block.size();
  char* next = out.data() + start;
  size_t outLeft = out.size() - start;
  // The state carries over from block to block (a byte order read once holds for the whole text).
  if (iconv(m_iconv, &in, &inLeft, &next, &outLeft) == static_cast<size_t>(-1) && (errno != EINVAL || last))
    throw HError("a text is not valid in its charset \"" + m_name + "\"");
  out.resize(out.size() - outLeft);
  return block.size() - inLeft;
}
