// ReadQuotedField: the quoted fields of legacy rule lines.
#include "rules/ReadQuotedField.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadQuotedField, ReadsOneFieldFromTheCursor) {
  const struct {
    const char* name;
    std::u16string line;
    size_t from;
    bool found;
    std::u16string field;  // "old" when nothing was found
    size_t cursor;
  } cases[] = {
      {"plain", u"\"abc\",\"d\"", 0, true, u"abc", 5},
      {"skips what stands before the quote", u"x, \"a\"", 0, true, u"a", 6},
      {"starts at the cursor", u"\"a\",\"b\"", 3, true, u"b", 7},
      {"doubled quote stands for one", u"\"say \"\"hi\"\"\"x", 0, true, u"say \"hi\"", 12},
      {"empty field", u"\"\",\"b\"", 0, true, u"", 2},
      {"field of one quote", u"\"\"\"\"", 0, true, u"\"", 4},
      {"line ends inside the field", u"\"abc", 0, true, u"abc", 4},
      {"line ends after a doubled quote", u"\"a\"\"", 0, true, u"a\"", 4},
      {"empty line", u"", 0, false, u"old", 0},
      {"no quote", u"abc, def", 0, false, u"old", 8},
      {"no quote behind the cursor", u"\"a\"", 3, false, u"old", 3},
  };
  for (const auto& c : cases) {
    std::u16string field = u"old";
    size_t cursor = c.from;
    EXPECT_EQ(ReadQuotedField(c.line, cursor, field), c.found) << c.name;
    EXPECT_EQ(field, c.field) << c.name;
    EXPECT_EQ(cursor, c.cursor) << c.name;
  }
}

}  // namespace
