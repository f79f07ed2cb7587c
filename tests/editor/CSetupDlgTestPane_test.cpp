// The pattern test pane: what "C&heck" prints for a rule on sample texts, and how the pane opens and closes.
#include <string>
#include <tuple>

#include "editor/EditorTest.h"
#include "framework/KDialogLayout.h"

namespace {

constexpr std::u16string_view kRule = u"\u2500\u2500\u2500\u2500\u2500\u2500\r\n";

class CSetupDlgTestPaneTest : public KEditorTest {
 protected:
  // Opens the editor on one global rule, types the samples, shows the pane (which checks at once) and
  // returns the results box.
  std::u16string Check(const KRuleFields& rule, std::u16string_view source, std::u16string_view translation) {
    WriteRules(nullptr, {rule});
    std::u16string results;
    RunEditor([&](CSetupDlg&) {
      // The pane's boxes are hidden until it opens, which checks at once: the samples are set before.
      platform.SetText(driver.Control(IDC_SOURCE), source);
      platform.SetText(driver.Control(IDC_TRANSLATION), translation);
      driver.Click(IDC_TEST);
      results = driver.Text(IDC_RESULTS);
    });
    return results;
  }

  // Whether the client area fits the visible controls already: fitting it again changes nothing.
  bool Fitted() {
    const KSize before = Client();
    FitToChildren(driver.Dialog(), FIT_RIGHT | FIT_BOTTOM, FIT_MIRROR);
    return Client() == before;
  }
  KSize Client() const {
    const KRect client = platform.GetClientRect(driver.Dialog());
    return {client.Width(), client.Height()};
  }
};

// The results box: the verdict lines, the rule, then the matches of the source and of the translation.
std::u16string Results(std::u16string_view verdict, std::u16string_view source,
                       std::u16string_view translation) {
  const auto matches = [](std::u16string_view text, std::u16string_view side) {
    return text.empty() ? u"No matches in " + std::u16string(side) + u"\r\n"
                        : u"Matches in " + std::u16string(side) + u":" + std::u16string(text) + u"\r\n";
  };
  return std::u16string(verdict) + std::u16string(kRule) + matches(source, u"source") +
         matches(translation, u"translation");
}

TEST_F(CSetupDlgTestPaneTest, ResultsListViolationsThenOkThenTheMatchesOfBothTexts) {
  const int32_t kCountText = CHECKFLAG_COUNT | CHECKFLAG_TEXT;
  const std::u16string kNoMatch = u"No text found that matches the rule.\r\n";
  // The rule, the source and the translation; the results box.
  // clang-format off
  const std::tuple<KRuleFields, std::u16string, std::u16string, std::u16string> cases[] = {
      {{u"Numbers", u"\\d+", 1, 1, CHECK_EXIST_IF_IN_SOURCE, kCountText}, u"1 and 22", u"22 und 1",
       Results(u"OK\r\n", u"1, 22", u"22, 1")},
      {{u"Needed", u"x", 1, 0, CHECK_MUST_EXIST}, u"", u"", Results(kNoMatch, u"", u"")},
      // Inactive rules are tested as if they were active.
      {{u"Digits", u"[0-9]", 0, 1, CHECK_MUST_NOT_EXIST}, u"", u"x 5",
       Results(u"Text \"5\" must not appear.\r\n", u"", u"5")},
      // The boxes' line ends reach the rule as single line feeds, which the literal "\n" finds.
      {{u"Breaks", u"\\n", 1, 0, CHECK_EXIST_IF_IN_SOURCE}, u"a\r\nb", u"ab",
       Results(u"Unequal number of matches. Source: 1, Translation: 0\r\n", u"\n", u"")},
      // An expression that the host cannot compile finds nothing.
      {{u"Broken", u"(", 1, 1, CHECK_MUST_EXIST}, u"(", u"(", Results(kNoMatch, u"", u"")},
  };
  // clang-format on
  for (const auto& [rule, source, translation, results] : cases)
    EXPECT_EQ(Check(rule, source, translation), results) << testing::PrintToString(rule.name);
}

TEST_F(CSetupDlgTestPaneTest, EachCheckStartsFromAnEmptyBoxAndAppendsBeyondTheEditLimit) {
  WriteRules(nullptr,
             {{u"Words", u"\\w+", 1, 1, CHECK_EXIST_IF_IN_SOURCE, CHECKFLAG_COUNT | CHECKFLAG_TEXT}});
  std::u16string source, translation, expected;
  for (int i = 0; i < 1000; ++i) {
    const std::u16string word =
        u"w" + std::u16string(20, char16_t(u'a' + i % 26)) + char16_t(u'A' + i / 26 % 26);
    source += word + u" ";
    translation += u"t" + word.substr(1) + u" ";
    expected += u"\"" + word + u"\" doesn't exist in translation.\r\n";
  }
  RunEditor([&](CSetupDlg&) {
    platform.SetText(driver.Control(IDC_SOURCE), source);
    platform.SetText(driver.Control(IDC_TRANSLATION), translation);
    const int created = host.created;
    driver.Click(IDC_TEST);
    driver.Click(IDC_CHECK);
    const std::u16string results = driver.Text(IDC_RESULTS);
    ASSERT_GT(results.size(), 30000u);  // beyond an edit control's default limit
    // Once: the second check started empty.
    EXPECT_EQ(results.substr(0, expected.size() + kRule.size()), expected + std::u16string(kRule));
    EXPECT_EQ(results.back(), u'\n');
    const auto end = static_cast<int32_t>(results.size());
    EXPECT_EQ(platform.GetSelection(driver.Control(IDC_RESULTS)), (KTextRange{end, end}));
    // Each check compiles the rule's copy once and releases it; the test checker's own rule stays.
    EXPECT_EQ(std::pair(host.created, host.Alive()), std::pair(created + 2, 1));
  });
  EXPECT_EQ(host.Alive(), 0);
}

TEST_F(CSetupDlgTestPaneTest, TestButtonTogglesThePaneItsCaptionAndTheDefaultButton) {
  WriteRules(nullptr, {{u"Numbers", u"\\d+", 1, 1, CHECK_EXIST_IF_IN_SOURCE}});
  RunEditor([&](CSetupDlg& dialog) {
    const KSize hidden = Client();
    EXPECT_TRUE(Fitted());  // at start-up, without animation
    EXPECT_EQ(std::tuple(driver.Text(IDC_TEST), driver.IsVisible(IDC_SOURCE)), std::tuple(u"Test >>", false));

    driver.Click(IDC_TEST);
    EXPECT_EQ(std::tuple(driver.Text(IDC_TEST), platform.GetDefaultId(dialog.GetHwnd())),
              std::tuple(u"<< Test", IDC_CHECK));
    driver.AdvanceClock(100);
    const KSize midway = Client();
    EXPECT_GT(midway.cx, hidden.cx);
    driver.AdvanceClock(1000);
    EXPECT_GT(Client().cx, midway.cx);
    EXPECT_TRUE(Fitted());

    // Enter in a sample box presses "C&heck".
    driver.TypeInto(IDC_SOURCE, u"7");
    driver.PressKey(VK_RETURN);
    EXPECT_NE(driver.Text(IDC_RESULTS).find(u"Matches in source:7\r\n"), std::u16string::npos);
    EXPECT_EQ(driver.Text(IDC_SOURCE), u"7");

    driver.Click(IDC_TEST);
    EXPECT_EQ(std::tuple(driver.Text(IDC_TEST), platform.GetDefaultId(dialog.GetHwnd()),
                         driver.IsVisible(IDC_RESULTS)),
              std::tuple(u"Test >>", IDOK, false));
    driver.AdvanceClock(1000);
    EXPECT_EQ(Client(), hidden);
  });
}

}  // namespace
