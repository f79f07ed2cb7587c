// Finding tags in XML text: only as much of the syntax as it takes to step over what is not a tag.
#include "HXmlTags.h"

size_t HXmlTags::SkipTo(size_t from, std::string_view terminator) const {
  const size_t found = m_text.find(terminator, from);
  return found == std::string_view::npos ? m_text.size() : found + terminator.size();
}

// A '>' inside a quoted attribute value does not end the tag.
size_t HXmlTags::SkipTag(size_t from) const {
  char quote = 0;
  for (size_t i = from; i < m_text.size(); ++i) {
    const char c = m_text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return m_text.size();
}

bool HXmlTags::Next(bool endTag, Tag& tag) {
  while ((m_pos = m_text.find('<', m_pos)) != std::string_view::npos) {
    const std::string_view rest = m_text.substr(m_pos);
    if (rest.starts_with("<!--")) {
      m_pos = SkipTo(m_pos + 4, "-->");
    } else if (rest.starts_with("<![CDATA[")) {
      m_pos = SkipTo(m_pos + 9, "]]>");
    } else if (rest.starts_with("<?")) {
      m_pos = SkipTo(m_pos + 2, "?>");
    } else if (rest.starts_with("<!")) {
      // A document type declaration with an internal subset ends at "]>".
      const size_t bracket = m_text.find_first_of("[>", m_pos);
      m_pos = bracket != std::string_view::npos && m_text[bracket] == '[' ? SkipTo(bracket, "]") : m_pos;
      m_pos = SkipTag(m_pos);
    } else {
      const bool isEnd = rest.starts_with("</");
      tag = {m_pos, SkipTag(m_pos + 1)};
      m_pos = tag.end;
      if (isEnd == endTag) return true;
    }
  }
  m_pos = m_text.size();
  return false;
}

long HXmlTags::ColumnAt(size_t offset) const {
  const size_t lineStart = m_text.rfind('\n', offset == 0 ? 0 : offset - 1);
  long column = 1;
  for (size_t i = lineStart == std::string_view::npos ? 0 : lineStart + 1; i < offset; ++i)
    column += (static_cast<unsigned char>(m_text[i]) & 0xC0) != 0x80;
  return column;
}
