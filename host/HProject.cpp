// Host projects: their files (a folder is searched recursively), name and rule file location.
#include "HProject.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "HError.h"
#include "HUnitReader.h"
#include "HUtf.h"
#include "support/KUtf8.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> CollectFiles(const fs::path& folder) {
  std::vector<std::string> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error) && HUnitReader::IsSupported(it->path().string())) {
      files.push_back(it->path().string());
    }
  }
  if (error) throw HError(folder.string() + ": " + error.message());
  // Directory order is arbitrary; a sorted list gives the same report on every machine.
  std::sort(files.begin(), files.end());
  return files;
}

std::string BaseName(const fs::path& path) {
  const fs::path normal = fs::absolute(path).lexically_normal();
  const fs::path name = normal.has_filename() ? normal.filename() : normal.parent_path().filename();
  return name.empty() ? normal.string() : name.string();
}

}  // namespace

HProject::HProject(const std::string& path, const std::string& rulesFile, bool collectFiles)
    : m_path(path), m_name(BaseName(path)), m_rulesFile(rulesFile) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_directory(status) || (!collectFiles && !fs::exists(status))) {
    m_folder = path;
    if (collectFiles) m_files = CollectFiles(path);
  } else if (fs::is_regular_file(status)) {
    const fs::path parent = fs::path(path).parent_path();
    m_folder = parent.empty() ? "." : parent.string();
    if (collectFiles) m_files.push_back(path);
  } else {
    throw HError(path + ": no such file or folder");
  }
}

std::string HProject::AddInFilePath(const std::string& fileName) const {
  if (!m_rulesFile.empty()) return m_rulesFile;
  return (fs::path(m_folder) / kRulesFolder / fileName).string();
}

HProject HProject::WithRulesFile(const std::string& rulesFile) const {
  HProject project(*this);
  project.m_rulesFile = rulesFile;
  project.m_files.clear();
  return project;
}

int32_t HProject::GetProperty(int32_t property, VARIANT* out) {
  if (out == nullptr || property != PROJECT_NAME) return 1;
  const std::u16string name = Utf8ToUtf16(m_name);
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocStringLen(name.c_str(), static_cast<uint32_t>(name.size()));
  return 0;
}

int32_t HProject::PrepareAddInFile(IAddInSite* /*site*/, const char16_t* name, int32_t /*zero*/) {
  if (name == nullptr) return 1;
  const fs::path folder = fs::path(AddInFilePath(Utf16ToUtf8(name))).parent_path();
  std::error_code error;
  if (!folder.empty()) fs::create_directories(folder, error);
  return error ? 1 : 0;
}

int32_t HProject::GetAddInFilePath(IAddInSite* /*site*/, const char16_t* name, char16_t* buffer,
                                   int32_t capacity) {
  if (name == nullptr) return 1;
  return CopyToBuffer(AddInFilePath(Utf16ToUtf8(name)), buffer, capacity);
}
