// A scratch folder per test, removed afterwards, and files written into it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

class HostTestFiles {
 public:
  HostTestFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "inline-patterns-XXXXXX").string();
    m_root = mkdtemp(pattern.data());
  }
  ~HostTestFiles() { std::filesystem::remove_all(m_root); }
  HostTestFiles(const HostTestFiles&) = delete;
  HostTestFiles& operator=(const HostTestFiles&) = delete;

  std::string Path(const std::string& name) const { return (m_root / name).string(); }

  std::string Write(const std::string& name, const std::string& content) const {
    const std::filesystem::path path = m_root / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

 private:
  std::filesystem::path m_root;
};
