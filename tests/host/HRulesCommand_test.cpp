// The rules and try subcommands through the program's entry, on a scratch global folder and project.
#include "HRulesCommand.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "HApplication.h"
#include "HRuleFiles.h"
#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;

class HRulesCommandTest : public testing::Test {
 protected:
  int Run(std::vector<std::string> arguments, bool colour = false) {
    m_out.str("");
    m_err.str("");
    const size_t command = arguments[0] == "rules" ? 2 : arguments[0] == "try" ? 1 : 0;
    arguments.insert(arguments.begin() + static_cast<std::ptrdiff_t>(command),
                     {"--global-dir", m_files.Path("g")});
    setenv("TERM", "xterm", 1);
    return HApplication(m_out, m_err, colour, false).Run(arguments);
  }

  // The arguments, the status and what the output or the messages say.
  void RunSteps(const std::vector<std::tuple<std::vector<std::string>, int, std::string>>& steps) {
    for (const auto& [arguments, status, says] : steps) {
      EXPECT_EQ(Run(arguments), status) << arguments[1] << m_err.str();
      EXPECT_THAT(m_out.str() + m_err.str(), HasSubstr(says)) << arguments[1];
    }
  }

  HostTestFiles m_files;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

TEST_F(HRulesCommandTest, EditsTheRuleFileAsTheEditorValidates) {
  const std::string name80(80, 'n');
  RunSteps({
      {{"rules", "add", name80, std::string(2000, 'p')}, 0, "rule \"" + name80 + "\" added"},
      {{"rules", "add", name80 + "n", "p"}, 2, "the name must have 1 to 80 characters, not 81"},
      {{"rules", "add", "P", std::string(2001, 'p')}, 2, "pattern must have 1 to 2000 characters, not 2001"},
      {{"rules", "add", "P", "", "--regex"}, 2, "the pattern must have 1 to 2000 characters, not 0"},
      {{"rules", "add", "P", "%[sd", "--regex"}, 2, "missing terminating ] for character class at offset 4"},
      {{"rules", "add", "P", "x", "--no-count", "--text"}, 2, "--text counts only with --count"},
      {{"rules", "add", "P", "%[sd]", "--regex", "--method", "exist-if-in-source", "--text", "--order"},
       0,
       "added"},
      {{"rules", "add", "P", "x"}, 2, "rule \"P\" exists already"},
      {{"rules", "set", "P", "--no-text"}, 0, "changed"},
      {{"rules", "list"}, 0, "yes     regex    exact  exist-if-in-source  count  without\n"},
      {{"rules", "set", "P", "--method", "sometimes"}, 2, "unknown method \"sometimes\""},
      {{"rules", "rename", name80, "P"}, 2, "rule \"P\" exists already"},
      {{"rules", "rename", name80, "Q"}, 0, "renamed to \"Q\""},
      {{"rules", "disable", "Q"}, 0, "disabled"},
      {{"rules", "delete", "Nobody"}, 2, "no rule named \"Nobody\""},
      {{"rules", "list", "--format", "json"}, 0, "\"name\": \"Q\",\n          \"pattern\": \"ppp"},
      {{"rules", "delete", "Q"}, 0, "deleted"},
      {{"rules", "init"}, 2, "exists; --force replaces it"},
      {{"rules", "add", "--", "-Dash", "-"}, 0, "rule \"-Dash\" added"},
  });
  RunSteps({{{"rules", "export"}, 0, "\"name\": \"P\""}});
  const std::string exported = m_files.Write("rules.json", m_out.str());
  const std::string chainless = m_files.Write(
      "bad.json", R"({"rules": [{"name": "B", "pattern": "b", "count": false, "text": true}]})");
  const std::string unknown =
      m_files.Write("unknown.json", R"({"rules": [{"name": "B", "pattern": "b", "colour": true}]})");
  RunSteps({
      {{"rules", "import", chainless}, 2, "rule 1: text counts only with count"},
      {{"rules", "import", unknown}, 2, "rule 1: unknown rule member \"colour\""},
      {{"rules", "init", "--force"}, 0, "the bundled set of 11 rules written"},
      {{"rules", "import", exported}, 0, "2 rules imported"},
      {{"rules", "list"}, 0, "Accelerator"},
      {{"rules", "import", "--replace", exported}, 0, "2 rules imported"},
      {{"rules", "test"}, 1, "\"Printf placeholders\", sample 1: the rule file has no rule of this name"},
  });
}

TEST_F(HRulesCommandTest, TryPrintsWhatTheTestPaneShows) {
  const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
      {{"try", "--pattern", "\\d+", "--regex", "--method", "must-not-exist", "--source", "", "--translation",
        "a"},
       0,
       "OK\n──────\nNo matches in source\nNo matches in translation\n"},
      {{"try", "--pattern", "\\n", "--method", "exist-if-in-source", "--source", "a\r\nb", "--translation",
        "a b"},
       1,
       "Unequal number of matches. Source: 1, Translation: 0\n──────\nMatches in source:\n\nNo matches in "
       "translation\n"},
      {{"try", "Nobody", "--source", "a", "--translation", "b"}, 2, ""},
  };
  for (const auto& [arguments, status, out] : cases) {
    const int got = Run(arguments);
    EXPECT_EQ(std::pair(got, m_out.str()), std::pair(status, out)) << arguments[1];
  }
  // Positions count UTF-16 units: the highlight stays on the match behind a character outside the BMP.
  EXPECT_EQ(Run({"try", "--pattern", "%s", "--source", "%s\U0001F600%s", "--translation", "-%s"}, true), 0);
  EXPECT_THAT(m_out.str(), HasSubstr("source:      \x1b[1;4;33m%s\x1b[0m\U0001F600\x1b[1;4;33m%s\x1b[0m\n"
                                     "translation: -\x1b[1;4;33m%s\x1b[0m\n"));
}

