// Number text: the decimal separator in formatted and parsed doubles, and the C-locale number scanners.
#include "support/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

class NumberTextTest : public testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparatorForTesting(0); }
};

TEST_F(NumberTextTest, SeparatorComesFromTheEnvironmentLocale) {
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  SetDecimalSeparatorForTesting(0);
  EXPECT_EQ(DecimalSeparator(), u'.');
  if (saved)
    setenv("LC_ALL", previous.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST_F(NumberTextTest, FormatDoubleWithCommaSeparator) {
  SetDecimalSeparatorForTesting(u',');
  EXPECT_EQ(std::u16string(FormatDouble(nullptr, 0, u"%.2f", 1.5)), u"1,50");
  EXPECT_EQ(std::u16string(FormatDouble(nullptr, 0, u"%.1f.%.0f", 2.0)), u"2,0.0");
  char16_t buffer[8] = u"old";
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 0, u"%.2f", 1.5)), u"old");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 3, u"%.2f", 1.5)), u"1,");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, 2, u"%.2f", 1.5)), u"1");
  EXPECT_EQ(std::u16string(FormatDouble(buffer, -1, u"%g", -0.25)), u"-0,25");
}

TEST_F(NumberTextTest, ParseDoubleWithTheSeparator) {
  struct Case {
    char16_t separator;
    std::u16string text;
    double expected;
  };
  const Case cases[] = {{u',', u"1,5", 1.5},
                        {u',', u"  -2,5e1xyz", -25.0},
                        {u',', u"1.5", 1.5},
                        {u',', u"abc", 0.0},
                        {u',', u"", 0.0},
                        {u'.', u"1,5", 1.0},
                        {u'.', u"+.5", 0.5},
                        {u',', u"1,2,3", 1.2},
                        // Only 31 characters are read.
                        {u'.', std::u16string(31, u'1') + u"9", 1111111111111111111111111111111.0}};
  for (const Case& c : cases) {
    SetDecimalSeparatorForTesting(c.separator);
    EXPECT_DOUBLE_EQ(ParseDouble(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
  }
}

TEST_F(NumberTextTest, ScannersReadLikeSscanf) {
  struct Case {
    std::u16string text;
    bool isNumber;
    double value;
  };
  // A failed scan leaves the value as it was (-99).
  // Beyond the range of double, sscanf still reads one number: infinity above, zero below.
  const Case doubles[] = {{u"0x1A", true, 26.0},
                          {u" +12z", true, 12.0},
                          {u"+-5", false, -99},
                          {u"1e", true, 1.0},
                          {u".5", true, 0.5},
                          {u"-.e1", false, -99},
                          {u"- 5", false, -99},
                          {u"\u0661", false, -99},
                          {u"1e999", true, HUGE_VAL},
                          {u"1e-999", true, 0.0},
                          {u"-0.01e311", true, -HUGE_VAL},
                          {u"0x1p9999", true, HUGE_VAL}};
  for (const Case& c : doubles) {
    double value = -99.0;
    EXPECT_EQ(ScanDouble(c.text, value), c.isNumber);
    EXPECT_DOUBLE_EQ(value, c.value);
  }
  double value = 0;
  EXPECT_TRUE(ScanDouble(u"-inf", value) && std::isinf(value) && value < 0);
  EXPECT_TRUE(ScanDouble(u"nan", value) && std::isnan(value));

  struct IntegerCase {
    std::u16string text;
    int base;
    bool isNumber;
    int64_t value;
  };
  const IntegerCase integers[] = {{u"0x1A", 0, true, 26},
                                  {u"0x", 0, true, 0},
                                  {u"-0x10", 16, true, -16},
                                  {u"ff", 16, true, 255},
                                  {u"08", 0, true, 0},
                                  {u"017", 0, true, 15},
                                  {u"17", 8, true, 15},
                                  {u" +12z", 10, true, 12},
                                  {u"+-5", 10, false, -99},
                                  {u"", 10, false, -99},
                                  {u"99999999999999999999", 10, false, -99}};
  for (const IntegerCase& c : integers) {
    int64_t integer = -99;
    EXPECT_EQ(ScanInteger(c.text, c.base, integer), c.isNumber) << c.base;
    EXPECT_EQ(integer, c.value);
  }
}

}  // namespace
