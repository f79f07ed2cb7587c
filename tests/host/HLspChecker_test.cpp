// The check of a document's text in memory through the real module: where each violation's translation
// starts and ends, errors and a check given up for a newer text.
#include "HLspChecker.h"

#include <gtest/gtest.h>

#include <tuple>

#include "HostTestFiles.h"

namespace {

using Place = std::tuple<std::string, std::string, long, long, long, long>;  // unit, rule, start, end

std::vector<Place> Places(const HLspChecker::Outcome& outcome) {
  std::vector<Place> places;
  for (const HLspChecker::Finding& f : outcome.findings)
    places.emplace_back(f.violation.unitId, f.violation.rule, f.line, f.column, f.endLine, f.endColumn);
  return places;
}

class HLspCheckerTest : public testing::Test {
 protected:
  void SetUp() override {
    m_files.Write("global/settings.ini", Rule("Printf", "%[sd]"));
    m_files.Write("project/.inline-patterns/settings.ini", Rule("Braces", "\\{\\w+\\}"));
  }
  // The documents are never written: their texts are checked.
  HLspChecker::Outcome Check(const std::string& name, const std::string& text, bool stale = false) {
    return m_checker.Check(m_files.Path("project/" + name), m_files.Path("project"), text,
                           [stale] { return stale; });
  }

  HostTestFiles m_files;
  HLspChecker m_checker{{m_files.Path("global"), "", IP_MODULE_PATH, ""}};
};

TEST_F(HLspCheckerTest, ReportsErrorsGivesUpStaleChecksAndPlacesPoViolationsOnTheTranslationsStrings) {
  EXPECT_EQ(Check("de.po", "msgid \"a\"\nmsgstr \"b\n").error.value_or(HInputError{}).line, 2);
  const std::string po =
      PoHeader() +
      "msgid \"a %s\"\nmsgstr \"\xC3\xA9\"\n\n"             // columns count characters
      "msgid \"b {x} %s\"\nmsgstr \"\"\n\"%s \"\n\"y\"\n";  // from its first string with text to the last
  EXPECT_THROW(Check("de.po", po, true), HLspChecker::Abandoned);
  const HLspChecker::Outcome outcome = Check("de.po", po);  // the module is usable again
  ASSERT_FALSE(outcome.error) << outcome.error->message;
  EXPECT_EQ(Places(outcome),
            (std::vector<Place>{{"a %s", "Printf", 5, 9, 5, 10}, {"b {x} %s", "Braces", 9, 2, 10, 3}}));
}

}  // namespace
