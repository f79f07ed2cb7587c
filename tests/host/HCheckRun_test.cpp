// The module's violation messages split into rule name and detail.
#include "HCheckRun.h"

#include <gtest/gtest.h>

namespace {

TEST(HCheckRun, SplitMessage) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      // message, rule, detail
      {"Regular expression rule \"Tags\" violated. Unequal number of matches. Source: 2, Translation: 1",
       "Tags", "Unequal number of matches. Source: 2, Translation: 1"},
      {"Regular expression rule \"\" violated. x", "", "x"},
      {"Regular expression rule \"say \"hi\"\" violated. Text \"hi\" must not appear.", "say \"hi\"",
       "Text \"hi\" must not appear."},
      {"Regel \"Tags\" verletzt. Falsch", "", "Regel \"Tags\" verletzt. Falsch"},
      {"Regular expression rule \"unterminated", "", "Regular expression rule \"unterminated"}};
  for (const auto& [message, rule, detail] : cases) {
    std::pair<std::string, std::string> split{"stale", ""};
    HCheckRun::SplitMessage(message, split.first, split.second);
    EXPECT_EQ(split, std::pair(rule, detail)) << message;
  }
}

}  // namespace
