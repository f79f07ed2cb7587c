// CRegExList: the list operations and the rule file (locating, reading both formats, writing atomically).
#include "rules/CRegExList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/FileBytes.h"
#include "common/TestHost.h"
#include "rules/HostContext.h"
#include "support/KStdioFile.h"
#include "support/KUtf8.h"

namespace {

namespace fs = std::filesystem;
using testhost::ToU16;

enum class Encoding { Utf16Le, Utf16Be, Utf8, Ansi };

// The file bytes of text ("\n" line ends) in an encoding, with its byte order mark.
std::string Encode(std::u16string_view text, Encoding encoding) {
  std::string bytes;
  if (encoding == Encoding::Utf16Le) bytes = "\xFF\xFE";
  if (encoding == Encoding::Utf16Be) bytes = "\xFE\xFF";
  if (encoding == Encoding::Utf8) bytes = "\xEF\xBB\xBF";
  if (encoding == Encoding::Utf8) return bytes + Utf16ToUtf8(text);
  for (const char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF);
    const char high = static_cast<char>(c >> 8);
    if (encoding == Encoding::Utf16Le) bytes += {low, high};
    if (encoding == Encoding::Utf16Be) bytes += {high, low};
    if (encoding == Encoding::Ansi) bytes += low;  // the tests' texts are Latin-1 outside 0x80 to 0x9F
  }
  return bytes;
}

// "Name|Active|Pattern|RegEx|Case|Tag|CheckMethod|CheckFlags|Native": one line per rule in a failure.
std::string Describe(const CRegExRule& rule) {
  return Utf16ToUtf8(rule.Name) + "|" + std::to_string(rule.Active) + "|" + Utf16ToUtf8(rule.Pattern) + "|" +
         std::to_string(rule.RegEx) + "|" + std::to_string(rule.Case) + "|" + std::to_string(rule.Tag) + "|" +
         std::to_string(rule.CheckMethod) + "|" + std::to_string(rule.CheckFlags) + "|" +
         std::to_string(rule.Native);
}

std::vector<std::string> Describe(const CRegExList& list) {
  std::vector<std::string> rules;
  for (int i = 0; i < list.GetSize(); ++i) rules.push_back(Describe(*list.GetAt(i)));
  return rules;
}

// Every owner empties a list before it destroys it.
struct OwnedList : CRegExList {
  ~OwnedList() override { DeleteAll(); }
};

class RuleFileTest : public testing::Test {
 protected:
  void SetUp() override { SetHostContext(&host, &site); }
  void TearDown() override { SetHostContext(nullptr, nullptr); }

  fs::path GlobalFile() const { return site.folder / "settings.ini"; }

  std::vector<std::string> LoadGlobalText(std::u16string_view text, Encoding encoding = Encoding::Utf16Le,
                                          bool compile = false) {
    WriteFileBytes(GlobalFile(), Encode(text, encoding));
    list.LoadGlobal(compile);
    return Describe(list);
  }

  testhost::TestAddInHost host;
  testhost::TestSite site;
  OwnedList list;
};

CRegExRule* NewRule(std::u16string name, std::u16string pattern = u"") {
  auto* rule = new CRegExRule;
  rule->Name = std::move(name);
  rule->Pattern = std::move(pattern);
  return rule;
}

TEST(CRegExListOperations, RemoveKeepsTheRuleAndDeleteAllSkipsNullEntries) {
  testhost::TestAddInHost host;
  CRegExList list;
  CRegExRule outside;
  EXPECT_EQ(list.Find(&outside), -1);
  CRegExRule* a = NewRule(u"a");
  CRegExRule* b = NewRule(u"b");
  host.CreateRegExp(&b->RegExObject, u"b", REGEX_CASE_SENSITIVE);
  list.Add(a);
  list.Add(nullptr);
  list.Add(b);
  list.RemoveAt(0);
  EXPECT_EQ(a->Name, u"a");
  delete a;
  EXPECT_EQ(list.Find(b), 1);
  list.DeleteAll();
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(host.destroyed, 1);
}

struct ReaderCase {
  const char* name;
  std::u16string text;
  std::vector<std::string> rules;
};

