// CRegExList: the list operations and the rule file (locating, reading both formats, writing atomically).
#include "rules/CRegExList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

#include "common/FileBytes.h"
#include "common/RuleFiles.h"
#include "common/TestHost.h"
#include "rules/HostContext.h"
#include "rules/RuleText.h"
#include "support/KStdioFile.h"

namespace {

namespace fs = std::filesystem;
using testhost::ToU16;

// Every owner empties a list before it destroys it.
struct OwnedList : CRegExList {
  ~OwnedList() override { DeleteAll(); }
};

class RuleFileTest : public testing::Test {
 protected:
  void SetUp() override { SetHostContext(&host, &site); }
  void TearDown() override { SetHostContext(nullptr, nullptr); }

  fs::path GlobalFile() const { return site.folder / "settings.ini"; }

  std::vector<std::string> LoadGlobalText(std::u16string_view text, bool compile = false) {
    WriteFileBytes(GlobalFile(), Utf16Bytes(text));
    list.LoadGlobal(compile);
    return Describe(list);
  }

  testhost::TestAddInHost host;
  testhost::TestSite site;
  OwnedList list;
};

// A rule with this name and every other field at its default.
std::string Plain(const std::string& name) {
  return name + "|1||0|1|0|0|2|0";
}

TEST_F(RuleFileTest, ReaderRules) {
  // The case's name, the file's text and the rules read.
  const std::tuple<const char*, std::u16string, std::vector<std::string>> cases[] = {
      {"all nine keys",
       u"[Pattern-00]\nName=N\nActive=0\nPattern=p\nRegEx=1\nCase=0\nTag=1\nCheckMethod=3\nCheckFlags=14\n"
       u"Native=1\n",
       {"N|0|p|1|0|1|3|14|1"}},
      {"value keeps leading blanks only", u"[Pattern-00]\nName=a\nPattern=  x \n", {"a|1|  x|0|1|0|0|2|0"}},
      {"section case and number",
       u"[pattern-7]\nName=a\n[PATTERN-07]\nName=b\n[Pattern]\nName=c\n",
       {Plain("a"), Plain("b"), Plain("c")}},
      {"section without Name dropped", u"[Pattern-00]\nActive=0\n[Pattern-01]\nName=\n", {Plain("")}},
      // Keys are neither trimmed nor folded, unknown keys are ignored, the last value wins.
      {"keys",
       u"[Pattern-00]\nName =x\nname=x\nName=a\n Active = 5\nACTIVE=5\nColor=1\nName=y\n",
       {Plain("y")}},
      // At the 32-bit limits and one past them.
      {"integers clamp to 32 bits",
       u"[Pattern-00]\nName=n\nActive=2147483647\nTag=-2147483648\n"
       u"CheckMethod=2147483648\nCheckFlags=-2147483649\n",
       {"n|2147483647||0|1|-2147483648|2147483647|-2147483648|0"}},
      {"lines without a key", u"[Pattern-00]\n=x\nName=a=b\nfoo\n", {Plain("a=b")}},
      {"blank lines and white space", u"\n  \n\t[Pattern-01]  \n\n   Name=a  \r\n\n", {Plain("a")}},
      {"lines outside rule sections",
       u"Name=z\n[Other]\nName=q\n[Pattern-00]\nName=r\n[Options]\nName=s\n",
       {Plain("r")}},
      {"shorter than the section word", u"[Patter\nName=a\n", {}},
      {"an empty file", u"", {}},
      {"just the section word", u"[Pattern\nName=a\n", {Plain("a")}},
      {"lower-case legacy header is just a section", u"[regexchecks]\n1=\"A\"\n", {}},
      {"only the RegExChecks section counts",
       u"0=\"before\"\n[RegExChecks]\n1=\"A\"\n[Other]\n2=\"B\"\n[RegExChecks]\nno "
       u"equals\n[x=\"C\"\n[]\n3=\"D\"\n",
       {"A|0||1|1|0|1|0|0", "C|0||1|1|0|1|0|0"}},
      {"rules read before the legacy header stay in front",
       u"[Pattern-00]\nName=a\n[RegExChecks]\n1=\"L\",\"p\",\"2\",\"0\",\"1\",\"0\"\n",
       {Plain("a"), "L|1|p|1|0|0|3|0|0"}},
  };
  for (const auto& [name, text, rules] : cases) EXPECT_EQ(LoadGlobalText(text), rules) << name;
}

TEST_F(RuleFileTest, CompilesActiveExpressionsWhenAsked) {
  const std::u16string text =
      u"[Pattern-00]\nName=a\nPattern=a+\nRegEx=1\n"
      u"[Pattern-01]\nName=b\nPattern=b+\nRegEx=1\nCase=0\n"
      u"[Pattern-02]\nName=inactive\nPattern=c\nRegEx=1\nActive=0\n"
      u"[Pattern-03]\nName=literal\nPattern=d\n"
      u"[Pattern-04]\nName=empty\nRegEx=1\n"
      u"[RegExChecks]\n1=\"L\",\"x\",\"0\",\"0\",\"1\",\"0\"\n";
  LoadGlobalText(text, false);
  EXPECT_TRUE(host.compiled.empty());
  LoadGlobalText(text, true);
  EXPECT_EQ(host.compiled, (std::vector<testhost::TestAddInHost::Compiled>{{u"a+", REGEX_CASE_SENSITIVE},
                                                                           {u"b+", REGEX_CASE_INSENSITIVE},
                                                                           {u"x", REGEX_CASE_INSENSITIVE}}));
  EXPECT_NE(list.GetAt(0)->RegExObject, nullptr);
  EXPECT_EQ(list.GetAt(2)->RegExObject, nullptr);
  list.DeleteAll();
  EXPECT_EQ(host.Alive(), 0);
}

TEST_F(RuleFileTest, GlobalFileFallsBackToTheLegacyFolder) {
  site.folder = site.Root() / "addin";
  const fs::path legacy = site.Root() / "RegExChecks" / "settings.ini";
  const std::string legacyBytes = "[RegExChecks]\n1=\"L\",\"p\"\n";
  const std::vector<std::string> legacyRules{"L|0|p|1|1|0|1|0|0"};
  fs::create_directories(legacy.parent_path());
  WriteFileBytes(legacy, legacyBytes);
  fs::create_directories(GlobalFile());  // a directory counts as missing
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), legacyRules);
  fs::remove(GlobalFile());
  list.LoadGlobal(false);
  list.Save();
  EXPECT_EQ(ReadFileBytes(legacy), legacyBytes);
  EXPECT_EQ(ReadFileBytes(GlobalFile()).substr(0, 2), "\xFF\xFE");
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), legacyRules);
}

