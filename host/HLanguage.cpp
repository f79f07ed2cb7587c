// Matching target languages with the language folders beside a project's rule file.
#include "HLanguage.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folder beside the common file whose name is the normal tag; empty when there is none.
fs::path LanguageFolder(const fs::path& folder, const std::string& normalTag) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->is_directory(error) && HLanguage::Normal(it->path().filename().string()) == normalTag)
      return it->path();
  }
  return {};
}

}  // namespace

std::string HLanguage::Normal(std::string_view tag) {
  const size_t first = tag.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "";
  tag = tag.substr(first, tag.find_last_not_of(" \t\r\n") + 1 - first);
  std::string normal;
  for (const char c : tag)
    normal += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return normal;
}

std::vector<std::string> HLanguage::Fallbacks(std::string_view tag) {
  std::vector<std::string> tags;
  for (std::string normal = Normal(tag); !normal.empty(); normal.resize(normal.rfind('-'))) {
    tags.push_back(normal);
    if (normal.find('-') == std::string::npos) break;
  }
  return tags;
}

std::vector<std::string> HLanguage::RuleFiles(const std::string& commonFile, std::string_view tag) {
  const fs::path common(commonFile);
  std::vector<std::string> files;
  for (const std::string& normal : Fallbacks(tag)) {
    const fs::path folder = LanguageFolder(common.parent_path(), normal);
    std::error_code error;
    if (!folder.empty() && fs::is_regular_file(folder / common.filename(), error))
      files.push_back((folder / common.filename()).string());
  }
  return files;
}

std::vector<std::pair<std::string, std::string>> HLanguage::AllRuleFiles(const std::string& commonFile) {
  const fs::path common(commonFile);
  std::vector<std::pair<std::string, std::string>> files;
  std::error_code error;
  for (fs::directory_iterator it(common.parent_path(), error), end; !error && it != end;
       it.increment(error)) {
    const fs::path file = it->path() / common.filename();
    std::error_code ignored;
    if (fs::is_regular_file(file, ignored)) files.emplace_back(it->path().filename().string(), file.string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string HLanguage::RuleFile(const std::string& commonFile, std::string_view tag) {
  const fs::path common(commonFile);
  fs::path folder = LanguageFolder(common.parent_path(), Normal(tag));
  if (folder.empty()) folder = common.parent_path() / Normal(tag);
  return (folder / common.filename()).string();
}
