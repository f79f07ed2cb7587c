// UTF-8/UTF-16 conversion and the fixed host buffers.
#include "HUtf.h"

#include <gtest/gtest.h>

namespace {

TEST(HUtf, RoundTripsEveryPlane) {
  const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e acute, euro, emoji
  EXPECT_EQ(Utf8ToUtf16(text), u"a\u00e9\u20ac\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
}

TEST(HUtf, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b\xC3"),
            u"a\uFFFDb\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  const char16_t lone[] = {u'x', 0xDC00, 0};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBD");
}

TEST(HUtf, CopyToBufferRefusesWhatDoesNotFit) {
  char16_t buffer[260];
  EXPECT_EQ(CopyToBuffer(std::string(259, 'x'), buffer, 260), 0);
  EXPECT_EQ(std::u16string(buffer).size(), 259u);
  EXPECT_NE(CopyToBuffer(std::string(260, 'x'), buffer, 260), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_NE(CopyToBuffer("x", buffer, 0), 0);
}

}  // namespace