TEST_F(HRulesCommandTest, TheBundledSetPassesItsSamplesAndServesAChecksWithoutRuleFiles) {
  EXPECT_EQ(Run({"rules", "test"}), 0) << m_out.str();
  EXPECT_EQ(m_out.str(), "24 samples, 0 failed\n");
  Run({"rules", "init"});
  const std::string samples = m_files.Write("g/settings.samples.json", R"({"Numbers": [
    {"source": "1", "translation": "1", "violations": ["x"]}]})");
  EXPECT_EQ(Run({"rules", "test"}), 1);
  EXPECT_EQ(m_out.str(), samples +
                             ": \"Numbers\", sample 1: expected\n    x\n  but the rule reports\n"
                             "    (no violation)\n1 samples, 1 failed; 10 rules have no sample\n");
  std::filesystem::remove_all(m_files.Path("g"));
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_EQ(m_err.str(), "") << "nothing is checked, so no rules are chosen";
  const std::string po = m_files.Write("p/de.po", "msgid \"%s\"\nmsgstr \"x\"\n");
  EXPECT_EQ(Run({po}), HApplication::kViolations);
  EXPECT_THAT(m_err.str(),
              HasSubstr("inline-patterns: global rules: the bundled set of 11 rules; `inline-patterns "
                        "rules init --global-dir " +
                        m_files.Path("g") + "` copies it to " + m_files.Path("g") + " to edit it\n"));
  m_files.Write("p/.inline-patterns/settings.ini", "[Pattern]\nName=Off\nActive=0\nPattern=x\n");
  EXPECT_EQ(Run({po}), HApplication::kError);
  EXPECT_THAT(m_err.str(), HasSubstr("nothing would be checked"));
}

// A language's rule replaces the project's of the same name where that language is tried and listed.
TEST_F(HRulesCommandTest, LanguageRulesAreKeptApartAndReplaceTheProjectsOfTheirName) {
  const std::string p = (m_files.Write("p/de.po", ""), m_files.Path("p")), none = "--method=must-not-exist";
  RunSteps(
      {{{"rules", "add", "Quotes", "\"", none, "--project", p}, 0, "/.inline-patterns/settings.ini"},
       {{"rules", "add", "Quotes", "'", none, "--project", p, "--language=de_DE"}, 0, "/de-de/settings.ini"},
       {{"rules", "list", p}, 0, "replacing the project rules \"Quotes\" for this language"},
       {{"rules", "add", "X", "x", "--language", "de"}, 2, "--language needs the project"},
       {{"try", "Quotes", "--project", p, "--source=a", "--translation=\""}, 1, "must not appear"},
       {{"try", "Quotes", "--project", p, "--language=DE-de", "--source=a", "--translation=\""}, 0, "OK"}});
}

// The language server's hover finds the rule where the check took it from.
TEST_F(HRulesCommandTest, AProjectRulesFileTakesThePlaceOfTheProjectsOwn) {
  m_files.Write("p/.inline-patterns/settings.ini", "[Pattern-00]\nName=Dots\nPattern=...\n");
  m_files.Write("shared.ini", "[Pattern-00]\nName=Dots\nPattern=!!\n");
  HRuleFiles files(m_files.Path("g"), m_files.Path("p"), "", m_files.Path("shared.ini"));
  EXPECT_EQ(files.FindRule("Dots")->Pattern, u"!!");
}

}  // namespace
