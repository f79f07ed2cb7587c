// Replacing a file: what a save keeps (links, mode, owner, other files beside it), and saves while the system
// fails (each call that can fail fails once in turn) or killed at every byte they write: the old file stays
// whole, or the new one once the rename is done, and nothing is left beside it.
#include "support/KFileReplacer.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <string>
#include <vector>

#include "common/FileBytes.h"
#include "common/TestHost.h"

namespace {

// The system calls of a save while armed: which ones ran, the one that fails, and a byte budget after
// which the process ends as if killed.
struct Faults {
  bool armed = false;
  std::vector<std::string> calls;
  size_t failAt = 0;  // 1-based; 0: none fails
  long bytesLeft = -1;
} faults;

void Arm(size_t failAt, long bytesLeft = -1) {
  faults.calls.clear();
  faults.failAt = failAt;
  faults.bytesLeft = bytesLeft;
  faults.armed = true;
}

bool Fails(const char* call) {
  if (!faults.armed) return false;
  faults.calls.emplace_back(call);
  if (faults.calls.size() != faults.failAt) return false;
  errno = ENOSPC;  // the save treats every error alike
  return true;
}

template <class Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

// The module's file code calls these through the dynamic linker, so the test's own definitions stand in.
extern "C" {
int open(const char* path, int flags, ...) {
  mode_t mode = 0;
  if ((flags & (O_CREAT | O_TMPFILE)) != 0) {
    va_list arguments;
    va_start(arguments, flags);
    mode = va_arg(arguments, mode_t);
    va_end(arguments);
  }
  if (Fails("open")) return -1;
  return Real<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}

ssize_t write(int handle, const void* buffer, size_t count) {
  if (Fails("write")) return -1;
  if (!faults.armed || faults.bytesLeft < 0)
    return Real<ssize_t (*)(int, const void*, size_t)>("write")(handle, buffer, count);
  const size_t allowed = std::min(count, static_cast<size_t>(faults.bytesLeft));
  const ssize_t written = Real<ssize_t (*)(int, const void*, size_t)>("write")(handle, buffer, allowed);
  faults.bytesLeft -= written;
  if (faults.bytesLeft == 0) _exit(0);
  return written;
}

int fsync(int handle) {
  return Fails("fsync") ? -1 : Real<int (*)(int)>("fsync")(handle);
}
int fchmod(int handle, mode_t mode) {
  return Fails("fchmod") ? -1 : Real<int (*)(int, mode_t)>("fchmod")(handle, mode);
}
int rename(const char* from, const char* to) {
  return Fails("rename") ? -1 : Real<int (*)(const char*, const char*)>("rename")(from, to);
}
int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) {
  if (Fails("linkat")) return -1;
  return Real<int (*)(int, const char*, int, const char*, int)>("linkat")(fromFolder, from, toFolder, to,
                                                                          flags);
}
// Linux releases the descriptor even when close reports an error.
int close(int handle) {
  const int result = Real<int (*)(int)>("close")(handle);
  return Fails("close") ? -1 : result;
}
}

namespace {

namespace fs = std::filesystem;

class KFileReplacerTest : public testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(Target(), old); }
  fs::path Target() const { return dir.Path() / "settings.ini"; }

  // Saves content and says whether the save went through.
  bool Save(const std::string& content) {
    KFileReplacer replacer(testhost::ToU16(Target()));
    KStdioFile file;
    try {
      if (!replacer.Open(file)) return false;
      file.Write(content.data(), static_cast<uint32_t>(content.size()));
      replacer.Commit(file);
      return true;
    } catch (const KFileException&) {
      return false;
    }
  }
  // What the folder holds: the old or the new file (or a damaged one), and what else.
  std::string State(const std::string& content) const {
    const std::string bytes = ReadFileBytes(Target());
    std::string state = bytes == old ? "old" : bytes == content ? "new" : "damaged";
    for (const auto& entry : fs::directory_iterator(dir.Path()))
      if (entry.path() != Target()) state += " and " + entry.path().filename().string();
    return state;
  }

  testhost::TempDir dir;
  const std::string old = "[Pattern-00]\nName=old\n";
};

// Two buffers' worth of content, so the save takes several writes.
TEST_F(KFileReplacerTest, EachFailingCallLeavesTheOldFileOrTheWholeNewOne) {
  const std::string content(9000, 'n');
  Arm(0);
  ASSERT_TRUE(Save(content));
  faults.armed = false;
  const std::vector<std::string> calls = faults.calls;
  for (size_t n = 1; n <= calls.size(); ++n) {
    WriteFileBytes(Target(), old);
    Arm(n);
    const bool saved = Save(content);
    faults.armed = false;
    EXPECT_EQ(State(content), saved ? "new" : "old") << "call " << n << " (" << calls[n - 1] << ")";
  }
}

