// The DLL's version resource as Windows reads it for the file's properties: the project's one version.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

TEST(ModuleVersion, FileAndProductVersionAreTheProjectsVersion) {
  const char* module = std::getenv("IP_MODULE");
  ASSERT_NE(module, nullptr);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(module, &ignored);
  ASSERT_GT(size, 0u) << module;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(module, 0, size, info.data()));
  for (const std::string name : {"FileVersion", "ProductVersion", "ProductName", "FileDescription"}) {
    char* value = nullptr;
    UINT length = 0;
    const std::string key = "\\StringFileInfo\\040904B0\\" + name;
    ASSERT_TRUE(VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name;
    if (name.ends_with("Version")) {
      EXPECT_STREQ(value, IP_VERSION) << name;
    }
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                std::to_string(HIWORD(fixed->dwFileVersionLS)),
            IP_VERSION);
}
