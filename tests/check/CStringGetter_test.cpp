// The per-pair text cache: each kind is fetched once, whichever rule asks first.
#include "check/CStringGetter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CountingTexts : public CStringGetter {
 public:
  std::vector<int32_t> fetched;

 protected:
  std::u16string GetText(int32_t kind) override {
    fetched.push_back(kind);
    return std::u16string(1, static_cast<char16_t>(u'0' + kind));
  }
};

TEST(CStringGetterTest, EachKindIsFetchedOnceAndServedFromTheCache) {
  CountingTexts texts;
  EXPECT_EQ(texts.GetTranslation(false), u"1");
  EXPECT_EQ(texts.GetSource(false), u"0");
  EXPECT_EQ(texts.GetTranslation(false), u"1");
  EXPECT_EQ(texts.GetSource(true), u"2");
  EXPECT_EQ(texts.GetTranslation(true), u"3");
  EXPECT_EQ(texts.GetSource(true), u"2");
  EXPECT_EQ(texts.GetSource(false), u"0");
  EXPECT_EQ(texts.fetched, (std::vector<int32_t>{1, 0, 2, 3}));
}

}  // namespace