struct stat StatusOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return status;
}

// The target is the file that a link (or a chain of them) names; the link stays.
TEST_F(KFileReplacerTest, SymbolicLinksStayAndTheFileTheyNameGetsTheContent) {
  const fs::path shared = dir.Path() / "shared";
  fs::create_directories(shared);
  const struct {
    const char* name;
    fs::path link, hop, target;  // settings.ini links to link, which may be shared/hop that links to hop
  } cases[] = {
      {"relative link", "shared/rules.ini", "", shared / "rules.ini"},
      {"absolute link", shared / "rules.ini", "", shared / "rules.ini"},
      {"chain, the second relative", shared / "hop", "rules.ini", shared / "rules.ini"},
      {"link to a missing file", "shared/new.ini", "", shared / "new.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(Target());
    fs::remove(shared / "hop");
    fs::create_symlink(c.link, Target());
    if (!c.hop.empty()) fs::create_symlink(c.hop, shared / "hop");
    WriteFileBytes(shared / "rules.ini", old);
    EXPECT_TRUE(Save("new"));
    EXPECT_TRUE(fs::is_symlink(Target()));
    EXPECT_EQ(ReadFileBytes(c.target), "new");
  }
  fs::remove(Target());
  fs::create_symlink("settings.ini", Target());  // a loop names no file: nothing is written
  Save("new");
  EXPECT_TRUE(fs::is_symlink(Target()));
}

TEST_F(KFileReplacerTest, ModeOwnerAndHardLinksAreKept) {
  ASSERT_EQ(chmod(Target().c_str(), 0640), 0);
  const bool privileged = geteuid() == 0;
  ASSERT_TRUE(!privileged || chown(Target().c_str(), 1234, 1235) == 0);
  ASSERT_TRUE(Save("new"));
  const struct stat saved = StatusOf(Target());
  EXPECT_EQ(saved.st_mode & 07777, 0640u);
  if (privileged) {
    EXPECT_EQ(std::pair(saved.st_uid, saved.st_gid), std::pair(1234u, 1235u));
  }
  fs::create_hard_link(Target(), dir.Path() / "other name");
  ASSERT_TRUE(Save("newer"));
  EXPECT_EQ(ReadFileBytes(dir.Path() / "other name"), "newer");
  EXPECT_EQ(StatusOf(Target()).st_nlink, 2u);
}

// The temporary names are tried in turn and each created only if nobody has it; when every name is taken
// the file is written in place (its inode stays).
TEST_F(KFileReplacerTest, TemporaryNameIsNeverAnExistingFile) {
  std::vector<fs::path> taken{dir.Path() / "settings.ini.tmp"};
  for (int i = 1; i < 16; ++i) taken.push_back(dir.Path() / ("settings.ini." + std::to_string(i) + ".tmp"));
  for (const size_t count : {size_t{1}, taken.size() - 1, taken.size()}) {
    SCOPED_TRACE(count);
    for (size_t i = 0; i < count; ++i) WriteFileBytes(taken[i], "mine");
    WriteFileBytes(Target(), old);
    const ino_t before = StatusOf(Target()).st_ino;
    EXPECT_TRUE(Save("new"));
    EXPECT_EQ(ReadFileBytes(Target()), "new");
    EXPECT_EQ(StatusOf(Target()).st_ino == before, count == taken.size());
    for (size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(fs::exists(taken[i]), i < count) << i;
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(ReadFileBytes(taken[i]), "mine");
    for (size_t i = 0; i < count; ++i) fs::remove(taken[i]);
  }
}

// Root writes anywhere, so the save runs as another user, for whom the folder really refuses new files.
TEST_F(KFileReplacerTest, WritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
  fs::permissions(Target(), fs::perms::all);
  const fs::perms writing = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  fs::permissions(dir.Path(), fs::perms::all & ~writing);
  const bool root = geteuid() == 0;
  ASSERT_TRUE(!root || seteuid(65534) == 0);
  const bool saved = Save("new");
  ASSERT_TRUE(!root || seteuid(0) == 0);
  fs::permissions(dir.Path(), fs::perms::owner_all);
  EXPECT_TRUE(saved);
  EXPECT_EQ(State("new"), "new");
}

// A save of a rule file's size, one write: killed before each of its bytes and after the last.
TEST_F(KFileReplacerTest, ASaveKilledAtAnyByteLeavesTheOldFileAndNothingBesideIt) {
  const std::string content(700, 'n');
  for (long bytes = 0; bytes <= static_cast<long>(content.size()); ++bytes) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Arm(0, bytes);
      Save(content);
      _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0) << "the save ended before its " << bytes << "th byte";
    ASSERT_EQ(State(content), "old") << bytes;
  }
}

}  // namespace
