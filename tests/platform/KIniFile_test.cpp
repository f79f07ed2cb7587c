// Profile values in real ini files: round trips through the disk and edits that keep the other lines.
#include "platform/headless/KIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("ip-ini-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(folder);
    file = folder / "pos.ini";
    std::filesystem::remove(file);
    path = file.u16string();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::string Contents() const {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path folder;
  std::filesystem::path file;
  std::u16string path;
};

TEST_F(IniFileTest, ValuesRoundTripThroughTheDisk) {
  EXPECT_FALSE(KIniFile::Read(path, u"ZAKRegExChecks", u"Dlg104"));
  ASSERT_TRUE(KIniFile::Write(path, u"ZAKRegExChecks", u"Dlg104", u"40,30,500,302,rxy"));
  ASSERT_TRUE(KIniFile::Write(path, u"Other", u"Dlg104", u"1,2,3,4"));
  ASSERT_TRUE(KIniFile::Write(path, u"zakregexchecks", u"DLG104", u"41,31,500,302"));  // names ignore case
  ASSERT_TRUE(KIniFile::Write(path, u"ZAKRegExChecks", u"Dlg105", u"Grüße"));
  EXPECT_EQ(KIniFile::Read(path, u"ZAKRegExChecks", u"Dlg104"), u"41,31,500,302");
  EXPECT_EQ(KIniFile::Read(path, u"Other", u"dlg104"), u"1,2,3,4");
  EXPECT_EQ(KIniFile::Read(path, u"ZAKRegExChecks", u"Dlg105"), u"Grüße");
  EXPECT_EQ(Contents(), "[ZAKRegExChecks]\nDlg104=41,31,500,302\nDlg105=Grüße\n[Other]\nDlg104=1,2,3,4\n");
}

TEST_F(IniFileTest, ReadingTrimsAndUnquotesAndWritingKeepsOtherLines) {
  std::ofstream(file) << "; placements\n[App]\n  Key =  \"a, b\"  \n\n[Next]\nKey=2\n";
  EXPECT_EQ(KIniFile::Read(path, u"App", u"Key"), u"a, b");
  ASSERT_TRUE(KIniFile::Write(path, u"App", u"New", u"3"));
  EXPECT_EQ(Contents(), "; placements\n[App]\n  Key =  \"a, b\"  \nNew=3\n\n[Next]\nKey=2\n");
  EXPECT_FALSE(KIniFile::Write((folder / "missing" / "pos.ini").u16string(), u"App", u"Key", u"1"));
}

}  // namespace
