// Suppressions written in the files: each spelling in each format, and those that suppress nothing.
#include "HSuppressions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

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
  const std::string ours = "<note category=\"inline-patterns\">", warned = "1 violations, 1 warnings\n";
  // The file, the end of the summary line and the warning (empty: none).
  const std::tuple<std::string, std::string, const char*> cases[] = {
      {Po("Open %s %d", "%s", "#, inline-patterns-ignore\n"), "0 violations, 1 suppressed\n", ""},
      {Po("Open %s %d", "%s", "#, inline-patterns-ignore:\"Other\"\n"), warned,
       ":4: warning: the suppression suppresses nothing [Other]"},
      {Po("Open %s %d", "%s", "#, inline-patterns-ignore:\"Nope\"\n"), warned, "names no rule: \"Nope\""},
      {Po("Open %s %d", "%s", "#, inline-patterns-ignore:Printf\n"), warned, ": warning: not a suppression"},
      {Po("Open %s %d", "%s", "#, inline-patterns-ignore:\"\"\n"), warned, ": warning: not a suppression"},
      {Xliff(false, "<note> inline-patterns-ignore: Printf </note>"), "0 violations, 1 suppressed\n", ""},
      {Xliff(false, "<note>Printf</note>"), "1 violations\n", ""},
      {Xliff(false, "<note>inline-patterns-ignore Printf</note>"), warned, "not a suppression"},
      {Xliff(true, "<note>inline-patterns-ignore</note>"), "1 violations\n", ""},
      {Xliff(true, ours + "ignore</note>"), warned, "not a suppression"},
  };
  for (const auto& [content, summary, warning] : cases) {
    HostTestFiles files;
    files.Write("global/settings.ini", Rule("Printf", "%[sd]", 1, 1, 2) + Rule("Other", "x", 0, 2, 2));
    const std::string file = files.Write(content[0] == '<' ? "a.xlf" : "a.po", content);
    const int clean = summary.starts_with("0") ? HApplication::kClean : HApplication::kViolations;
    for (const bool strict : {false, true}) {
      std::ostringstream out, err;
      const int status = HApplication(out, err, false, false)
                             .Run({"--module", IP_MODULE_PATH, "--global-dir", files.Path("global"),
                                   strict ? "--strict-suppressions" : "-v", file});
      EXPECT_THAT(err.str(), testing::AllOf(testing::EndsWith(summary), testing::HasSubstr(warning)))
          << content;
      EXPECT_EQ(status, strict && *warning != '\0' ? HApplication::kError : clean) << content;
    }
  }
}

}  // namespace
