// KFileReplacer: the temporary file beside the target, the fallback to writing in place, and the platform
// calls that follow links, keep the target's permissions and put the rename on the disk.
#include "support/KFileReplacer.h"

#include <cerrno>
#include <string>

#include "support/KUtf8.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#endif

namespace {

// Names tried for the temporary file before the save writes in place: target.tmp, target.1.tmp, ...
constexpr int kTemporaryNames = 16;

std::u16string TemporaryName(const std::u16string& target, int attempt) {
  if (attempt == 0) return target + u".tmp";
  return target + u"." + Utf8ToUtf16(std::to_string(attempt)) + u".tmp";
}

std::u16string FolderOf(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'/');
  return slash == std::u16string::npos ? std::u16string(u".") : path.substr(0, slash + 1);
}

struct KTargetState {
  bool exists = false;
  bool hasOtherNames = false;  // a hard link: a rename would part this name from the others
};

#ifdef _WIN32
const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

HANDLE OpenForQuery(const std::u16string& path) {
  return CreateFileW(Wide(path), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The system follows every link of the path; an ordinary file keeps the path as the caller gave it.
std::u16string FollowLinks(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return path;
  const HANDLE handle = OpenForQuery(path);
  if (handle == INVALID_HANDLE_VALUE) return path;
  std::u16string final(32768, u'\0');
  const DWORD length = GetFinalPathNameByHandleW(handle, reinterpret_cast<wchar_t*>(final.data()),
                                                 static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
  CloseHandle(handle);
  if (length == 0 || length >= final.size()) return path;
  final.resize(length);
  return final;
}

KTargetState StateOf(const std::u16string& path) {
  KTargetState state;
  const HANDLE handle = OpenForQuery(path);
  if (handle == INVALID_HANDLE_VALUE) return state;
  BY_HANDLE_FILE_INFORMATION information{};
  state.exists = true;
  if (GetFileInformationByHandle(handle, &information)) state.hasOtherNames = information.nNumberOfLinks > 1;
  CloseHandle(handle);
  return state;
}

// ReplaceFileW gives the new file the target's attributes, security and owner itself.
void KeepOwnerAndMode(const std::u16string&, const KStdioFile&) {}

// Windows has no file without a name; a save cut short there leaves its temporary file.
bool CanOpenUnnamed() {
  return false;
}
bool LinkFile(const KStdioFile&, const std::u16string&) {
  return false;
}

void RenameOver(const std::u16string& temporary, const std::u16string& target) {
  const bool replaced = GetFileAttributesW(Wide(target)) != INVALID_FILE_ATTRIBUTES
                            ? ReplaceFileW(Wide(target), Wide(temporary), nullptr,
                                           REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0
                            : MoveFileExW(Wide(temporary), Wide(target),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  if (!replaced)
    throw KFileException(KFileException::genericException, static_cast<int32_t>(GetLastError()), target);
}
#else
std::string Native(const std::u16string& path) {
  return Utf16ToUtf8(path);
}

// Follows a chain of symbolic links as far as the system would (40 links), each relative link from the
// folder that holds it. A link to a missing file gives that file, which the save then creates.
std::u16string FollowLinks(const std::u16string& path) {
  std::string current = Native(path);
  for (int links = 0; links < 40; ++links) {
    struct stat status {};
    if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    std::string target(static_cast<size_t>(status.st_size) + 1, '\0');
    const ssize_t length = readlink(current.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size()) break;
    target.resize(static_cast<size_t>(length));
    const size_t slash = current.find_last_of('/');
    current =
        target.front() == '/' || slash == std::string::npos ? target : current.substr(0, slash + 1) + target;
  }
  return Utf8ToUtf16(current);
}

// A path that is still a link here is a loop: it counts as a file that cannot be written, which leaves the
// links as they are.
KTargetState StateOf(const std::u16string& path) {
  struct stat status {};
  if (lstat(Native(path).c_str(), &status) != 0) return {};
  return {true, S_ISREG(status.st_mode) && status.st_nlink > 1};
}

// The owner first: changing it may clear the set-id bits that the mode then restores. Only a privileged
// process may give a file away, so a refused owner is no failure.
void KeepOwnerAndMode(const std::u16string& target, const KStdioFile& file) {
  struct stat status {};
  if (stat(Native(target).c_str(), &status) != 0) return;
  if (fchown(file.NativeHandle(), status.st_uid, status.st_gid) != 0) {
    // not permitted: the file keeps the saving user as its owner
  }
  if (fchmod(file.NativeHandle(), status.st_mode & 07777) != 0)
    throw KFileException(KFileException::CauseFromErrno(errno), errno, target);
}

// A file without a name gets one through its descriptor's entry in /proc.
bool CanOpenUnnamed() {
  return access("/proc/self/fd", X_OK) == 0;
}

bool LinkFile(const KStdioFile& file, const std::u16string& name) {
  const std::string descriptor = "/proc/self/fd/" + std::to_string(file.NativeHandle());
  return linkat(AT_FDCWD, descriptor.c_str(), AT_FDCWD, Native(name).c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// The folder's own entry for the renamed file reaches the disk only when the folder is synchronised. A
// failure there comes after the replacement is done and visible, so it is not reported.
void SyncFolder(const std::u16string& path) {
  const int folder = open(Native(FolderOf(path)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  if (fsync(folder) != 0) {
    // see above
  }
  close(folder);
}

void RenameOver(const std::u16string& temporary, const std::u16string& target) {
  if (std::rename(Native(temporary).c_str(), Native(target).c_str()) != 0)
    throw KFileException(KFileException::CauseFromErrno(errno), errno, target);
  SyncFolder(target);
}
#endif

}  // namespace

KFileReplacer::KFileReplacer(const std::u16string& path) : target_(FollowLinks(path)) {}

KFileReplacer::~KFileReplacer() {
  if (temporary_.empty()) return;
#ifdef _WIN32
  DeleteFileW(Wide(temporary_));
#else
  unlink(Native(temporary_).c_str());
#endif
}

bool KFileReplacer::Open(KStdioFile& file) {
  const KTargetState state = StateOf(target_);
  // A rename would replace even a file that its owner made read-only; opening it without truncation tells,
  // and changes nothing in it.
  if (state.exists && !KStdioFile().Open(target_, KStdioFile::modeWrite | KStdioFile::modeNoTruncate))
    return false;
  if (!state.hasOtherNames && (OpenUnnamed(file) || OpenTemporary(file))) return true;
  return file.Open(target_, KStdioFile::modeCreate | KStdioFile::modeWrite);
}

// Where the system has files without a name, the content is written to one and named only once it is on
// the disk, so a save killed half-way leaves nothing beside the target. Taken only while a temporary name
// is free to give it then.
bool KFileReplacer::OpenUnnamed(KStdioFile& file) {
  if (!CanOpenUnnamed()) return false;
  bool nameFree = false;
  for (int attempt = 0; attempt < kTemporaryNames && !nameFree; ++attempt)
    nameFree = !StateOf(TemporaryName(target_, attempt)).exists;
  unnamed_ = nameFree && file.Open(FolderOf(target_), KStdioFile::modeWrite | KStdioFile::modeUnnamed);
  return unnamed_;
}

void KFileReplacer::NameUnnamed(const KStdioFile& file) {
  for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
    const std::u16string name = TemporaryName(target_, attempt);
    if (LinkFile(file, name)) {
      temporary_ = name;
      return;
    }
    if (errno != EEXIST) throw KFileException(KFileException::CauseFromErrno(errno), errno, name);
  }
  throw KFileException(KFileException::accessDenied, EEXIST, target_);
}

// Only a name that nobody uses is taken, created exclusively, so no file of someone else's is ever written.
bool KFileReplacer::OpenTemporary(KStdioFile& file) {
  for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
    const std::u16string name = TemporaryName(target_, attempt);
    KFileException error;
    if (file.Open(name, KStdioFile::modeCreate | KStdioFile::modeCreateNew | KStdioFile::modeWrite, &error)) {
      temporary_ = name;
      return true;
    }
    if (error.GetOsError() != EEXIST) return false;
  }
  return false;
}

void KFileReplacer::Commit(KStdioFile& file) {
  if (unnamed_ || !temporary_.empty()) KeepOwnerAndMode(target_, file);
  file.Sync();
  if (unnamed_) NameUnnamed(file);
  file.Close();
  if (temporary_.empty()) return;
  RenameOver(temporary_, target_);
  temporary_.clear();
}
