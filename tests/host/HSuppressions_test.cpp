// Suppressions written in the files: each spelling in each format, and those that suppress nothing.
#include "HSuppressions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;

const std::string kPoEntry = "msgid \"Open %s %d\"\nmsgstr \"%s\"\n";
const std::string kPoHeader = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";

std::string Xliff12(const std::string& note) {
  return "<xliff version=\"1.2\"><file><body><trans-unit id=\"u\"><source>%s %d</source><target>%s</target>" +
         note + "</trans-unit></body></file></xliff>";
}

std::string Xliff2(const std::string& notes) {
  return "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"><file><unit id=\"u\">" +
         notes + "<segment><source>%s %d</source><target>%s</target></segment></unit></file></xliff>";
}

TEST(HSuppressions, EachSpellingSuppressesAndStaleOnesWarn) {
  const struct {
    const char* name;
    std::string file;
    std::string content;
    const char* summary;  // the end of the summary line
    const char* warning;  // empty: none
  } cases[] = {
      {"po one rule", "a.po", kPoHeader + "#, c-format, inline-patterns-ignore:\"Printf\"\n" + kPoEntry,
       "0 violations, 1 suppressed\n", ""},
      {"po every rule", "a.po", kPoHeader + "#, inline-patterns-ignore\n" + kPoEntry,
       "0 violations, 1 suppressed\n", ""},
      {"po other rule", "a.po", kPoHeader + "#, inline-patterns-ignore:\"Other\"\n" + kPoEntry,
       "1 violations, 1 warnings\n", ":4: warning: the suppression suppresses nothing [Other]"},
      {"po no such rule", "a.po", kPoHeader + "#, inline-patterns-ignore:\"Nope\"\n" + kPoEntry,
       "1 violations, 1 warnings\n", "names no rule: \"Nope\""},
      {"po unquoted", "a.po", kPoHeader + "#, inline-patterns-ignore:Printf\n" + kPoEntry,
       "1 violations, 1 warnings\n", "warning: not a suppression"},
      {"po empty name", "a.po", kPoHeader + "#, inline-patterns-ignore:\"\"\n" + kPoEntry,
       "1 violations, 1 warnings\n", "warning: not a suppression"},
      {"xliff 1.2", "a.xlf", Xliff12("<note> inline-patterns-ignore: Printf </note>"),
       "0 violations, 1 suppressed\n", ""},
      {"xliff 1.2 translator's note", "a.xlf", Xliff12("<note>Printf</note>"), "1 violations\n", ""},
      {"xliff 1.2 no colon", "a.xlf", Xliff12("<note>inline-patterns-ignore Printf</note>"),
       "1 violations, 1 warnings\n", "not a suppression"},
      {"xliff 2", "a.xlf",
       Xliff2("<notes><note category=\"inline-patterns\">inline-patterns-ignore</note></notes>"),
       "0 violations, 1 suppressed\n", ""},
      {"xliff 2 other category", "a.xlf", Xliff2("<notes><note>inline-patterns-ignore</note></notes>"),
       "1 violations\n", ""},
      {"xliff 2 ours misspelt", "a.xlf",
       Xliff2("<notes><note category=\"inline-patterns\">ignore</note></notes>"),
       "1 violations, 1 warnings\n", "not a suppression"},
  };
  for (const auto& c : cases) {
    HostTestFiles files;
    files.Write("global/settings.ini",
                "[Pattern]\nName=Printf\nPattern=%[sd]\nRegEx=1\nCheckMethod=1\nCheckFlags=2\n"
                "[Pattern]\nName=Other\nPattern=x\nRegEx=0\nCheckMethod=2\n");
    const std::vector<std::string> arguments = {"--module", IP_MODULE_PATH, "--global-dir",
                                                files.Path("global"), files.Write(c.file, c.content)};
    std::ostringstream out, err;
    const int status = HApplication(out, err, false, false).Run(arguments);
    EXPECT_THAT(err.str(), testing::EndsWith(c.summary)) << c.name;
    EXPECT_EQ(status,
              std::string(c.summary).starts_with("0") ? HApplication::kClean : HApplication::kViolations)
        << c.name;
    EXPECT_THAT(err.str(), HasSubstr(c.warning)) << c.name;
  }
}

TEST(HSuppressions, StrictSuppressionsFailsOnlyOnStaleOnes) {
  HostTestFiles files;
  files.Write("global/settings.ini",
              "[Pattern]\nName=Printf\nPattern=%[sd]\nRegEx=1\nCheckMethod=1\nCheckFlags=2\n");
  const std::string used = files.Write("used.po", kPoHeader + "#, inline-patterns-ignore\n" + kPoEntry);
  const std::string stale =
      files.Write("stale.po", kPoHeader + "#, inline-patterns-ignore\nmsgid \"a\"\nmsgstr \"b\"\n");
  for (const auto& [file, expected] :
       {std::pair{used, HApplication::kClean}, {stale, HApplication::kError}}) {
    std::ostringstream out, err;
    EXPECT_EQ(HApplication(out, err, false, false)
                  .Run({"--module", IP_MODULE_PATH, "--global-dir", files.Path("global"),
                        "--strict-suppressions", file}),
              expected)
        << err.str();
  }
}

}  // namespace
