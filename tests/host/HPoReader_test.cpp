// PO entries: plural forms, context, skipped entries, line numbers, escapes, charsets and syntax errors,
// and the same units as libgettextpo gives for real catalogs.
#include "HPoReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "HError.h"
#include "HostTestFiles.h"
#include "common/GettextReference.h"

namespace {

using testing::HasSubstr;

constexpr const char* kCatalog = R"(msgid ""
msgstr ""
"Content-Type: text/plain; charset=UTF-8\n"
"Plural-Forms: nplurals=3; plural=n%10==1 ? 0 : 1;\n"

msgctxt "menu"
msgid "File"
msgstr "Datei"

msgid "one %d"
msgid_plural "many %d"
msgstr[0] "eins %d"
msgstr[1] ""
msgstr[2] "viele %d"

#, c-format, fuzzy
msgid "fuzzy"
msgstr "unscharf"

msgid "untranslated"
msgstr ""

#| msgid "was"
#~ msgctxt "old"
#~ msgid "obsolete"
#~ msgstr "veraltet"

msgid "last"
msgstr "letzte"
)";

// id|line|source|target of every unit read; "?" marks an untranslated one.
std::vector<std::string> Units(const std::string& path) {
  std::vector<std::string> read;
  HPoReader::Read(path, [&](const HUnit& u) {
    EXPECT_EQ(u.sourceNative, u.sourcePlain);
    EXPECT_EQ(u.targetNative, u.targetPlain);
    const char* mark = u.status == HUnit::Status::Untranslated ? "?" : "";
    read.push_back(mark + u.id + "|" + std::to_string(u.line) + "|" + u.sourcePlain + "|" + u.targetPlain);
  });
  return read;
}

TEST(HPoReader, FormsWithContextLinesAndStatus) {
  HostTestFiles files;
  EXPECT_EQ(Units(files.Write("de.po", kCatalog)),
            (std::vector<std::string>{"menu|File|6|File|Datei", "one %d[0]|10|one %d|eins %d",
                                      "?one %d[1]|10|many %d|", "one %d[2]|10|many %d|viele %d",
                                      "?fuzzy|17|fuzzy|unscharf", "?untranslated|20|untranslated|",
                                      "last|28|last|letzte"}));
}

// The escapes of C strings (octal up to three digits, hex up to the first non-digit), strings continued
// on the next lines, Windows line ends, a byte order mark and very long lines.
TEST(HPoReader, EscapesContinuationsAndLongLines) {
  const std::string y((1 << 20) - 20, 'y');  // with the 20 other bytes of its entry: the reader's 1 MiB block
  const std::pair<std::string, std::string> cases[] = {
      {"msgid \"a\"\nmsgstr \"t\\tn\\nq\\\"b\\\\\"\n", "t\tn\nq\"b\\"},
      {"msgid \"a\"\nmsgstr \"\\1234\\1011\\7\"\n", "S4A1\a"},
      {"msgid \"a\"\nmsgstr \"\\x41\\x4a\\x7e!\"\n", "AJ~!"},
      {"msgid \"a\"\nmsgstr \"\"\n  \"one \"   \"two\"\n\"three\"\n", "one twothree"},
      {"\xEF\xBB\xBFmsgid \"a\"\r\nmsgstr \"crlf\"\r\n", "crlf"},
      // Lines longer than the reader's block, which grows its buffer twice; the last line without line end.
      {"msgid \"a\"\nmsgstr \"" + std::string(3 << 20, 'x') + "\"", std::string(3 << 20, 'x')},
      // The first block ends with the line feed, or between CR and LF.
      {"msgid \"a\"\nmsgstr \"" + y + "\"\n", y},
      {"msgid \"a\"\nmsgstr \"" + y + "\"\r\n", y},
  };
  HostTestFiles files;
  for (const auto& [file, target] : cases) {
    std::vector<std::string> targets;
    HPoReader::Read(files.Write("x.po", file), [&](const HUnit& u) { targets.push_back(u.targetPlain); });
    EXPECT_EQ(targets, std::vector<std::string>{target}) << file.substr(0, 80);
  }
}

TEST(HPoReader, ErrorsNameTheFileAndTheLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"msgid \"a\"\nmsgstr \"b\"\nmsgid unquoted\n", ":3"},
      {"msgstr \"b\"\n", ":1"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr \"b\"\n", ":3"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[1] \"b\"\n", ":3"},
      {"msgid \"a\"\nmsgid_plural \"as\"\nmsgstr[99999999999999999999] \"b\"\n", ":3"},
      {"msgid \"a\"\nmsgstr \"b\\q\"\n", ":2"},
      {"msgid \"a\"\nmsgstr \"open\n", ":2"},
      {"msgid \"a\"\n", ":1"},
      {PoHeader("EUC-JP") + "msgid \"a\"\nmsgstr \"\xc6\"\n", ":5"},
      {PoHeader("X-NO-SUCH-42"), ": unknown charset \"X-NO-SUCH-42\""},
  };
  HostTestFiles files;
  for (const auto& [file, where] : cases) {
    const std::string path = files.Write("bad.po", file);
    EXPECT_THAT([&] { HPoReader::Read(path, [](const HUnit&) {}); },
                testing::ThrowsMessage<HError>(HasSubstr(path + where)))
        << file;
  }
  EXPECT_THROW(HPoReader::Read(files.Path("missing.po"), [](const HUnit&) {}), HError);
}

// A catalog in the charset its header declares; msgctxt, msgid and msgstr all come out as UTF-8.
TEST(HPoReader, DeclaredCharsetIsConvertedToUtf8) {
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"ISO-8859-1", "Priont\xE1il", "Priont\u00e1il"},
      {"EUC-JP", "\xC6\xFC\xCB\xDC", "\u65e5\u672c"},
      {"CHARSET", "plain", "plain"}};
  HostTestFiles files;
  for (const auto& [charset, bytes, utf8] : cases) {
    const std::string po =
        PoHeader(charset) + "msgctxt \"" + bytes + "\"\nmsgid \"" + bytes + "\"\nmsgstr \"" + bytes + "\"\n";
    EXPECT_EQ(Units(files.Write("c.po", po)),
              std::vector<std::string>{utf8 + "|" + utf8 + "|4|" + utf8 + "|" + utf8})
        << charset;
  }
}

// The sample project's catalog and every installed catalog of a few domains, turned back into PO.
TEST(HPoReader, GivesTheUnitsThatLibgettextpoGives) {
  HostTestFiles files;
  std::vector<std::string> catalogs = {std::string(IP_SOURCE_DIR) + "/examples/sample-project/de.po"};
  for (const char* domain : {"coreutils", "dpkg", "apt"}) {
    for (const char* lang : {"de", "ja", "ru", "pl"}) {
      const std::string mo = std::string("/usr/share/locale/") + lang + "/LC_MESSAGES/" + domain + ".mo";
      if (!std::filesystem::exists(mo)) continue;
      const std::string po = files.Path(std::string(lang) + "-" + domain + ".po");
      if (std::system(("msgunfmt " + mo + " -o " + po).c_str()) == 0) catalogs.push_back(po);
    }
  }
  for (const std::string& path : catalogs) {
    SCOPED_TRACE(path);
    std::vector<std::string> ours;
    HPoReader::Read(path, [&](const HUnit& u) {
      if (const std::string line = gettext_reference::UnitLine(u); !line.empty()) ours.push_back(line);
    });
    std::vector<std::string> theirs;
    EXPECT_TRUE(gettext_reference::GettextUnits(path, theirs));
    EXPECT_EQ(ours, theirs);
  }
}

}  // namespace