TEST_F(RuleFileTest, NoFileAtAllGivesAnEmptyListAndAnEmptyListSavesAsZeroBytes) {
  list.Add(NewRule({u"stale"}));
  list.LoadGlobal(false);
  EXPECT_EQ(list.GetSize(), 0);
  list.Save();
  EXPECT_EQ(ReadFileBytes(GlobalFile()), "");
  EXPECT_TRUE(fs::is_regular_file(GlobalFile()));
  list.LoadGlobal(false);
  EXPECT_EQ(list.GetSize(), 0);
}

TEST_F(RuleFileTest, SavedBytesAreExactlyTheFormatAndLoadAsTheSameRules) {
  WriteFileBytes(GlobalFile(), std::string(10000, 'x'));  // replaced whole
  list.Add(NewRule({u"X", u"\\d+", 1, 1}));
  list.Add(
      NewRule({u"quote \" and = and [x]", std::u16string(1500, u'p') + u"\u20ac", 5, 0, -1, 16, 0, 1, 1}));
  for (int i = 2; i < 101; ++i) list.Add(NewRule({u"r" + Utf8ToUtf16(std::to_string(i))}));
  const std::vector<std::string> saved = Describe(list);
  struct stat before {
  }, after{};
  ASSERT_EQ(stat(GlobalFile().c_str(), &before), 0);
  list.Save();
  ASSERT_EQ(stat(GlobalFile().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);  // a new file replaced the old one whole

  const std::string first = Utf16Bytes(
      u"[Pattern-00]\r\nName=X\r\nActive=1\r\nPattern=\\d+\r\nRegEx=1\r\nCase=1\r\nTag=0\r\nCheckMethod=0\r\n"
      u"CheckFlags=2\r\nNative=0\r\n\r\n[Pattern-01]\r\n");
  const std::string bytes = ReadFileBytes(GlobalFile());
  EXPECT_EQ(bytes.substr(0, first.size()), first);
  EXPECT_NE(bytes.find(Utf16Bytes(u"[Pattern-100]\r\n").substr(2)), std::string::npos);
  EXPECT_NE(bytes.find(Utf16Bytes(u"Active=5\r\n").substr(2)), std::string::npos);
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), saved);
}

