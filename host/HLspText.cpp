// Counting characters in UTF-8 lines: a byte sequence that is not UTF-8 counts one unit per byte, so that
// every offset has a position and back.
#include "HLspText.h"

#include <algorithm>

namespace {

// The length in bytes of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

// The bytes of the line's first character, with the units it counts.
struct Character {
  size_t bytes;
  long units;
};

Character First(std::string_view line, HLspText::Encoding encoding) {
  size_t length = SequenceLength(static_cast<unsigned char>(line[0]));
  if (length > line.size()) length = 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) length = 1;
  }
  if (encoding == HLspText::Encoding::Utf8) return {length, static_cast<long>(length)};
  return {length, length == 4 ? 2 : 1};
}

}  // namespace

HLspText::HLspText(std::string text, Encoding encoding) : m_text(std::move(text)), m_encoding(encoding) {
  IndexLines();
}

void HLspText::SetText(std::string text) {
  m_text = std::move(text);
  IndexLines();
}

void HLspText::Replace(Position from, Position to, std::string_view text) {
  const size_t start = Offset(from);
  const size_t end = std::max(start, Offset(to));
  m_text.replace(start, end - start, text);
  IndexLines();
}

void HLspText::IndexLines() {
  m_lineStarts.assign(1, 0);
  for (size_t at = m_text.find('\n'); at != std::string::npos; at = m_text.find('\n', at + 1))
    m_lineStarts.push_back(at + 1);
}

std::string_view HLspText::Line(size_t line) const {
  const size_t start = m_lineStarts[line];
  size_t end = line + 1 < m_lineStarts.size() ? m_lineStarts[line + 1] - 1 : m_text.size();
  if (end > start && m_text[end - 1] == '\r') --end;
  return std::string_view(m_text).substr(start, end - start);
}

size_t HLspText::Offset(Position position) const {
  if (position.line < 0) return 0;
  if (static_cast<size_t>(position.line) >= m_lineStarts.size()) return m_text.size();
  std::string_view line = Line(static_cast<size_t>(position.line));
  size_t offset = m_lineStarts[static_cast<size_t>(position.line)];
  // A position inside a character (half a surrogate pair) stays before it.
  for (long units = 0; !line.empty();) {
    const Character character = First(line, m_encoding);
    if (units + character.units > position.character) break;
    units += character.units;
    offset += character.bytes;
    line.remove_prefix(character.bytes);
  }
  return offset;
}

HLspText::Position HLspText::PositionOf(size_t offset) const {
  offset = std::min(offset, m_text.size());
  const size_t line = static_cast<size_t>(std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset) -
                                          m_lineStarts.begin() - 1);
  std::string_view text = Line(line).substr(0, offset - m_lineStarts[line]);
  Position position{static_cast<long>(line), 0};
  while (!text.empty()) {
    const Character character = First(text, m_encoding);
    position.character += character.units;
    text.remove_prefix(std::min(character.bytes, text.size()));
  }
  return position;
}

HLspText::Position HLspText::FromColumn(long line, long column) const {
  if (line < 1 || static_cast<size_t>(line) > m_lineStarts.size()) return PositionOf(m_text.size());
  std::string_view text = Line(static_cast<size_t>(line - 1));
  Position position{line - 1, 0};
  for (long i = 1; i < column && !text.empty(); ++i) {
    const Character character = First(text, m_encoding);
    position.character += character.units;
    text.remove_prefix(character.bytes);
  }
  return position;
}
