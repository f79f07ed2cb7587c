// The tags of an XML text in document order, as byte ranges of the text: what lets a reader that walks the
// parsed nodes give back the characters between two tags exactly as the file has them.
#pragma once

#include <cstddef>
#include <string_view>

class HXmlTags {
 public:
  struct Tag {
    size_t begin = 0;  // the '<'
    size_t end = 0;    // just after the '>'
  };

  explicit HXmlTags(std::string_view text) : m_text(text) {}

  // The next start tag (or empty-element tag), or end tag, after the last one returned; comments,
  // processing instructions, CDATA sections and the document type declaration are passed over. False when
  // there is none. A parser that reports every element start and end in order keeps this in step.
  bool NextStart(Tag& tag) { return Next(false, tag); }
  bool NextEnd(Tag& tag) { return Next(true, tag); }

  std::string_view Between(size_t begin, size_t end) const { return m_text.substr(begin, end - begin); }
  // The 1-based column, in characters, of the byte at offset on its line.
  long ColumnAt(size_t offset) const;

 private:
  bool Next(bool endTag, Tag& tag);
  // The position just after the first terminator from there on, or the text's end.
  size_t SkipTo(size_t from, std::string_view terminator) const;
  size_t SkipTag(size_t from) const;

  std::string_view m_text;
  size_t m_pos = 0;
};
