// The tags of an XML text in document order, as byte positions in the document: what lets a reader that
// follows a parser's element events give back the characters between two tags exactly as the file has them.
// The text arrives block by block and is forgotten behind the last position still wanted.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class HXmlTags {
 public:
  struct Tag {
    size_t begin = 0;  // the '<'
    size_t end = 0;    // just after the '>'
  };

  // The document's next bytes, before the parser is given them: every tag it reports is then complete here.
  void Append(std::string_view bytes) { m_text.append(bytes); }
  // Lets go of the bytes before the position; never of a tag not yet returned.
  void Forget(size_t position);

  // The next start tag (or empty-element tag), or end tag, after the last one returned; comments,
  // processing instructions, CDATA sections and the document type declaration are passed over. False when
  // there is none. A parser that reports every element start and end in order keeps this in step.
  bool NextStart(Tag& tag) { return Next(false, tag); }
  bool NextEnd(Tag& tag) { return Next(true, tag); }
  bool IsEmptyElement(const Tag& tag) const { return tag.end - tag.begin >= 2 && At(tag.end - 2) == '/'; }
  // Where the tags not yet returned start.
  size_t Position() const { return m_base + m_pos; }

  std::string_view Between(size_t begin, size_t end) const {
    return std::string_view(m_text).substr(begin - m_base, end - begin);
  }
  // The 1-based column, in characters, of the byte at offset on its line.
  long ColumnAt(size_t offset) const;

 private:
  char At(size_t position) const { return m_text[position - m_base]; }
  bool Next(bool endTag, Tag& tag);
  // The position just after the first terminator from there on, or the text's end.
  size_t SkipTo(size_t from, std::string_view terminator) const;
  size_t SkipTag(size_t from) const;

  std::string m_text;  // the document from m_base on
  size_t m_base = 0;
  long m_baseColumn = 1;  // the column of the byte at m_base
  size_t m_pos = 0;       // in m_text
};
