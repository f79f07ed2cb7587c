// The UTF-16 formatter: C printf's output for every flag, width, precision and length, typed arguments.
#include "support/KFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "support/KUtf8.h"

namespace {

// The reference: C snprintf with the same narrow format.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <class T>
void ExpectLikeC(const char* format, T value, const KFormatArg& arg) {
  char expected[512];
  std::snprintf(expected, sizeof expected, format, value);
  std::u16string out;
  KFormatAppend(out, Utf8ToUtf16(format), KFormatArgs(&arg, 1));
  EXPECT_EQ(out, Utf8ToUtf16(expected)) << format << " of " << value;
}
#pragma GCC diagnostic pop

// Every format with every value.
template <class T>
void ExpectAllLikeC(std::initializer_list<const char*> formats, std::initializer_list<T> values) {
  for (const char* format : formats)
    for (const T value : values) ExpectLikeC(format, value, KFormatArg(value));
}

TEST(KFormatTest, NumbersLikeC) {
  ExpectAllLikeC({"%d",  "%5d",  "%-5d|", "%05d",   "%+d",     "% d", "%.3d", "%8.3d", "%-+6d|",
                  "%i",  "%.0d", "% 05d", "%hd",    "%hhd",    "%x",  "%X",   "%#x",   "%#X",
                  "%#o", "%o",   "%#.0o", "%08.3x", "%-#10x|", "%u",  "%hu",  "%hhu"},
                 {0, 1, -1, 42, -42, 255, 65535, 70000, INT_MIN, INT_MAX});
  ExpectAllLikeC({"%ld", "%lu", "%lld", "%llu", "%llx", "%20lld", "%-+22lld|", "%jd", "%zu"},
                 {0LL, -1LL, LLONG_MIN, LLONG_MAX, 1LL << 40});
  ExpectAllLikeC({"%f",    "%.2f", "%10.3f", "%-10.1f|", "%+f",      "% f",   "%010.2f", "%#.0f", "%F",
                  "%lf",   "%e",   "%.0e",   "%#.0e",    "%E",       "%+.3e", "%g",      "%.5g",  "%#g",
                  "%#.3g", "%.0g", "%G",     "%12g",     "%-12.3g|", "%#.1g", "%.10g",   "%05g"},
                 {0.0, -0.0, 1.5, -2.25, 0.5, 2.5, 1e-5, 0.0001, 123456789.0, 1e100, 3.14159265358979, 0.1,
                  1e-300, 999999.4, 100000.0, double{INFINITY}, double{-INFINITY}, double{NAN}});
}

TEST(KFormatTest, TextAndCharactersLikeC) {
  for (const char* format : {"%s", "%5s", "%-5s|", "%.2s", "%8.3s", "%05s", "[%s]"})
    for (const char* text : {"", "ab", "abcdefgh"}) ExpectLikeC(format, text, KFormatArg(Utf8ToUtf16(text)));
  for (const char* format : {"%c", "%5c", "%-3c|"}) ExpectLikeC(format, 'z', KFormatArg(u'z'));
}

TEST(KFormatTest, StarsModifiersAndMismatchedArguments) {
  const std::tuple<std::u16string, std::vector<KFormatArg>, std::u16string> cases[] = {
      {u"%*d", {5, 42}, u"   42"},
      {u"%*d|", {-5, 42}, u"42   |"},
      {u"%.*f", {2, 3.14159}, u"3.14"},
      {u"%.*f", {-1, 1.5}, u"1.500000"},
      {u"%*.*s|", {4, 2, u"xyz"}, u"  xy|"},
      {u"%I64u", {-1LL}, u"18446744073709551615"},
      {u"%d", {4294967295u}, u"-1"},
      {u"%u", {-1}, u"4294967295"},
      {u"%Lf", {0.25}, u"0.250000"},
      {u"%s", {42}, u"42"},
      {u"%s", {-1.5}, u"-1.5"},
      {u"%s", {1ULL << 63}, u"9223372036854775808"},
      {u"%d", {u"text"}, u"0"},
      {u"%d", {2.9}, u"2"},
      {u"%lld", {-1e30}, u"-9223372036854775808"},
      {u"%lld", {1e19}, u"9223372036854774784"},  // the largest double below 2^63
      {u"%d", {NAN}, u"0"},
      {u"%f", {3}, u"3.000000"},
      {u"%g", {999999.5}, u"1e+06"},
      // '#' keeps the zeros also when rounding carries into the exponent (glibc drops them there).
      {u"%#g", {999999.5}, u"1.00000e+06"},
      {u"%d %s|%f", {}, u"0 |0.000000"},
      {u"%c", {u'\u00e4'}, u"\u00e4"},
      {u"%c|", {u""}, u"|"},
      {u"%c", {u"xyz"}, u"x"},
      {u"%s!", {u"Gr\u00fc\u00dfe \u4e16"}, u"Gr\u00fc\u00dfe \u4e16!"},
      {u"%ls %hs", {u"a", u"b"}, u"a b"},
      {u"%q%d", {1}, u"%q1"},
      {u"100%", {}, u"100%"},
      {u"%5", {}, u"%5"},
      {u"%%%d%%", {7}, u"%7%"},
  };
  for (const auto& [format, args, expected] : cases) {
    std::u16string out;
    KFormatAppend(out, format, args);
    EXPECT_EQ(out, expected) << Utf16ToUtf8(format);
  }
}

// Six characters: cut below a capacity of 7, whole at 7; a capacity of 0 leaves the buffer alone.
TEST(KFormatTest, BufferIsCutButLengthIsWhole) {
  const KFormatArg args[] = {KFormatArg(u"abcdef")};
  for (const auto& [capacity, kept] :
       {std::pair{0u, u"unused"}, {1u, u""}, {4u, u"abc"}, {6u, u"abcde"}, {7u, u"abcdef"}}) {
    char16_t buffer[8] = u"unused";
    EXPECT_EQ(KFormatTo(buffer, capacity, u"%s", args), 6);
    EXPECT_EQ(std::u16string(buffer), kept) << capacity;
  }
}

}  // namespace