TEST_F(RuleFileTest, ReaderRules) {
  const ReaderCase cases[] = {
      {"defaults", u"[Pattern-00]\nName=X\n", {"X|1||0|1|0|0|2|0"}},
      {"all nine keys",
       u"[Pattern-00]\nName=N\nActive=0\nPattern=p\nRegEx=1\nCase=0\nTag=1\nCheckMethod=3\nCheckFlags=14\n"
       u"Native=1\n",
       {"N|0|p|1|0|1|3|14|1"}},
      {"value keeps its leading blanks, loses trailing ones",
       u"[Pattern-00]\nName=a\nPattern=  x \n",
       {"a|1|  x|0|1|0|0|2|0"}},
      {"section case and number do not matter",
       u"[pattern-7]\nName=a\n[PATTERN-07]\nName=b\n[Pattern]\nName=c\n",
       {"a|1||0|1|0|0|2|0", "b|1||0|1|0|0|2|0", "c|1||0|1|0|0|2|0"}},
      {"a section without Name is dropped",
       u"[Pattern-00]\nActive=0\n[Pattern-01]\nName=\n",
       {"|1||0|1|0|0|2|0"}},
      {"key is not trimmed", u"[Pattern-00]\nName =x\nName=y\n Active = 0\n", {"y|1||0|1|0|0|2|0"}},
      {"keys are case-sensitive, unknown keys ignored",
       u"[Pattern-00]\nname=x\nName=y\nACTIVE=0\nColor=red\n",
       {"y|1||0|1|0|0|2|0"}},
      {"last value wins", u"[Pattern-00]\nName=a\nActive=0\nName=b\nActive=7\n", {"b|7||0|1|0|0|2|0"}},
      {"integers read like wcstol",
       u"[Pattern-00]\nName=n\nCheckMethod=2abc\nCase=\nActive= -7\nTag=+5\nRegEx=abc\nCheckFlags=16\n",
       {"n|-7||0|0|5|2|16|0"}},
      {"integers outside 32 bits clamp",
       u"[Pattern-00]\nName=n\nActive=99999999999\nTag=-99999999999\n",
       {"n|2147483647||0|1|-2147483648|0|2|0"}},
      {"lines without a key are skipped", u"[Pattern-00]\n=x\nName=a=b\nfoo\n", {"a=b|1||0|1|0|0|2|0"}},
      {"blank lines and white space anywhere",
       u"\n  \n\t[Pattern-01]  \n\n   Name=a  \r\n\n",
       {"a|1||0|1|0|0|2|0"}},
      {"lines outside rule sections are ignored",
       u"Name=zz\n[Other]\nName=q\n[Pattern-00]\nName=r\n[Options]\nName=s\n",
       {"r|1||0|1|0|0|2|0"}},
      {"shorter than the section word", u"[Patter\nName=a\n", {}},
      {"an empty file", u"", {}},
      {"lower-case legacy header is just a section", u"[regexchecks]\n1=\"A\"\n", {}},
  };
  for (const ReaderCase& c : cases) EXPECT_EQ(LoadGlobalText(c.text), c.rules) << c.name;
}

TEST_F(RuleFileTest, LegacyFormat) {
  const ReaderCase cases[] = {
      {"one rule", u"[RegExChecks]\n1=\"A\",\"b+\",\"0\",\"1\",\"1\",\"\"\n", {"A|1|b+|1|1|0|1|14|0"}},
      {"only the RegExChecks section counts",
       u"0=\"before\"\n[RegExChecks]\n1=\"A\"\n[Other]\n2=\"B\"\n[RegExChecks]\nno equals\n[x=\"C\"\n",
       {"A|0||1|1|0|1|0|0", "C|0||1|1|0|1|0|0"}},
      {"rules read before the legacy header stay in front",
       u"[Pattern-00]\nName=a\n[RegExChecks]\n1=\"L\",\"p\",\"2\",\"0\",\"1\",\"0\"\n",
       {"a|1||0|1|0|0|2|0", "L|1|p|1|0|0|3|0|0"}},
  };
  for (const ReaderCase& c : cases) EXPECT_EQ(LoadGlobalText(c.text), c.rules) << c.name;
}

