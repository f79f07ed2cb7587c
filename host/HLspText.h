// A document's text as the editor holds it, its edits, and positions in the units the client and server
// agreed on (UTF-16 code units, the protocol's default, or UTF-8 bytes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class HLspText {
 public:
  enum class Encoding { Utf8, Utf16 };
  struct Position {
    long line = 0;  // 0-based, lines end at '\n'
    long character = 0;

    bool operator==(const Position&) const = default;
  };

  HLspText(std::string text, Encoding encoding);

  const std::string& Text() const { return m_text; }
  void SetText(std::string text);
  // Replaces the range from..to by the text; each position is clamped to the document as the protocol
  // wants it: a character past its line's end is the line's end, a line past the last is the text's end.
  void Replace(Position from, Position to, std::string_view text);

  size_t Offset(Position position) const;
  Position PositionOf(size_t offset) const;
  // The position of a reader's 1-based line and column, the column counted in characters.
  Position FromColumn(long line, long column) const;

 private:
  void IndexLines();
  // The line's bytes without its line end.
  std::string_view Line(size_t line) const;

  std::string m_text;
  Encoding m_encoding;
  std::vector<size_t> m_lineStarts;
};
