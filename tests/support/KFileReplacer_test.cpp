// Replacing a file while the system fails: each call of a save that can fail fails once in turn, with a full
// disk or an I/O error, and a save is killed at every byte it writes. The old file stays whole (or the new
// one is there whole once the rename is done) and nothing is left beside it.
#include "support/KFileReplacer.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
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
  int error = ENOSPC;
  long bytesLeft = -1;
} faults;

void Arm(size_t failAt, int error = ENOSPC, long bytesLeft = -1) {
  faults.calls.clear();
  faults.failAt = failAt;
  faults.error = error;
  faults.bytesLeft = bytesLeft;
  faults.armed = true;
}

bool Fails(const char* call) {
  if (!faults.armed) return false;
  faults.calls.emplace_back(call);
  if (faults.calls.size() != faults.failAt) return false;
  errno = faults.error;
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
  for (const int error : {ENOSPC, EIO}) {
    for (size_t n = 1; n <= calls.size(); ++n) {
      WriteFileBytes(Target(), old);
      Arm(n, error);
      const bool saved = Save(content);
      faults.armed = false;
      EXPECT_EQ(State(content), saved ? "new" : "old")
          << "call " << n << " (" << calls[n - 1] << "), " << error;
    }
  }
}

// A save of a rule file's size, one write: killed before each of its bytes and after the last.
TEST_F(KFileReplacerTest, ASaveKilledAtAnyByteLeavesTheOldFileAndNothingBesideIt) {
  const std::string content(700, 'n');
  for (long bytes = 0; bytes <= static_cast<long>(content.size()); ++bytes) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Arm(0, 0, bytes);
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
