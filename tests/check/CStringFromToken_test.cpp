// Reading a host token's texts: property and side per kind, each fetched once per token (the cache of
// CStringGetter), and variants the host fills oddly.
#include "check/CStringFromToken.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/TestHost.h"

namespace {

// Each kind asks the token once, in the order first needed; a text asked for again comes from the cache.
TEST(CStringFromTokenTest, KindsAskForTheirPropertyAndSideOnce) {
  testhost::TestToken token;
  token.plainSource = u"ps";
  token.plainTranslation = u"pt";
  token.nativeSource = u"<b>ns</b>";
  token.nativeTranslation = u"<b>nt</b>";
  CStringFromToken texts(&token);
  EXPECT_EQ((std::vector{texts.GetTranslation(false), texts.GetSource(false), texts.GetTranslation(false),
                         texts.GetSource(true), texts.GetTranslation(true), texts.GetSource(true)}),
            (std::vector<std::u16string>{u"pt", u"ps", u"pt", u"<b>ns</b>", u"<b>nt</b>", u"<b>ns</b>"}));
  EXPECT_EQ(token.calls, (std::vector<testhost::TestToken::Call>{{TEXT_PLAIN, SIDE_TRANSLATION},
                                                                 {TEXT_PLAIN, SIDE_SOURCE},
                                                                 {TEXT_NATIVE, SIDE_SOURCE},
                                                                 {TEXT_NATIVE, SIDE_TRANSLATION}}));
}

// Hands back whatever variant it is told to, after checking that it came in zeroed.
class OddToken final : public KHostTokenBase {
 public:
  VARTYPE type = VT_EMPTY;
  bool cameZeroed = false;

  int32_t ZAKCALL GetText(int32_t, VARIANT* out, int32_t) override {
    cameZeroed = out->vt == VT_EMPTY && out->bstrVal == nullptr;
    out->vt = type;
    if (type == VT_I4) out->lVal = 0x41;
    if (type == VT_BSTR) out->bstrVal = nullptr;
    return 0;
  }
};

TEST(CStringFromTokenTest, AVariantWithoutAStringGivesTheEmptyText) {
  for (VARTYPE type : {VARTYPE{VT_EMPTY}, VARTYPE{VT_I4}, VARTYPE{VT_BSTR}}) {
    SCOPED_TRACE(type);
    OddToken token;
    token.type = type;
    CStringFromToken texts(&token);
    EXPECT_EQ(texts.GetTranslation(false), u"");
    EXPECT_TRUE(token.cameZeroed);
  }
}

}  // namespace
