// Finding tags in XML text: only as much of the syntax as it takes to step over what is not a tag.
#include "HXmlTags.h"

#include <algorithm>
#include <cstring>

#include "support/KUtf8.h"

namespace {

// The column of the byte after these, which start at that column. Each unit's texts ask for theirs, so the
// line's start is found with memrchr.
long ColumnAfter(std::string_view bytes, long column) {
  if (const void* newline = memrchr(bytes.data(), '\n', bytes.size())) {
    column = 1;
    bytes.remove_prefix(static_cast<const char*>(newline) - bytes.data() + 1);
  }
  return column + static_cast<long>(Utf8Characters(bytes));
}

}  // namespace

void HXmlTags::Forget(size_t position) {
  const size_t forget = std::min(position - std::min(position, m_base), m_pos);
  // Moving the rest to the front only once half the buffer is behind keeps the cost linear in the file.
  if (forget == 0 || forget * 2 < m_text.size()) return;
  m_baseColumn = ColumnAfter(std::string_view(m_text).substr(0, forget), m_baseColumn);
  m_text.erase(0, forget);
  m_base += forget;
  m_pos -= forget;
}

size_t HXmlTags::SkipTo(size_t from, std::string_view terminator) const {
  const size_t found = std::string_view(m_text).find(terminator, from);
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
    const std::string_view rest = std::string_view(m_text).substr(m_pos);
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
      const size_t begin = m_pos;
      m_pos = SkipTag(m_pos + 1);
      tag = {m_base + begin, m_base + m_pos};
      if (isEnd == endTag) return true;
    }
  }
  m_pos = m_text.size();
  return false;
}

long HXmlTags::ColumnAt(size_t offset) const {
  return ColumnAfter(std::string_view(m_text).substr(0, offset - m_base), m_baseColumn);
}
