// PO entries: plural forms, context, skipped entries and line numbers.
#include "HPoReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "HError.h"
#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;

constexpr const char* kCatalog = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=3; plural=n%10==1 ? 0 : 1;\n"

msgid "plain %s"
msgstr "schlicht %s"

msgctxt "menu"
msgid "File"
msgstr "Datei"

msgid "one %d"
msgid_plural "many %d"
msgstr[0] "eins %d"
msgstr[1] ""
msgstr[2] "viele %d"

#, fuzzy
msgid "fuzzy"
msgstr "unscharf"

msgid "untranslated"
msgstr ""

#~ msgctxt "old"
#~ msgid "obsolete"
#~ msgstr "veraltet"

msgid "last"
msgstr "letzte"
)";

TEST(HPoReader, FormsWithContextLinesAndStatus) {
  HostTestFiles files;
  std::vector<HUnit> units;
  HPoReader::Read(files.Write("de.po", kCatalog), [&](const HUnit& unit) { units.push_back(unit); });
  // id|line|source|target, native and plain being the same in PO; "?" marks an untranslated form
  std::vector<std::string> read;
  for (const HUnit& u : units) {
    EXPECT_EQ(u.sourceNative, u.sourcePlain);
    EXPECT_EQ(u.targetNative, u.targetPlain);
    const char* mark = u.status == HUnit::Status::Untranslated ? "?" : "";
    read.push_back(mark + u.id + "|" + std::to_string(u.line) + "|" + u.sourcePlain + "|" + u.targetPlain);
  }
  EXPECT_EQ(read, (std::vector<std::string>{"plain %s|6|plain %s|schlicht %s", "menu|File|9|File|Datei",
                                            "one %d[0]|13|one %d|eins %d", "?one %d[1]|13|many %d|",
                                            "one %d[2]|13|many %d|viele %d", "?fuzzy|20|fuzzy|unscharf",
                                            "?untranslated|23|untranslated|", "last|30|last|letzte"}));
}

TEST(HPoReader, EntryLinesCountObsoleteEntriesAndSkipPreviousMsgids) {
  HostTestFiles files;
  const std::string path =
      files.Write("x.po",
                  "msgid \"\"\nmsgstr \"\"\n\n#| msgid \"was\"\nmsgid \"a\"\nmsgstr \"b\"\n"
                  "\n#~ msgctxt \"c\"\n#~ msgid \"d\"\n#~ msgstr \"e\"\n");
  EXPECT_EQ(HPoReader::EntryLines(path), (std::vector<long>{1, 5, 8}));
}

// A catalog in the charset its header declares; msgctxt, msgid and msgstr all come out as UTF-8.
std::string Catalog(const std::string& charset, const std::string& text) {
  return "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=" + charset + "\\n\"\n\nmsgctxt \"" + text +
         "\"\nmsgid \"" + text + "\"\nmsgstr \"" + text + "\"\n";
}

TEST(HPoReader, DeclaredCharsetIsConvertedToUtf8) {
  const struct {
    const char* charset;
    const char* bytes;
    const char* utf8;
  } cases[] = {{"ISO-8859-1", "Priont\xE1il", "Priontáil"},
               {"KOI8-R", "\xE4\xC1", "Да"},
               {"EUC-JP", "\xC6\xFC\xCB\xDC", "日本"},
               {"UTF-8", "Priontáil", "Priontáil"},
               {"CHARSET", "plain", "plain"}};
  HostTestFiles files;
  for (const auto& c : cases) {
    std::vector<HUnit> units;
    HPoReader::Read(files.Write("c.po", Catalog(c.charset, c.bytes)),
                    [&](const HUnit& u) { units.push_back(u); });
    ASSERT_EQ(units.size(), 1u) << c.charset;
    EXPECT_EQ(units[0].id, std::string(c.utf8) + "|" + c.utf8) << c.charset;
    EXPECT_EQ(units[0].sourcePlain + units[0].targetNative, std::string(c.utf8) + c.utf8) << c.charset;
  }
  const std::string unknown = files.Write("u.po", Catalog("X-NO-SUCH-42", "a"));
  EXPECT_THAT([&] { HPoReader::Read(unknown, [](const HUnit&) {}); },
              testing::ThrowsMessage<HError>(HasSubstr(unknown + ": unknown charset \"X-NO-SUCH-42\"")));
}

TEST(HPoReader, SyntaxErrorAndMissingFileAreErrors) {
  HostTestFiles files;
  const std::string path = files.Write("bad.po", "msgid \"a\"\nmsgstr \"b\"\nmsgid unquoted\n");
  EXPECT_THAT([&] { HPoReader::Read(path, [](const HUnit&) {}); },
              testing::ThrowsMessage<HError>(HasSubstr(path + ":3")));
  EXPECT_THROW(HPoReader::Read(files.Path("missing.po"), [](const HUnit&) {}), HError);
}

}  // namespace
