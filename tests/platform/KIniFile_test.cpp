// Profile values in real ini files: round trips through the disk and edits that keep the other lines.
#include "platform/headless/KIniFile.h"

#include <gtest/gtest.h>

#include "common/FileBytes.h"
#include "common/TestHost.h"

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  testhost::TempDir folder;
  std::filesystem::path file = folder.Path() / "pos.ini";
  std::u16string path = file.u16string();
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
  EXPECT_EQ(ReadFileBytes(file),
            "[ZAKRegExChecks]\nDlg104=41,31,500,302\nDlg105=Grüße\n[Other]\nDlg104=1,2,3,4\n");
}

TEST_F(IniFileTest, ReadingTrimsAndUnquotesAndWritingKeepsOtherLines) {
  WriteFileBytes(file, "; placements\n[App]\n  Key =  \"a, b\"  \n\n[Next]\nKey=2\n");
  EXPECT_EQ(KIniFile::Read(path, u"App", u"Key"), u"a, b");
  ASSERT_TRUE(KIniFile::Write(path, u"App", u"New", u"3"));
  EXPECT_EQ(ReadFileBytes(file), "; placements\n[App]\n  Key =  \"a, b\"  \nNew=3\n\n[Next]\nKey=2\n");
  EXPECT_FALSE(KIniFile::Write((folder.Path() / "missing" / "pos.ini").u16string(), u"App", u"Key", u"1"));
}

}  // namespace
