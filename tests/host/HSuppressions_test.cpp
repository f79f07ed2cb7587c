// Suppressions written in the files: each spelling in each format, and those that suppress nothing.
#include "HSuppressions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

std::string Po(const std::string& flags) {
  return ::Po("Open %s %d", "%s", flags);
}

// A unit of XLIFF 1.2, or of XLIFF 2 with its notes, whose translation drops a placeholder.
std::string Xliff(bool xliff2, const std::string& note) {
  const std::string texts = "<source>%s %d</source><target>%s</target>";
  if (!xliff2)
    return "<xliff version=\"1.2\"><file><body><trans-unit id=\"u\">" + texts + note +
           "</trans-unit></body></file></xliff>";
  return "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"><file><unit "
         "id=\"u\"><notes>" +
         note + "</notes><segment>" + texts + "</segment></unit></file></xliff>";
}

// A stale suppression is a warning, and with --strict-suppressions a failure.
TEST(HSuppressions, EachSpellingSuppressesAndStaleOnesWarn) {
  const std::string ours = "<note category=\"inline-patterns\">";
  const struct {
    std::string content;
    const char* summary;  // the end of the summary line
    const char* warning;  // empty: none
  } cases[] = {
      {Po("#, inline-patterns-ignore\n"), "0 violations, 1 suppressed\n", ""},
      {Po("#, inline-patterns-ignore:\"Other\"\n"), "1 violations, 1 warnings\n",
       ":4: warning: the suppression suppresses nothing [Other]"},
      {Po("#, inline-patterns-ignore:\"Nope\"\n"), "1 violations, 1 warnings\n", "names no rule: \"Nope\""},
      {Po("#, inline-patterns-ignore:Printf\n"), "1 violations, 1 warnings\n",
       ": warning: not a suppression"},
      {Po("#, inline-patterns-ignore:\"\"\n"), "1 violations, 1 warnings\n", ": warning: not a suppression"},
      {Xliff(false, "<note> inline-patterns-ignore: Printf </note>"), "0 violations, 1 suppressed\n", ""},
      {Xliff(false, "<note>Printf</note>"), "1 violations\n", ""},
      {Xliff(false, "<note>inline-patterns-ignore Printf</note>"), "1 violations, 1 warnings\n",
       "not a suppression"},
      {Xliff(true, "<note>inline-patterns-ignore</note>"), "1 violations\n", ""},
      {Xliff(true, ours + "ignore</note>"), "1 violations, 1 warnings\n", "not a suppression"},
  };
  for (const auto& c : cases) {
    HostTestFiles files;
    files.Write("global/settings.ini",
                "[Pattern]\nName=Printf\nPattern=%[sd]\nRegEx=1\nCheckMethod=1\nCheckFlags=2\n"
                "[Pattern]\nName=Other\nPattern=x\nRegEx=0\nCheckMethod=2\n");
    const std::string file = files.Write(c.content[0] == '<' ? "a.xlf" : "a.po", c.content);
    const int clean =
        std::string(c.summary).starts_with("0") ? HApplication::kClean : HApplication::kViolations;
    for (const bool strict : {false, true}) {
      std::ostringstream out, err;
      const int status = HApplication(out, err, false, false)
                             .Run({"--module", IP_MODULE_PATH, "--global-dir", files.Path("global"),
                                   strict ? "--strict-suppressions" : "-v", file});
      EXPECT_THAT(err.str(), testing::EndsWith(c.summary)) << c.content;
      EXPECT_THAT(err.str(), testing::HasSubstr(c.warning)) << c.content;
      EXPECT_EQ(status, strict && *c.warning != '\0' ? HApplication::kError : clean) << c.content;
    }
  }
}

}  // namespace
