// A scratch folder per test, removed afterwards, and files written into it; the rule sections and catalogs
// that the tests write there.
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

// One rule section; a regular expression with count and text unless said otherwise.
inline std::string Rule(const std::string& name, const std::string& pattern, int regEx = 1, int method = 1,
                        int flags = 6) {
  return "[Pattern]\nName=" + name + "\nPattern=" + pattern + "\nRegEx=" + std::to_string(regEx) +
         "\nCheckMethod=" + std::to_string(method) + "\nCheckFlags=" + std::to_string(flags) + "\n";
}

inline std::string PoHeader(const std::string& charset = "UTF-8") {
  return "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=" + charset + "\\n\"\n\n";
}

// A UTF-8 catalog of one entry (its comments first), which starts on line 4.
inline std::string Po(const std::string& source, const std::string& target,
                      const std::string& comments = "") {
  return PoHeader() + comments + "msgid \"" + source + "\"\nmsgstr \"" + target + "\"\n";
}
