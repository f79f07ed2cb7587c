// Projects: their files, name and rule file location as the module asks for them, in the host's fixed
// buffers (CopyToBuffer).
#include "HProject.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "HError.h"
#include "HostTestFiles.h"
#include "support/KUtf8.h"

namespace {

// The path the project writes into a buffer of capacity units; the unit behind the buffer must stay as it
// was, and a refused path must leave no text behind.
std::string AskPath(HProject& project, int32_t capacity = 260) {
  std::u16string buffer(static_cast<size_t>(capacity) + 1, u'?');
  const int32_t result = project.GetAddInFilePath(nullptr, u"settings.ini", buffer.data(), capacity);
  EXPECT_EQ(buffer.back(), u'?') << "written behind the buffer";
  if (result != 0) return capacity == 0 || buffer[0] == 0 ? "<refused>" : "<refused, not emptied>";
  return Utf16ToUtf8(buffer.c_str());
}

TEST(HProject, FolderProjectFindsLocalisationFilesRecursivelyInOrder) {
  HostTestFiles files;
  for (const char* name : {"proj/b.po", "proj/sub/a.XLF", "proj/sub/c.xliff", "proj/readme.txt"})
    files.Write(name, "");
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

TEST(HProject, FileProjectKeepsItsRulesInItsFolderOrTheOverride) {
  HostTestFiles files;
  HProject project(files.Write("dir/de.po", ""), "");
  EXPECT_EQ(project.Name(), "de.po");
  EXPECT_EQ(AskPath(project), files.Path("dir/.inline-patterns/settings.ini"));
  ASSERT_EQ(project.PrepareAddInFile(nullptr, u"settings.ini", 0), 0);
  EXPECT_TRUE(std::filesystem::is_directory(files.Path("dir/.inline-patterns")));
  // An override is copied whole or not at all, its length counted in UTF-16 units with the terminator.
  const std::string rules = "/r\xC3\xA8gles.ini";  // 11 units, 12 bytes
  HProject overridden(files.Write("de.po", ""), rules);
  EXPECT_EQ(AskPath(overridden, 12), rules);
  EXPECT_EQ(AskPath(overridden, 11), "<refused>");
  EXPECT_EQ(AskPath(overridden, 0), "<refused>");
  EXPECT_THROW(HProject(files.Path("missing"), ""), HError);
}

}  // namespace
