// Projects: their files, name and rule file location as the module asks for them.
#include "HProject.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "HError.h"
#include "HostTestFiles.h"
#include "support/KUtf8.h"

namespace {

std::string AskPath(HProject& project, int32_t capacity = 260) {
  std::u16string buffer(static_cast<size_t>(capacity), u'?');
  if (project.GetAddInFilePath(nullptr, u"settings.ini", buffer.data(), capacity) != 0) return "<refused>";
  return Utf16ToUtf8(buffer.c_str());
}

TEST(HProject, FolderProjectFindsLocalisationFilesRecursivelyInOrder) {
  HostTestFiles files;
  files.Write("proj/b.po", "");
  files.Write("proj/sub/a.XLF", "");
  files.Write("proj/sub/c.xliff", "");
  files.Write("proj/readme.txt", "");
  HProject project(files.Path("proj"), "");
  EXPECT_EQ(project.Files(), (std::vector<std::string>{files.Path("proj/b.po"), files.Path("proj/sub/a.XLF"),
                                                       files.Path("proj/sub/c.xliff")}));
  VARIANT name;
  VariantInit(&name);
  ASSERT_EQ(project.GetProperty(PROJECT_NAME, &name), 0);
  EXPECT_EQ(std::u16string(BstrChars(name.bstrVal)), u"proj");
  VariantClear(&name);
  EXPECT_EQ(AskPath(project), files.Path("proj/.inline-patterns/settings.ini"));
}

TEST(HProject, FileProjectKeepsItsRulesInItsFolder) {
  HostTestFiles files;
  HProject project(files.Write("dir/de.po", ""), "");
  EXPECT_EQ(project.Name(), "de.po");
  EXPECT_EQ(AskPath(project), files.Path("dir/.inline-patterns/settings.ini"));
  ASSERT_EQ(project.PrepareAddInFile(nullptr, u"settings.ini", 0), 0);
  EXPECT_TRUE(std::filesystem::is_directory(files.Path("dir/.inline-patterns")));
}

TEST(HProject, OverrideAndBufferLimit) {
  HostTestFiles files;
  HProject overridden(files.Write("de.po", ""), "/etc/rules.ini");
  EXPECT_EQ(AskPath(overridden), "/etc/rules.ini");
  EXPECT_EQ(AskPath(overridden, 14), "<refused>");
  EXPECT_THROW(HProject(files.Path("missing"), ""), HError);
}

}  // namespace
