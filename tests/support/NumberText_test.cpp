// Number text: the decimal separator in formatted and parsed doubles, and the C-locale number scanners.
#include "support/NumberText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/KUtf8.h"

namespace {

class NumberTextTest : public testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparatorForTesting(0); }
};

TEST_F(NumberTextTest, FormatDoubleWithCommaSeparator) {
  SetDecimalSeparatorForTesting(u',');
  EXPECT_EQ(std::u16string(FormatDouble(nullptr, 0, u"%.2f", 1.5)), u"1,50");
  EXPECT_EQ(std::u16string(FormatDouble(nullptr, 0, u"%.1f.%.0f", 2.0)), u"2,0.0");
  char16_t buffer[8] = u"old";
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 0, u"%.2f", 1.5)), u"old");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 5, u"%.2f", 1.5)), u"1,50");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 4, u"%.2f", 1.5)), u"1,5");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, -1, u"%g", -0.25)), u"-0,25");
}

TEST_F(NumberTextTest, ParseDoubleWithTheSeparator) {
  const std::tuple<char16_t, std::u16string, double> cases[] = {
      {u',', u"1,5", 1.5}, {u',', u"  -2,5e1xyz", -25.0}, {u',', u"1.5", 1.5}, {u',', u"abc", 0.0},
      {u',', u"", 0.0},    {u'.', u"1,5", 1.0},           {u'.', u"+.5", 0.5}, {u',', u"1,2,3", 1.2}};
  for (const auto& [separator, text, expected] : cases) {
    SetDecimalSeparatorForTesting(separator);
    EXPECT_DOUBLE_EQ(ParseDouble(text), expected) << Utf16ToUtf8(text);
  }
  // Only 31 characters are read.
  EXPECT_DOUBLE_EQ(ParseDouble(std::u16string(31, u'1') + u"9"), 1111111111111111111111111111111.0);
}

// The C library's strtod and strtoull in the "C" locale are the reference; only an integer beyond 64 bits,
// which they clamp, is no number here.
TEST_F(NumberTextTest, ScannersReadLikeTheCLibrary) {
  for (const char* text : {"0x1A", " +12z", "+-5", "1e", ".5", "-.e1", "- 5", "\xD9\xA1", "1e999", "1e-999",
                           "-0.01e311", "0x1p9999", "-inf", "nan", "0x.8p1", "4.9e-324", "2.5e-324"}) {
    char* end = nullptr;
    const double expected = std::strtod(text, &end);
    double value = -99.0;
    EXPECT_EQ(ScanDouble(Utf8ToUtf16(text), value), end != text) << text;
    // A failed scan leaves the value as it was.
    const bool same =
        end == text ? value == -99.0 : value == expected || (std::isnan(value) && std::isnan(expected));
    EXPECT_TRUE(same) << text << ": " << value << " for " << expected;
  }
  const std::pair<int, std::vector<const char*>> integers[] = {
      {0, {"0x1A", "0x", "08", "017"}},
      {8, {"17"}},
      {16, {"-0x10", "ff"}},
      {10, {" +12z", "+-5", "", "-9223372036854775808", "18446744073709551615", "18446744073709551616"}}};
  for (const auto& [base, texts] : integers)
    for (const char* text : texts) {
      char* end = nullptr;
      errno = 0;
      const auto expected = static_cast<int64_t>(std::strtoull(text, &end, base));
      const bool isNumber = end != text && errno != ERANGE;
      int64_t value = -99;
      EXPECT_EQ(ScanInteger(Utf8ToUtf16(text), base, value), isNumber) << text;
      EXPECT_EQ(value, isNumber ? expected : -99) << text;
    }
}

}  // namespace
