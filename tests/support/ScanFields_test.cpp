// ScanFields: quoted comma-separated fields into typed targets, as the placement store reads them.
#include "support/ScanFields.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "support/KUtf8.h"

namespace {

// The placement store's format scanned: the count, the four numbers and the marker, with -1 and "none"
// where nothing was stored.
std::string ScanPlacement(std::u16string_view text) {
  int numbers[4] = {-1, -1, -1, -1};
  char16_t marker[7] = u"none";
  std::string scanned = std::to_string(
      ScanFields(text, u"%d,%d,%d,%d,%7s", &numbers[0], &numbers[1], &numbers[2], &numbers[3], marker));
  for (const int number : numbers) scanned += " " + std::to_string(number);
  return scanned + " " + Utf16ToUtf8(marker);
}

TEST(ScanFieldsTest, PlacementFormat) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"40,30,500,302,rxy", "5 40 30 500 302 rxy"},
      {u"40,30,500,302", "4 40 30 500 302 none"},
      {u" -40 ,\t\"30\" , 500,302 , r ", "5 -40 30 500 302 r"},
      {u"1,2,3,4,\"r,x\"", "5 1 2 3 4 r,x"},
      {u"1,2,3,4,abcdef", "5 1 2 3 4 abcdef"},  // a %7s target holds six characters
      {u"1,2,3,4,abcdefghij", "5 1 2 3 4 abcdef"},
      {u"1,2,3,4,\"\"", "5 1 2 3 4 \"\""},
      // Every conversion counts, also when its scan fails.
      {u"a,b,c,d", "4 -1 -1 -1 -1 none"},
      {u"", "1 -1 -1 -1 -1 none"},
      {u"1,2,3,4,r,9,9", "5 1 2 3 4 r"},
  };
  for (const auto& [text, scanned] : cases) EXPECT_EQ(ScanPlacement(text), scanned) << Utf16ToUtf8(text);
}

TEST(ScanFieldsTest, ConversionsAndTargets) {
  int first = -1, second = -1;
  unsigned third = 0;
  long fourth = 0;
  double fifth = 0;
  // %* skips its field without taking a target, so each target gets the field behind "its" one.
  EXPECT_EQ(ScanFields(u"1,2,ff,17,2.5", u"%*d,%d,%x,%lo,%lf", &first, &second, &third, &fourth, &fifth), 4);
  // A floating-point number does not go into a long.
  EXPECT_EQ(std::tuple(first, second, third, fourth, fifth), std::tuple(2, 255, 15u, 0L, 0.0));

  // A number into a text, a floating-point number into an integer: counted, target untouched.
  char16_t text[4] = u"old";
  int integer = -1;
  double number = -1;
  EXPECT_EQ(ScanFields(u"5,2.5,7,x", u"%d,%f,%d,%s", text, &integer, &number, &integer), 4);
  EXPECT_EQ(std::tuple(std::u16string(text), integer, number), std::tuple(u"old", -1, 7.0));

  EXPECT_EQ(ScanFields(u"1,2", u"no conversions", &integer), 0);
  EXPECT_EQ(ScanFields(u"1,2", u"%d,%d", &integer), 1);  // stops at the last target
  EXPECT_EQ(ScanFields(u"1,2", u"%%%d", &integer), 1);
  EXPECT_EQ(integer, 1);
  // The text is cut at 256 characters: "1,2" ends at the limit, then loses the 2, then the comma.
  for (const auto& [spaces, count, last] : {std::tuple{253, 2, 2}, {254, 2, -1}, {255, 1, -1}}) {
    int head = -1, tail = -1;
    EXPECT_EQ(ScanFields(std::u16string(spaces, u' ') + u"1,2", u"%d,%d", &head, &tail), count) << spaces;
    EXPECT_EQ(std::pair(head, tail), std::pair(1, last)) << spaces;
  }
  // A text target keeps what both its capacity and the field's width leave room for besides the terminator.
  for (const auto& [format, capacity, kept] :
       {std::tuple{u"%s", 4u, u"abc"}, {u"%s", 3u, u"ab"}, {u"%3s", 4u, u"ab"}, {u"%4s", 4u, u"abc"}}) {
    EXPECT_EQ(ScanFields(u"abc", format, KScanText(text, capacity)), 1);
    EXPECT_EQ(std::u16string(text), kept) << capacity;
  }
}

}  // namespace