TEST_F(RuleFileTest, EveryEncodingAndLineEndLoadsTheSameRules) {
  const std::u16string text =
      u"[Pattern-00]\nName=caf\u00e9\nPattern=\u00e0+\nRegEx=1\n[Pattern-01]\nName=b\n";
  const std::vector<std::string> expected = {"caf\u00e9|1|\u00e0+|1|1|0|0|2|0", "b|1||0|1|0|0|2|0"};
  for (const Encoding encoding : {Encoding::Utf16Le, Encoding::Utf16Be, Encoding::Utf8, Encoding::Ansi})
    EXPECT_EQ(LoadGlobalText(text, encoding), expected) << static_cast<int>(encoding);

  std::u16string crOnly = text;
  std::replace(crOnly.begin(), crOnly.end(), u'\n', u'\r');
  EXPECT_EQ(LoadGlobalText(crOnly, Encoding::Utf8), expected);
  EXPECT_EQ(LoadGlobalText(crOnly, Encoding::Ansi), expected);
}

TEST_F(RuleFileTest, AnEncodingErrorKeepsTheRulesReadSoFar) {
  WriteFileBytes(GlobalFile(), "\xEF\xBB\xBF[Pattern-00]\nName=a\n[Pattern-01]\nName=\xF0\x9F\x98\x80\n");
  EXPECT_THROW(list.LoadGlobal(false), KFileException);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"a|1||0|1|0|0|2|0"});
}

TEST_F(RuleFileTest, CompilesActiveExpressionsWhenAsked) {
  const std::u16string text =
      u"[Pattern-00]\nName=a\nPattern=a+\nRegEx=1\n"
      u"[Pattern-01]\nName=b\nPattern=b+\nRegEx=1\nCase=0\n"
      u"[Pattern-02]\nName=inactive\nPattern=c\nRegEx=1\nActive=0\n"
      u"[Pattern-03]\nName=literal\nPattern=d\n"
      u"[Pattern-04]\nName=empty\nRegEx=1\n";
  LoadGlobalText(text, Encoding::Utf16Le, false);
  EXPECT_TRUE(host.compiled.empty());

  LoadGlobalText(text, Encoding::Utf16Le, true);
  ASSERT_EQ(host.compiled.size(), 2u);
  EXPECT_EQ(host.compiled[0].pattern, u"a+");
  EXPECT_EQ(host.compiled[0].flags, REGEX_CASE_SENSITIVE);
  EXPECT_EQ(host.compiled[1].pattern, u"b+");
  EXPECT_EQ(host.compiled[1].flags, REGEX_CASE_INSENSITIVE);
  EXPECT_NE(list.GetAt(0)->RegExObject, nullptr);
  EXPECT_EQ(list.GetAt(2)->RegExObject, nullptr);

  LoadGlobalText(u"[RegExChecks]\n1=\"L\",\"x\",\"0\",\"0\",\"1\",\"0\"\n", Encoding::Utf16Le, true);
  ASSERT_EQ(host.compiled.size(), 3u);
  EXPECT_EQ(host.compiled[2].flags, REGEX_CASE_INSENSITIVE);
  list.DeleteAll();
  EXPECT_EQ(host.Alive(), 0);
}

TEST_F(RuleFileTest, GlobalFileFallsBackToTheLegacyFolder) {
  site.folder = site.Root() / "addin";
  const fs::path legacy = site.Root() / "RegExChecks" / "settings.ini";
  const std::string legacyBytes = Encode(u"[RegExChecks]\n1=\"L\",\"p\"\n", Encoding::Ansi);
  fs::create_directories(legacy.parent_path());
  WriteFileBytes(legacy, legacyBytes);

  fs::create_directories(GlobalFile());  // a directory counts as missing
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"L|0|p|1|1|0|1|0|0"});
  fs::remove(GlobalFile());
  list.LoadGlobal(false);
  ASSERT_EQ(list.GetSize(), 1);

  list.Save();
  EXPECT_EQ(ReadFileBytes(legacy), legacyBytes);
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"L|0|p|1|1|0|1|0|0"});
  EXPECT_EQ(ReadFileBytes(GlobalFile()).substr(0, 2), "\xFF\xFE");
}

TEST_F(RuleFileTest, NoFileAtAllGivesAnEmptyListAndSavingCreatesIt) {
  list.Add(NewRule(u"stale"));
  list.LoadGlobal(false);
  EXPECT_EQ(list.GetSize(), 0);
  list.Add(NewRule(u"new"));
  list.Save();
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"new|1||0|1|0|0|2|0"});
}

