// End to end through the real module: rules from the global and project files, exit codes, errors.
#include "HApplication.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <set>
#include <sstream>

#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

class HApplicationTest : public testing::Test {
 protected:
  void SetUp() override { m_files.Write("global/settings.ini", Rule("Printf", "%[sd]")); }

  int Run(std::vector<std::string> arguments) {
    m_out.str("");
    m_err.str("");
    arguments.insert(arguments.begin(), {"--module", IP_MODULE_PATH, "--global-dir", m_files.Path("global")});
    return HApplication(m_out, m_err, false, false).Run(arguments);
  }

  HostTestFiles m_files;
  std::ostringstream m_out;
  std::ostringstream m_err;
};

// The exit status tells a clean run, violations and errors; a broken file is an error but the others are
// still checked; units not yet translated are counted, or checked on request.
TEST_F(HApplicationTest, ExitStatusTellsCleanViolationsAndErrors) {
  const std::string xliff = m_files.Write("x/fr.xlf", R"(<xliff version="1.2"><file><body>
<trans-unit id="n"><source>%s</source><target state="new">x</target></trans-unit>
<trans-unit id="t"><source>%s</source><target>%s</target></trans-unit></body></file></xliff>)");
  EXPECT_EQ(Run({xliff}), HApplication::kClean) << m_err.str();
  EXPECT_EQ(m_out.str(), "");
  EXPECT_THAT(m_err.str(), HasSubstr("1 units checked, 1 not yet translated, in 1 files: 0 violations"));
  EXPECT_EQ(Run({"--check-untranslated", xliff}), HApplication::kViolations);
  EXPECT_THAT(m_err.str(), HasSubstr("2 units checked, 0 not yet translated, in 1 files: 1 violations"));

  const std::string dirty = m_files.Write("dirty/de.po", Po("Copy %s to %d", "Kopieren nach %d"));
  EXPECT_EQ(Run({dirty}), HApplication::kViolations);
  EXPECT_EQ(
      m_out.str(),
      dirty +
          ":5:23: warning: [Copy %s to %d] Unequal number of matches. Source: 2, Translation: 1 [Printf]\n");

  EXPECT_EQ(Run({m_files.Path("nowhere")}), HApplication::kError);
  EXPECT_THAT(m_err.str(), HasSubstr("nowhere: no such file or folder"));
  EXPECT_EQ(Run({"--module", m_files.Path("none.zak"), xliff}), HApplication::kError);
  EXPECT_THAT(m_err.str(), HasSubstr("cannot load the module"));

  m_files.Write("p/a.xlf", "<xliff><file>\n");
  m_files.Write("p/b.po", Po("%s", "x"));
  EXPECT_EQ(Run({"-q", m_files.Path("p")}), HApplication::kError);
  EXPECT_THAT(m_out.str(), HasSubstr("b.po:5:9:"));
  // As compilers print them: the file's position first, for editors' error parsers.
  EXPECT_THAT(m_err.str(), StartsWith(m_files.Path("p/a.xlf") + ":1: error: "));
  EXPECT_THAT(m_err.str(), Not(HasSubstr("units checked"))) << "--quiet keeps the summary back";
}

TEST_F(HApplicationTest, EachProjectGetsItsOwnRulesAndTheOverrideServesAll) {
  m_files.Write("one/.inline-patterns/settings.ini", Rule("Brand", "Acme", 0, 1, 2));
  const std::string one = m_files.Write("one/fr.xlf", R"(<xliff version="1.2"><file><body>
<trans-unit id="b"><source>Acme <x id="1"/></source><target>Produit</target></trans-unit></body></file></xliff>)");
  const std::string two = m_files.Write("two/fr.po", Po("Acme", "Produit"));
  EXPECT_EQ(Run({one, two}), HApplication::kViolations);
  EXPECT_EQ(m_out.str(),
            one + ":2:61: warning: [b] Unequal number of matches. Source: 1, Translation: 0 [Brand]\n");

  const std::string shared = m_files.Write("shared.ini", Rule("Must say Acme", "Acme", 0, 3));
  EXPECT_EQ(Run({"--project-rules", shared, one, two}), HApplication::kViolations);
  EXPECT_THAT(
      m_out.str(),
      HasSubstr("two/fr.po:5:9: warning: [Acme] No text found that matches the rule. [Must say Acme]"));
}

TEST_F(HApplicationTest, NativeRulesSeeInlineCodes) {
  m_files.Write("global/settings.ini", Rule("Codes", "<x[^>]*/>") + "Native=1\n");
  const std::string xliff = m_files.Write("p/fr.xlf", R"(<xliff version="1.2"><file><body>
<trans-unit id="c"><source>a <x id="1"/></source><target>b</target></trans-unit></body></file></xliff>)");
  // The violation comes with the texts the rule saw, the project's own plain rule with the plain texts.
  m_files.Write("p/.inline-patterns/settings.ini", Rule("Plain", "a", 0, 1, 2));
  EXPECT_EQ(Run({"-v", xliff}), HApplication::kViolations);
  EXPECT_THAT(m_out.str(), HasSubstr("Source: 1, Translation: 0 [Codes]\n"
                                     "    source (with tags):      a <x id=\"1\"/>\n"
                                     "    translation (with tags): b\n"));
  EXPECT_THAT(m_out.str(), HasSubstr("Source: 1, Translation: 0 [Plain]\n"
                                     "    source:      a \n"));
}

