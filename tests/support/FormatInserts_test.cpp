// Messages with numbered inserts: insert selection, percent rules, capacity cutting and string growth.
#include "support/FormatInserts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resource.h"

namespace {

std::u16string Format(int capacity, KMessage message, const char16_t* insertFormat, KFormatArgs args) {
  std::vector<char16_t> buffer(static_cast<size_t>(capacity) + 1, u'#');
  const int length = FormatInserts(buffer.data(), capacity, message, insertFormat, args);
  EXPECT_EQ(std::u16string(buffer.data()).size(), static_cast<size_t>(length));
  return buffer.data();
}

TEST(FormatInsertsTest, MessageFromTheStringTable) {
  char16_t out[200];
  FormatInserts(out, 200, IDS_UNEQUAL_COUNT, u"%d%d", 3, 2);
  EXPECT_EQ(std::u16string(out), u"Unequal number of matches. Source: 3, Translation: 2");
  EXPECT_EQ(FormatInserts(out, 200, 65000u, u"%d", 1), 0);  // no such string
}

struct Case {
  const char16_t* message;
  const char16_t* insertFormat;
  std::vector<KFormatArg> args;
  int capacity;
  std::u16string expected;
};

TEST(FormatInsertsTest, InsertsPercentsAndCapacity) {
  const std::u16string longInsert(2000, u'x');
  const Case cases[] = {
      {u"%2 %1", u"%s%s", {u"a", u"b"}, 100, u"b a"},
      {u"%1%1-%2", u"%d%d", {1, 2}, 100, u"11-2"},
      {u"100%%", u"", {}, 100, u"100%"},
      {u"50% off %", u"", {}, 100, u"50 off %"},
      {u"%1", u"", {}, 100, u""},
      {u"[%3]", u"%d%d", {1, 2}, 100, u"[]"},
      {u"%1", nullptr, {}, 100, u""},
      {u"%1", u"%lu items", {7u}, 100, u"7 items"},
      {u"abcdefgh", u"", {}, 5, u"abcd"},
      {u"x%1y", u"%s", {u"abcdef"}, 5, u"xabc"},
      {u"abc", u"", {}, 1, u""},
      // The inserts are cut at 1023 characters, the first separator included.
      {u"%1", u"%s", {longInsert}, 4000, std::u16string(1022, u'x')},
      // The insert format is cut at 60 characters, which drops the closing separator here.
      {u"%1",
       u"%d--------------------------------------------------------------",
       {5},
       100,
       u"5" + std::u16string(57, u'-')},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Format(c.capacity, c.message, c.insertFormat, c.args), c.expected) << c.capacity;
}

TEST(FormatInsertsTest, CapacityBelowOneLeavesTheBufferAlone) {
  char16_t out[4] = u"old";
  EXPECT_EQ(FormatInserts(out, 0, u"new", u""), 0);
  EXPECT_EQ(FormatInserts(out, -3, u"new", u""), 0);
  EXPECT_EQ(std::u16string(out), u"old");
}

TEST(FormatInsertsTest, StringGrowsUntilTheResultFits) {
  const std::u16string insert(200, u'a');
  std::u16string out = u"old";
  FormatInsertsString(out, u"%1%1%1", u"%s", insert);
  EXPECT_EQ(out.size(), 600u);
  for (const size_t length : {510u, 511u, 1023u, 20000u}) {
    const std::u16string message(length, u'm');
    FormatInsertsString(out, message.c_str(), u"");
    EXPECT_EQ(out, message);
  }
  const std::u16string tooLong(32000, u'm');
  FormatInsertsString(out, tooLong.c_str(), u"");
  EXPECT_EQ(out, u"");
}

}  // namespace
