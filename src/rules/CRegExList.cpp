// CRegExList: locating a list's rule file, reading it (current and legacy format) and saving it atomically
// (KFileReplacer).
//
// Errors that KTextFile raises while a file is read (a read error, an invalid UTF-8 sequence, a missing code
// page) are not caught here: they pass to the caller with the rules read so far in the list, which the
// check engine goes on applying, so a damaged rule file costs only the rules behind the damage.
#include "rules/CRegExList.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "addin/HostInterfaces.h"
#include "rules/HostContext.h"
#include "support/KFileReplacer.h"
#include "support/KFormat.h"
#include "support/KTextFile.h"
#include "support/StringHelpers.h"

namespace {

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

// The host fills fixed buffers of this many characters, terminator included.
constexpr int32_t kPathCapacity = 260;
constexpr char16_t kRuleFileName[] = u"settings.ini";

std::u16string InFolder(std::u16string folder, std::u16string_view name) {
  folder += kSeparator;
  folder += name;
  return folder;
}

// False when the project names no file for the rules (a non-zero answer).
bool ProjectFilePath(IHostProject* project, std::u16string& path) {
  char16_t buffer[kPathCapacity] = {};
  if (project->GetAddInFilePath(AddInSite(), kRuleFileName, buffer, kPathCapacity) != 0) return false;
  buffer[kPathCapacity - 1] = 0;
  path = buffer;
  return true;
}

// A rule file is missing when its status cannot be had or the path names a directory.
bool IsMissing(const std::u16string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(std::filesystem::path(path), error);
  return error || !std::filesystem::exists(status) || std::filesystem::is_directory(status);
}

bool StartsWithPatternSection(std::u16string_view line) {
  constexpr std::u16string_view kSection = u"[pattern";
  if (line.size() < kSection.size()) return false;
  for (size_t i = 0; i < kSection.size(); ++i) {
    const char16_t c = line[i] >= u'A' && line[i] <= u'Z' ? static_cast<char16_t>(line[i] + 32) : line[i];
    if (c != kSection[i]) return false;
  }
  return true;
}

}  // namespace

std::u16string CRegExList::GlobalFilePath() {
  std::u16string path = InFolder(AddInDataFolder(), kRuleFileName);
  if (!IsMissing(path)) return path;
  return InFolder(InFolder(InFolder(AddInDataFolder(), u".."), u"RegExChecks"), kRuleFileName);
}

void CRegExList::LoadGlobal(bool compile) {
  Project = nullptr;
  Load(GlobalFilePath(), compile);
}

void CRegExList::LoadProject(IHostProject* project, bool compile) {
  DeleteAll();
  Project = project;
  std::u16string path;
  if (project == nullptr || !ProjectFilePath(project, path)) return;
  Load(path, compile);
}

void CRegExList::Load(const std::u16string& path, bool compile) {
  DeleteAll();
  KTextFile file;
  if (!file.Open(path, KStdioFile::modeRead)) return;
  std::u16string line;
  while (file.ReadString(line)) {
    TrimInPlace(line);
    if (line == u"[RegExChecks]") {
      file.Close();
      LoadLegacy(path, compile);
      return;
    }
    if (!StartsWithPatternSection(line)) continue;
    auto rule = std::make_unique<CRegExRule>();
    if (rule->Read(file)) AppendLoaded(std::move(rule), compile);
  }
}

void CRegExList::LoadLegacy(const std::u16string& path, bool compile) {
  KTextFile file;
  if (!file.Open(path, KStdioFile::modeRead)) return;
  // Lines count only inside a [RegExChecks] section; a "[" line without its "]" is an ordinary line.
  bool counting = false;
  std::u16string line;
  while (file.ReadString(line)) {
    TrimInPlace(line);
    if (line.empty()) continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      counting = line == u"[RegExChecks]";
      continue;
    }
    if (!counting) continue;
    auto rule = std::make_unique<CRegExRule>();
    if (rule->ReadLegacyLine(line)) AppendLoaded(std::move(rule), compile);
  }
}

void CRegExList::AppendLoaded(std::unique_ptr<CRegExRule> rule, bool compile) {
  // Added before it is released: a list that cannot grow leaves the rule to its owner here.
  Add(rule.get());
  CRegExRule* added = rule.release();
  if (compile && added->Active != 0 && added->RegEx != 0 && !added->Pattern.empty()) added->Compile();
}

bool CRegExList::Save() {
  std::u16string path;
  if (Project == nullptr) {
    // The whole path, not cut to the host's 260 units: a cut path would name another file (or none) in a
    // deep folder, while the whole one is the file that LoadGlobal reads.
    path = InFolder(AddInDataFolder(), kRuleFileName);
  } else {
    Project->PrepareAddInFile(AddInSite(), kRuleFileName, 0);
    if (!ProjectFilePath(Project, path)) return false;
  }
  try {
    return WriteReplacing(path);
  } catch (const KFileException&) {
    // The old file stays as it was (unless it was being written in place, having no temporary file beside
    // it) and the temporary file is gone.
    return false;
  }
}

bool CRegExList::WriteReplacing(const std::u16string& path) const {
  KFileReplacer replacer(path);
  KTextFile file;
  file.SetEncoding(KTextFile::encodingUnicode);
  if (!replacer.Open(file)) return false;
  for (int i = 0; i < GetSize(); ++i) {
    file.WriteString(KFormat(u"[Pattern-%02d]\n", i));
    GetAt(i)->Write(file);
    file.WriteString(u"\n");
  }
  replacer.Commit(file);
  return true;
}