TEST_F(RuleFileTest, SaveOverADirectoryChangesNothing) {
  fs::create_directories(GlobalFile() / "keep");
  list.Add(NewRule({u"a"}));
  list.Save();
  EXPECT_TRUE(fs::is_directory(GlobalFile() / "keep"));
  EXPECT_FALSE(fs::exists(site.folder / "settings.ini.tmp"));
}

TEST_F(RuleFileTest, ProjectListUsesThePathTheProjectNamesAndNoneWithoutOne) {
  testhost::TestProject project;
  project.rulePath = ToU16(site.Root() / "project.ini");
  WriteFileBytes(site.Root() / "project.ini", "\xEF\xBB\xBF[Pattern-00]\nName=p\n");
  list.LoadProject(&project, false);
  EXPECT_EQ(list.Project, &project);
  EXPECT_EQ(Describe(list), std::vector{Plain("p")});
  list.GetAt(0)->Name = u"q";
  list.Save();
  list.LoadProject(&project, false);
  EXPECT_EQ(Describe(list), std::vector{Plain("q")});
  EXPECT_FALSE(fs::exists(GlobalFile()));

  // A project that answers without a path: nothing is read and nothing is written.
  const std::string bytes = ReadFileBytes(site.Root() / "project.ini");
  project.pathAnswer = 3;
  list.LoadProject(&project, false);
  EXPECT_EQ(list.GetSize(), 0);
  list.Add(NewRule({u"x"}));
  list.Save();
  // Each load asks for the path; each save prepares the file, then asks.
  EXPECT_EQ(project.slotCalls, (std::vector<int>{6, 5, 6, 6, 6, 5, 6}));
  EXPECT_EQ(ReadFileBytes(site.Root() / "project.ini"), bytes);
}

// A path of `length` characters below root, in components the file system takes.
fs::path Deep(const fs::path& root, size_t length) {
  std::string tail(length - root.native().size() - 1, 'd');
  for (size_t i = 100; i + 1 < tail.size(); i += 100) tail[i] = '/';
  return root / tail;
}

// 259 characters are the most the host's buffers hold; the global file's path runs beyond them whole.
TEST_F(RuleFileTest, PathsOfTheLongestLengthTheHostHoldsAreUsedWhole) {
  site.folder = Deep(site.Root(), 259);
  fs::create_directories(site.folder);
  list.Add(NewRule({u"deep", u""}));
  list.Save();
  EXPECT_TRUE(fs::is_regular_file(GlobalFile()));
  list.LoadGlobal(false);
  EXPECT_EQ(Describe(list), std::vector{Plain("deep")});

  testhost::TestProject project;
  const fs::path file = Deep(site.Root() / "p", 259);
  fs::create_directories(file.parent_path());
  WriteFileBytes(file, "[Pattern-00]\nName=p\n");
  project.rulePath = ToU16(file);
  list.LoadProject(&project, false);
  EXPECT_EQ(Describe(list), std::vector{Plain("p")});
}

}  // namespace
