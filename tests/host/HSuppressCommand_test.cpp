// `suppress`: the suppression in each format's place, every other byte unchanged, through a symbolic link.
#include "HSuppressCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "HApplication.h"
#include "HostTestFiles.h"

namespace {

TEST(HSuppressCommand, InsertsTheSuppressionAndNothingElse) {
  const std::string x2 =
      "<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"><file>\n<unit id=\"a&amp;b\">";
  const std::string seg = "<segment><source>s</source><target>t</target></segment></unit></file></xliff>\n";
  const std::string k12 = "<xliff version=\"1.2\"><file><body>\r\n", kEnd = "</body></file></xliff>";
  const std::string ours = "<note category=\"inline-patterns\">inline-patterns-ignore: R &lt;1&gt;</note>";
  const struct {
    const char* file;
    std::string before;
    const char* unit;
    const char* rule;  // empty: --all
    std::string after;
  } cases[] = {
      {"a.po", "#: x.c:1\r\n#, c-format\r\n#| msgid \"o\"\r\nmsgid \"a\"\r\nmsgstr \"b\"\r\n", "a", "R",
       "#: x.c:1\r\n#, c-format, inline-patterns-ignore:\"R\"\r\n#| msgid \"o\"\r\nmsgid \"a\"\r\nmsgstr "
       "\"b\"\r\n"},
      {"a.po",
       "msgid \"z\"\nmsgstr \"y\"\n#. note\nmsgctxt \"c\"\nmsgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] "
       "\"b\"\n",
       "c|a", "",
       "msgid \"z\"\nmsgstr \"y\"\n#. note\n#, inline-patterns-ignore\nmsgctxt \"c\"\nmsgid "
       "\"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"b\"\n"},
      {"a.xlf",
       "<xliff version=\"1.2\"><file><body><trans-unit id=\"v\"/><trans-unit id=\"u\"><source>s</source>"
       "<target>t</target><context-group/></trans-unit></body></file></xliff>",
       "u", "R <1>",
       "<xliff version=\"1.2\"><file><body><trans-unit id=\"v\"/><trans-unit id=\"u\"><source>s</source>"
       "<target>t</target><note>inline-patterns-ignore: R "
       "&lt;1&gt;</note><context-group/></trans-unit></body></file></xliff>"},
      {"a.xlf", x2 + "<notes><note>n</note></notes>" + seg, "a&b", "R <1>",
       x2 + "<notes><note>n</note>" + ours + "</notes>" + seg},
      {"a.xlf", x2 + seg, "a&b", "R <1>", x2 + "<notes>" + ours + "</notes>" + seg},
      // A file laid out by lines gets a line in the unit's indentation, with the file's line end.
      {"a.xlf", k12 + " <trans-unit id=\"u\">\r\n  <source>s</source>\r\n </trans-unit>\r\n" + kEnd, "u", "R",
       k12 +
           " <trans-unit id=\"u\">\r\n  <source>s</source>\r\n  <note>inline-patterns-ignore: R</note>\r\n"
           " </trans-unit>\r\n" +
           kEnd},
      {"a.xlf", x2 + "\n\t" + seg, "a&b", "",
       x2 +
           "\n\t<notes><note "
           "category=\"inline-patterns\">inline-patterns-ignore</note></notes>\n\t" +
           seg},
  };
  for (const auto& c : cases) {
    HostTestFiles files;
    const std::string path = files.Write(c.file, c.before);
    EXPECT_EQ(HSuppressCommand::Suppressed(path, c.before, c.unit, c.rule), c.after) << c.before;
    files.Write(c.file, c.after);
    EXPECT_EQ(HSuppressCommand::Suppressed(path, c.after, c.unit, c.rule), c.after) << "there already";
  }
}

TEST(HSuppressCommand, ReplacesTheFileALinkNamesAndTheCheckAcceptsIt) {
  HostTestFiles files;
  files.Write("global/settings.ini",
              "[Pattern]\nName=Printf\nPattern=%s\nRegEx=0\nCheckMethod=1\nCheckFlags=2\n");
  const std::string target = files.Write("real/de.po", "msgid \"%s\"\nmsgstr \"x\"\n");
  std::filesystem::create_symlink(target, files.Path("de.po"));
  std::ostringstream out, err;
  HApplication app(out, err, false, false);
  const std::vector<std::string> check = {"--module", IP_MODULE_PATH, "--global-dir", files.Path("global"),
                                          files.Path("de.po")};
  EXPECT_EQ(app.Run(check), HApplication::kViolations);
  EXPECT_EQ(app.Run({"suppress", files.Path("de.po"), "%s", "Printf"}), HApplication::kClean) << err.str();
  EXPECT_TRUE(std::filesystem::is_symlink(files.Path("de.po")));
  EXPECT_EQ(ReadFileBytes(target), "#, inline-patterns-ignore:\"Printf\"\nmsgid \"%s\"\nmsgstr \"x\"\n");
  EXPECT_EQ(app.Run(check), HApplication::kClean) << err.str();
  EXPECT_EQ(app.Run({"suppress", files.Path("de.po"), "nope", "Printf"}), HApplication::kError);
}

}  // namespace
