// A scratch folder per test, removed afterwards, and files written into it.
#pragma once

#include <filesystem>
#include <string>

#include "common/FileBytes.h"
#include "common/TestHost.h"

class HostTestFiles : public testhost::TempDir {
 public:
  using TempDir::Path;
  std::string Path(const std::string& name) const { return (Path() / name).string(); }

  std::string Write(const std::string& name, const std::string& content) const {
    std::filesystem::create_directories((Path() / name).parent_path());
    WriteFileBytes(Path() / name, content);
    return Path(name);
  }
};
