// The module's violation messages split into rule name and detail.
#include "HCheckRun.h"

#include <gtest/gtest.h>

namespace {

TEST(HCheckRun, SplitMessage) {
  struct Case {
    std::string message;
    std::string rule;
    std::string detail;
  };
  const std::vector<Case> cases = {
      {"Regular expression rule \"Tags\" violated. Unequal number of matches. Source: 2, Translation: 1",
       "Tags", "Unequal number of matches. Source: 2, Translation: 1"},
      {"Regular expression rule \"\" violated. x", "", "x"},
      {"Regular expression rule \"say \"hi\"\" violated. Text \"hi\" must not appear.", "say \"hi\"",
       "Text \"hi\" must not appear."},
      {"Regel \"Tags\" verletzt. Falsch", "", "Regel \"Tags\" verletzt. Falsch"},
      {"Regular expression rule \"unterminated", "", "Regular expression rule \"unterminated"}};
  for (const Case& c : cases) {
    std::string rule = "stale";
    std::string detail;
    HCheckRun::SplitMessage(c.message, rule, detail);
    EXPECT_EQ(rule, c.rule) << c.message;
    EXPECT_EQ(detail, c.detail) << c.message;
  }
}

}  // namespace
