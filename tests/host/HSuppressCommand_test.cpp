// `suppress`: the suppression in each format's place, every other byte unchanged, through a symbolic link.
#include "HSuppressCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

// The file after the suppression, the inserted bytes in [[ ]]: the file before has every other byte.
TEST(HSuppressCommand, InsertsTheSuppressionAndNothingElse) {
  const std::string x2 = "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"><file>\n";
  const std::string seg = "<segment><source>s</source><target>t</target></segment></unit></file></xliff>\n";
  const std::string x12 = "<xliff version=\"1.2\"><file><body>", end = "</body></file></xliff>";
  const std::string ours = "<note category=\"inline-patterns\">inline-patterns-ignore: R &lt;1&gt;</note>";
  const std::tuple<std::string, const char*, const char*> cases[] = {
      // marked, unit, rule (empty: every rule)
      {"#: x.c:1\r\n#, c-format[[, inline-patterns-ignore:\"R\"]]\r\n#| msgid \"o\"\r\nmsgid \"a\"\r\n"
       "msgstr \"b\"\r\n",
       "a", "R"},
      {"msgid \"z\"\nmsgstr \"y\"\n#. n\n[[#, inline-patterns-ignore\n]]msgctxt \"c\"\nmsgid \"a\"\n"
       "msgid_plural \"as\"\nmsgstr[0] \"b\"\n",
       "c|a", ""},
      {x12 +
           "<trans-unit id=\"v\"/><trans-unit id=\"u\"><source>s</source><target>t</target>[[<note>"
           "inline-patterns-ignore: R &lt;1&gt;</note>]]<context-group/></trans-unit>" +
           end,
       "u", "R <1>"},
      {x12 +
           "\r\n <trans-unit id=\"u\">\r\n  <source>s</source>\r\n[[  <note>inline-patterns-ignore: R</note>"
           "\r\n]] </trans-unit>\r\n" +
           end,
       "u", "R"},
      {x2 + "<unit id=\"a&amp;b\"><notes><note>n</note>[[" + ours + "]]</notes>" + seg, "a&b", "R <1>"},
      {x2 + "<unit id=\"a&amp;b\">[[<notes>" + ours + "</notes>]]" + seg, "a&b", "R <1>"},
      {x2 + "<unit id=\"u\">\n\t[[<notes>" + ours + "</notes>\n\t]]" + seg, "u", "R <1>"},
  };
  for (const auto& [marked, unit, rule] : cases) {
    const size_t open = marked.find("[["), close = marked.find("]]");
    const std::string before = std::string(marked).erase(open, close + 2 - open);
    const std::string after = std::string(marked).erase(close, 2).erase(open, 2);
    const std::string path = marked[0] == '<' ? "a.xlf" : "a.po";  // the texts are given, never read
    EXPECT_EQ(HSuppressCommand::Suppressed(path, before, unit, rule), after) << marked;
    EXPECT_EQ(HSuppressCommand::Suppressed(path, after, unit, rule), after) << "there already";
  }
}

TEST(HSuppressCommand, ReplacesTheFileThatALinkNames) {
  HostTestFiles files;
  const std::string target = files.Write("real/de.po", "msgid \"%s\"\nmsgstr \"x\"\n");
  std::filesystem::create_symlink(target, files.Path("de.po"));
  std::ostringstream out, err;
  EXPECT_EQ(HApplication(out, err, false, false).Run({"suppress", files.Path("de.po"), "%s", "P"}), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(files.Path("de.po")));
  EXPECT_EQ(ReadFileBytes(target), "#, inline-patterns-ignore:\"P\"\nmsgid \"%s\"\nmsgstr \"x\"\n");
  EXPECT_EQ(HApplication(out, err, false, false).Run({"suppress", files.Path("de.po"), "nope", "P"}), 2);
}

}  // namespace