// Where editors jump: the translation's text, at the rule's first match when the file holds the text before
// it as the rule sees it, else where the text starts. A unit whose texts were read only in part is checked
// with what was read, and the run says so; a real U+FFFD is no such part.
TEST_F(HApplicationTest, ViolationsPointAtTheTranslationsTextAndTextsReadInPartAreWarned) {
  const auto xliff = [](const std::string& target, const std::string& doctype = "") {
    return doctype + R"(<xliff version="1.2"><file><body><trans-unit id="u"><source>%s %d</source>)" +
           target + "</trans-unit></body></file></xliff>";
  };
  // The file, its content, where the violation is and the warning of a text read in part (empty: none).
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"b.po", Po("%s %d", "\\\"x\\\" %d"), ":5:9:", ""},  // an escaped quote before the match
      // The text starts at the first non-empty string (é is one column); a plural form at its own msgstr.
      {"c.po", "msgid \"%s %d\"\nmsgstr \"\"\n\"\"\n  \"\xC3\xA9 %d\"\n", ":4:6:", ""},
      {"d.po", "msgid \"%s\"\nmsgid_plural \"%s %d\"\nmsgstr[0] \"%s\"\nmsgstr[1] \"%d\"\n", ":4:12:", ""},
      {"g.po", "msgid \"%s %d\"\nmsgstr \"x %d\"", ":2:11:", ""},  // the last line, without its line end
      // A start tag over two lines; an entity or an inline code (unseen by plain rules) before the match.
      {"e.xlf", xliff("\n<target\n state=\"final\">x %d</target>"), ":3:18:", ""},
      {"f.xlf", xliff("<target>&lt; %d</target>"), ":1:83:", ""},
      {"tag.xlf", xliff("<target>a <x id=\"1\"/>%d</target>"), ":1:83:", ""},
      {"ref.xlf", xliff("<target>a &#37;d</target>"), ":1:85:", ""},
      {"bytes.po", Po("%s", "x \xC3 \xFF"),
       ":5:9:", "unit \"%s\": bytes that are not UTF-8 are read as U+FFFD"},
      {"replacement.po", Po("%s", "x \xEF\xBF\xBD"), ":5:9:", ""},
      {"entity.xlf", xliff("<target>b &e;%d</target>", "<!DOCTYPE xliff [<!ENTITY e SYSTEM \"e.txt\">]>"),
       ":1:128:", "unit \"u\": the entity &e; is not expanded; a violation may have been missed"},
  };
  for (const auto& [name, content, position, warning] : cases) {
    const std::string path = m_files.Write("p/" + name, content);
    EXPECT_EQ(Run({path}), HApplication::kViolations) << name << m_err.str();
    EXPECT_THAT(m_out.str(), StartsWith(path + position)) << content;
    EXPECT_THAT(m_err.str(), warning.empty() ? Not(HasSubstr("warning"))
                                             : testing::Matcher<std::string>(HasSubstr(warning)))
        << name;
  }
}

// A rule that may have missed a violation is a warning, once per rule and unit (a twin rule with the same
// pattern has its own), in the summary too, and --strict fails the run for it.
TEST_F(HApplicationTest, RulesThatMayMissAViolationAreWarnedAndStrictFailsTheRun) {
  const std::string runaway = std::string(30, 'a') + "b";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"Broken", "(x",
       "settings.ini: warning: the pattern \"(x\" does not compile: missing closing parenthesis at offset 2; "
       "the rule finds nothing [Broken]\n"},
      {"Runaway", "(a|a)+$",
       "de.po:5: warning: the search stopped at the regular-expression match limit in unit \"" + runaway +
           "\": a violation may have been missed [Runaway]\n"}};
  const std::string po = m_files.Write("p/de.po", Po(runaway, runaway) + "\nmsgid \"b\"\nmsgstr \"b\"\n");
  for (const auto& [name, pattern, warning] : cases) {
    m_files.Write("global/settings.ini", Rule(name, pattern) + Rule("Twin", pattern));
    EXPECT_EQ(Run({po}), HApplication::kClean);
    EXPECT_THAT(m_err.str(), HasSubstr(warning));
    EXPECT_EQ(m_err.str().find(warning), m_err.str().rfind(warning)) << "once";
    EXPECT_THAT(m_err.str(), HasSubstr("in 1 files: 0 violations, 2 warnings\n"));
    EXPECT_EQ(Run({"--strict", "--format", "json", po}), HApplication::kError);
    EXPECT_THAT(m_out.str(), HasSubstr("\"warnings\": 2}"));
  }
}

