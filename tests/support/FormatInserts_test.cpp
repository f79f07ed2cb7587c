// Messages with numbered inserts: insert selection, percent rules, capacity cutting and string growth.
#include "support/FormatInserts.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

TEST(FormatInsertsTest, InsertsPercentsAndCapacity) {
  const std::u16string fullInsert(1022, u'x'), longInsert(2000, u'x'),
      longFormat = u"%d" + longInsert.substr(0, 62);
  // The message, the insert format and inserts, the capacity and the result.
  const std::tuple<KMessage, const char16_t*, std::vector<KFormatArg>, int, std::u16string> cases[] = {
      {u"%2 %1", u"%s%s", {u"a", u"b"}, 100, u"b a"},
      {u"%1%1-%2", u"%d%d", {1, 2}, 100, u"11-2"},
      // The edges of the insert digits: %9 is the last insert, %0 none.
      {u"%9%0", u"%d%d%d%d%d%d%d%d%d", {1, 2, 3, 4, 5, 6, 7, 8, 42}, 100, u"420"},
      {u"100%%", u"", {}, 100, u"100%"},
      {u"50% off %", u"", {}, 100, u"50 off %"},
      {u"[%3]", u"%d%d", {1, 2}, 100, u"[]"},
      {u"%1", nullptr, {}, 100, u""},
      {u"%1", u"%lu items", {7u}, 100, u"7 items"},
      {65000u, u"%d", {1}, 100, u""},  // no such string in the table
      {u"abcd", u"", {}, 5, u"abcd"},
      {u"abcdefgh", u"", {}, 5, u"abcd"},
      {u"x%1", u"%s", {u"abc"}, 5, u"xabc"},
      {u"x%1y", u"%s", {u"abcdef"}, 5, u"xabc"},
      {u"abc", u"", {}, 1, u""},
      // The inserts are cut at 1023 characters, the first separator included.
      {u"%1", u"%s", {fullInsert}, 4000, fullInsert},
      {u"%1", u"%s", {longInsert}, 4000, fullInsert},
      // The insert format is cut at 60 characters, which drops the closing separator here.
      {u"%1", longFormat.c_str(), {5}, 100, u"5" + fullInsert.substr(0, 57)},
  };
  for (const auto& [message, insertFormat, args, capacity, expected] : cases) {
    std::vector<char16_t> buffer(static_cast<size_t>(capacity) + 1, u'#');
    const int length = FormatInserts(buffer.data(), capacity, message, insertFormat, KFormatArgs(args));
    EXPECT_EQ(std::u16string(buffer.data()), expected) << capacity;
    EXPECT_EQ(std::u16string(buffer.data()).size(), static_cast<size_t>(length));
  }
  char16_t out[4] = u"old";  // a capacity below one leaves the buffer alone
  EXPECT_EQ(FormatInserts(out, 0, u"new", u""), 0);
  EXPECT_EQ(FormatInserts(out, -3, u"new", u""), 0);
  EXPECT_EQ(std::u16string(out), u"old");
}

// The last buffer tried holds 31744 characters, and a result that fills it may have been cut.
TEST(FormatInsertsTest, StringGrowsUntilTheResultFits) {
  std::u16string out = u"old";
  FormatInsertsString(out, u"%1%1%1", u"%s", std::u16string(200, u'a'));
  EXPECT_EQ(out.size(), 600u);
  for (const size_t length : {510u, 511u, 1023u, 20000u, 31742u}) {
    const std::u16string message(length, u'm');
    FormatInsertsString(out, message.c_str(), u"");
    EXPECT_EQ(out, message);
  }
  FormatInsertsString(out, std::u16string(31743, u'm').c_str(), u"");
  EXPECT_EQ(out, u"");
}

}  // namespace