TEST_F(RuleFileTest, SavedBytesAreExactlyTheFormat) {
  CRegExRule* rule = NewRule(u"X", u"\\d+");
  rule->RegEx = 1;
  list.Add(rule);
  list.Save();
  const std::u16string expected =
      u"[Pattern-00]\r\nName=X\r\nActive=1\r\nPattern=\\d+\r\nRegEx=1\r\nCase=1\r\nTag=0\r\nCheckMethod=0\r\n"
      u"CheckFlags=2\r\nNative=0\r\n\r\n";
  EXPECT_EQ(ReadFileBytes(GlobalFile()), Encode(expected, Encoding::Utf16Le));
}

TEST_F(RuleFileTest, EmptyListIsAZeroByteFile) {
  WriteFileBytes(GlobalFile(), "old");
  list.Save();
  EXPECT_EQ(ReadFileBytes(GlobalFile()), "");
  list.LoadGlobal(false);
  EXPECT_EQ(list.GetSize(), 0);
}

TEST_F(RuleFileTest, SaveThenLoadGivesTheSameRules) {
  CRegExRule* odd = NewRule(u"quote \" and = and [x]", std::u16string(1500, u'p') + u"\u20ac");
  odd->Active = 5;
  odd->CheckMethod = -1;
  odd->CheckFlags = 16;
  odd->Case = 0;
  odd->Tag = 1;
  odd->Native = 1;
  list.Add(odd);
  for (int i = 1; i < 101; ++i) list.Add(NewRule(u"r" + Utf8ToUtf16(std::to_string(i))));
  const std::vector<std::string> saved = Describe(list);
  list.Save();

  const std::string bytes = ReadFileBytes(GlobalFile());
  EXPECT_NE(bytes.find(Encode(u"[Pattern-100]\r\n", Encoding::Utf16Le).substr(2)), std::string::npos);
  EXPECT_NE(bytes.find(Encode(u"Active=5\r\n", Encoding::Utf16Le).substr(2)), std::string::npos);
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), saved);
}

TEST_F(RuleFileTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile) {
  // The rename cannot replace a non-empty directory.
  fs::create_directories(GlobalFile() / "keep");
  list.Add(NewRule(u"a"));
  list.Save();
  EXPECT_TRUE(fs::is_directory(GlobalFile() / "keep"));
  EXPECT_FALSE(fs::exists(site.folder / "settings.ini.tmp"));
  fs::remove_all(GlobalFile());

  // The temporary file cannot be created: the old file stays as it was.
  WriteFileBytes(GlobalFile(), "old");
  fs::create_directories(site.folder / "settings.ini.tmp" / "keep");
  list.Save();
  EXPECT_EQ(ReadFileBytes(GlobalFile()), "old");
  EXPECT_TRUE(fs::exists(site.folder / "settings.ini.tmp" / "keep"));
}

TEST_F(RuleFileTest, ProjectListReadsAndWritesThePathTheProjectNames) {
  testhost::TestProject project;
  project.rulePath = ToU16(site.Root() / "project" / "settings.ini");
  fs::create_directory(site.Root() / "project");
  WriteFileBytes(site.Root() / "project" / "settings.ini", Encode(u"[Pattern-00]\nName=p\n", Encoding::Utf8));

  list.LoadProject(&project, false);
  EXPECT_EQ(list.Project, &project);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"p|1||0|1|0|0|2|0"});

  list.GetAt(0)->Name = u"q";
  project.slotCalls.clear();
  list.Save();
  EXPECT_EQ(project.slotCalls, (std::vector<int>{5, 6}));
  list.LoadProject(&project, false);
  EXPECT_EQ(Describe(list), std::vector<std::string>{"q|1||0|1|0|0|2|0"});
  EXPECT_FALSE(fs::exists(GlobalFile()));
}

TEST_F(RuleFileTest, ProjectWithoutAPathReadsAndWritesNothing) {
  testhost::TestProject project;
  project.rulePath = ToU16(GlobalFile());
  project.pathAnswer = 3;
  WriteFileBytes(GlobalFile(), Encode(u"[Pattern-00]\nName=g\n", Encoding::Utf8));

  list.Add(NewRule(u"stale"));
  list.LoadProject(&project, false);
  EXPECT_EQ(list.GetSize(), 0);
  EXPECT_EQ(list.Project, &project);

  list.Add(NewRule(u"x"));
  list.Save();
  EXPECT_EQ(project.prepareCalls, 1);
  EXPECT_EQ(ReadFileBytes(GlobalFile()), Encode(u"[Pattern-00]\nName=g\n", Encoding::Utf8));
}

}  // namespace
