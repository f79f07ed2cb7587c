// Positions in both encodings at the edges of characters, lines and the document, and edits there.
#include "HLspText.h"

#include <gtest/gtest.h>

namespace {

using Encoding = HLspText::Encoding;
using Position = HLspText::Position;

// "a", U+1F600 (4 bytes, a surrogate pair), "é" (2 bytes), "b"; then a CRLF line and a last line without end.
const std::string kText =
    "a\xF0\x9F\x98\x80\xC3\xA9"
    "b\r\nxy\r\nz";

TEST(HLspText, ConvertsPositionsAndColumnsInEitherEncoding) {
  const std::tuple<Encoding, Position, size_t, Position> cases[] = {
      // the encoding, a position, its offset and that offset's position
      {Encoding::Utf16, {0, 1}, 1, {0, 1}},   // before the pair
      {Encoding::Utf16, {0, 2}, 1, {0, 1}},   // inside the pair: before it
      {Encoding::Utf16, {0, 3}, 5, {0, 3}},   // after the pair
      {Encoding::Utf16, {0, 5}, 8, {0, 5}},   // the line's end, before its "\r\n"
      {Encoding::Utf16, {0, 99}, 8, {0, 5}},  // past the line's end
      {Encoding::Utf8, {0, 5}, 5, {0, 5}},   {Encoding::Utf8, {0, 6}, 5, {0, 5}},  // inside "é"
      {Encoding::Utf8, {0, 8}, 8, {0, 8}},   {Encoding::Utf16, {1, 2}, 12, {1, 2}},
      {Encoding::Utf16, {2, 1}, 15, {2, 1}},  // the document's end
      {Encoding::Utf16, {3, 0}, 15, {2, 1}},  // past the last line
  };
  for (const auto& [encoding, position, offset, back] : cases) {
    const HLspText text(kText, encoding);
    EXPECT_EQ(std::pair(text.Offset(position), text.PositionOf(offset)), std::pair(offset, back))
        << position.line << ":" << position.character;
  }
  const HLspText utf16(kText, Encoding::Utf16), utf8(kText, Encoding::Utf8);
  // The readers' columns count characters: before "b" (a, the pair, é) in either encoding, the last line's
  // end, a line past the end: the end.
  EXPECT_EQ(std::tuple(utf16.FromColumn(1, 4), utf8.FromColumn(1, 4), utf16.FromColumn(3, 2),
                       utf16.FromColumn(4, 1)),
            std::tuple(Position{0, 4}, Position{0, 7}, Position{2, 1}, Position{2, 1}));
}

TEST(HLspText, EditsAtTheEndOfTheDocumentAndAcrossLines) {
  HLspText text(kText, Encoding::Utf16);
  text.Replace({2, 1}, {2, 1}, "!\n");
  EXPECT_EQ(text.Text(), kText + "!\n");
  EXPECT_EQ(text.PositionOf(text.Text().size()), (Position{3, 0}));
  text.Replace({3, 0}, {9, 0}, "end");  // a range past the end ends there
  EXPECT_EQ(text.Text(), kText + "!\nend");
  text.Replace({0, 3}, {1, 1}, "");  // from after the pair to after "x"
  EXPECT_EQ(text.Text(), "a\xF0\x9F\x98\x80y\r\nz!\nend");
}

}  // namespace