// Whatever the number of workers, the report and the messages are the same, byte for byte; the shards of
// a run share its files out, each file to one shard.
TEST_F(HApplicationTest, WorkersKeepTheReportAndShardsSplitIt) {
  for (int i = 0; i < 6; ++i)
    m_files.Write("p/" + std::to_string(i) + ".po", Po("%s %d", i % 3 ? "%d" : "%s"));
  m_files.Write("p/bad.xlf", "<xliff>\n");
  const std::vector<std::string> projects = {m_files.Path("p"), m_files.Write("q/x.po", Po("%s", "y"))};
  m_files.Write("global/settings.ini", Rule("Printf", "%[sd]") + Rule("Broken", "(x"));
  for (const std::string format : {"text", "json"}) {
    std::vector<std::string> runs;
    for (const char* jobs : {"-j1", "-j2", "-j5", "-j9"}) {
      Run({jobs, "-v", "--format", format, projects[0], projects[1]});
      runs.push_back(m_out.str() + m_err.str());
    }
    EXPECT_THAT(runs, testing::Each(runs[0])) << format;
    EXPECT_THAT(runs[0], HasSubstr("does not compile")) << "once, from whichever worker";
  }
  // Each shard warns of the broken rule itself; the files' lines are shared out.
  const auto fileLines = [&] {
    std::multiset<std::string> lines;
    std::istringstream in(m_out.str() + m_err.str());
    for (std::string line; std::getline(in, line);)
      if (line.find("settings.ini") == std::string::npos) lines.insert(line);
    return lines;
  };
  EXPECT_EQ(Run({"-q", projects[0], projects[1]}), HApplication::kError);
  std::multiset<std::string> all = fileLines(), shards;
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    Run({"-q", "--shard", shard, projects[0], projects[1]});
    shards.merge(fileLines());
  }
  EXPECT_EQ(shards, all);
}

// Adopting the checker on a project: today's violations are recorded, later runs fail only for new ones.
TEST_F(HApplicationTest, ABaselineLetsOnlyNewViolationsFailTheRun) {
  const std::string po = m_files.Write("p/de.po", Po("Copy %s", "Kopieren"));
  const std::string baseline = m_files.Path("p/baseline.json");
  EXPECT_EQ(Run({"--write-baseline", baseline, po}), HApplication::kClean);
  EXPECT_EQ(m_out.str(), "");
  EXPECT_THAT(m_err.str(), HasSubstr("0 new violations (1 in the baseline, 0 fixed)"));
  m_files.Write("p/de.po",
                Po("Copy %s", "Kopieren", "#: moved\n") + "\nmsgid \"Open %s\"\nmsgstr \"Offen\"\n");
  EXPECT_EQ(Run({"--baseline", baseline, po}), HApplication::kViolations);
  EXPECT_EQ(m_out.str(),
            po + ":9:9: warning: [Open %s] Unequal number of matches. Source: 1, Translation: 0 [Printf]\n");
  EXPECT_THAT(m_err.str(), HasSubstr("1 new violations (1 in the baseline, 0 fixed)"));
}

// Colours only for a terminal that can show them, and never for a user who asked for none.
TEST(HApplicationColour, NeedsATerminalWithATermAndNoNoColor) {
  EXPECT_TRUE(HApplication::UseColour(true, "xterm", nullptr));
  EXPECT_TRUE(HApplication::UseColour(true, "xterm", "")) << "an empty NO_COLOR is not set";
  EXPECT_FALSE(HApplication::UseColour(true, "xterm", "1"));
  EXPECT_FALSE(HApplication::UseColour(false, "xterm", nullptr));
  for (const char* term : {"dumb", "", static_cast<const char*>(nullptr)})
    EXPECT_FALSE(HApplication::UseColour(true, term, nullptr)) << (term ? term : "TERM not set");
}

// The program itself: its exit status and its one message when the report cannot be written.
TEST_F(HApplicationTest, ProgramExitsTwoWhenItCannotWriteButQuietlyWhenTheReaderHasGone) {
  const std::string program = std::string(IP_HOST_PROGRAM) + " --module " + IP_MODULE_PATH +
                              " --global-dir " + m_files.Path("global") + " ";
  const std::string dirty = m_files.Write("p/de.po", Po("%s", "x"));
  const std::string errors = m_files.Path("errors.txt");
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  close(pipeEnds[0]);  // the reader is gone before the first byte
  const std::string fullDisk = "inline-patterns: cannot write the report: No space left on device\n";
  const std::tuple<std::string, int, std::string> cases[] = {
      {"--format json " + dirty + " > /dev/full", HApplication::kError, fullDisk},
      {"--help > /dev/full", HApplication::kError, fullDisk},
      {"--help > /dev/null", HApplication::kClean, ""},
      {"> /dev/null", HApplication::kError, "inline-patterns: no file or folder to check\n"},
      {dirty + " >&" + std::to_string(pipeEnds[1]), HApplication::kViolations, ""},
  };
  for (const auto& [arguments, status, messages] : cases) {
    const int exit = std::system((program + arguments + " 2> " + errors).c_str());
    EXPECT_EQ(std::pair(WEXITSTATUS(exit), ReadFileBytes(errors)), std::pair(status, messages)) << arguments;
  }
  close(pipeEnds[1]);
}

}  // namespace
