// KStdioFile: the buffered byte stream over an operating-system file handle; KFileException and its texts.
#include "support/KStdioFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "support/FormatInserts.h"
#include "support/KUtf8.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Each text names the file with %1.
const char16_t* CauseText(int32_t cause) {
  switch (cause) {
    case KFileException::none:
      return u"No error occurred while accessing %1.";
    case KFileException::fileNotFound:
      return u"Could not find %1.";
    case KFileException::badPath:
      return u"The path of %1 is not valid.";
    case KFileException::tooManyOpenFiles:
      return u"Could not open %1 because too many files are open.";
    case KFileException::accessDenied:
      return u"Access to %1 was denied.";
    case KFileException::invalidFile:
      return u"An invalid file handle was used for %1.";
    case KFileException::badSeek:
      return u"Could not move to a position in %1.";
    case KFileException::hardIO:
      return u"A hardware error occurred while accessing %1.";
    case KFileException::sharingViolation:
      return u"%1 is in use by another program.";
    case KFileException::lockViolation:
      return u"A region of %1 is locked.";
    case KFileException::diskFull:
      return u"The disk is full while writing %1.";
    case KFileException::endOfFile:
      return u"An attempt was made to read past the end of %1.";
    default:
      return u"An unexpected error occurred while accessing %1.";
  }
}

#ifdef _WIN32
int OsOpen(const std::u16string& path, int flags) {
  return _wopen(reinterpret_cast<const wchar_t*>(path.c_str()), flags | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}
int OsClose(int handle) { return _close(handle); }
long long OsRead(int handle, void* buffer, uint32_t count) { return _read(handle, buffer, count); }
long long OsWrite(int handle, const void* buffer, uint32_t count) { return _write(handle, buffer, count); }
long long OsSeek(int handle, long long offset, int origin) { return _lseeki64(handle, offset, origin); }
int OsSync(int handle) { return _commit(handle); }
constexpr int kReadOnly = _O_RDONLY, kWriteOnly = _O_WRONLY, kReadWrite = _O_RDWR;
constexpr int kCreate = _O_CREAT, kTruncate = _O_TRUNC, kExclusive = _O_EXCL;
#else
// Paths are UTF-16 inside the module; Linux file names are UTF-8. Linux opens a folder for reading, which
// would fail only at the first read; it is refused here as Windows refuses it, so Open just returns false.
int OsOpen(const std::u16string& path, int flags) {
  const int handle = open(Utf16ToUtf8(path).c_str(), flags | O_CLOEXEC, 0666);
  struct stat status {};
  if (handle < 0 || fstat(handle, &status) != 0 || !S_ISDIR(status.st_mode)) return handle;
  close(handle);
  errno = EISDIR;
  return -1;
}
int OsClose(int handle) { return close(handle); }
long long OsRead(int handle, void* buffer, uint32_t count) { return read(handle, buffer, count); }
long long OsWrite(int handle, const void* buffer, uint32_t count) { return write(handle, buffer, count); }
long long OsSeek(int handle, long long offset, int origin) { return lseek(handle, offset, origin); }
int OsSync(int handle) { return fsync(handle); }
constexpr int kReadOnly = O_RDONLY, kWriteOnly = O_WRONLY, kReadWrite = O_RDWR;
constexpr int kCreate = O_CREAT, kTruncate = O_TRUNC, kExclusive = O_EXCL;
#endif

int OsFlags(uint32_t flags) {
#ifdef O_TMPFILE
  if (flags & KStdioFile::modeUnnamed) return O_TMPFILE | O_WRONLY;
#endif
  int result = kReadOnly;
  if ((flags & 3) == KStdioFile::modeWrite) result = kWriteOnly;
  if ((flags & 3) == KStdioFile::modeReadWrite) result = kReadWrite;
  if (flags & KStdioFile::modeCreate) result |= kCreate | ((flags & KStdioFile::modeNoTruncate) ? 0 : kTruncate);
  if ((flags & KStdioFile::modeCreate) && (flags & KStdioFile::modeCreateNew)) result |= kExclusive;
  return result;
}

}  // namespace

KFileException::KFileException(int32_t cause, int32_t osError, std::u16string fileName)
    : std::runtime_error("file error"), cause_(cause), osError_(osError), fileName_(std::move(fileName)) {}

bool KFileException::GetErrorMessage(char16_t* buffer, uint32_t capacity) const {
  const int fits = static_cast<int>(std::min<uint32_t>(capacity, INT_MAX));
  const std::u16string name = fileName_.empty() ? std::u16string(u"the file") : fileName_;
  FormatInserts(buffer, fits, KMessage(CauseText(cause_)), u"%s", name);
  return true;
}

std::u16string KFileException::GetErrorMessage() const {
  std::u16string text(512, u'\0');
  for (;;) {
    GetErrorMessage(text.data(), static_cast<uint32_t>(text.size()));
    const size_t length = std::char_traits<char16_t>::length(text.c_str());
    if (length + 1 < text.size()) return text.substr(0, length);
    text.assign(text.size() * 2, u'\0');
  }
}

int32_t KFileException::CauseFromErrno(int error) {
  switch (error) {
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case ESPIPE:
      return badSeek;
    case EIO:
      return hardIO;
    case EBUSY:
    case ETXTBSY:
      return sharingViolation;
    case EDEADLK:
      return lockViolation;
    case ENOSPC:
      return diskFull;
    default:
      return genericException;
  }
}

KStdioFile::~KStdioFile() {
  try {
    Close();
  } catch (const KFileException&) {
    Release();  // a destructor has nobody to tell
  }
}

bool KStdioFile::Open(std::u16string_view path, uint32_t flags, KFileException* error) {
  KStdioFile::Close();  // not a derived Close: that may reset settings made for this Open
  path_.assign(path);
  handle_ = OsOpen(path_, OsFlags(flags));
  if (handle_ < 0) {
    const int code = errno;
    if (error != nullptr) *error = KFileException(KFileException::CauseFromErrno(code), code, path_);
    return false;
  }
  mode_ = Mode::idle;
  start_ = handlePosition_ = 0;
  filled_ = next_ = 0;
  return true;
}

void KStdioFile::Close() {
  if (!IsOpen()) return;
  try {
    Flush();
  } catch (const KFileException&) {
    Release();
    throw;
  }
  const int failed = OsClose(handle_);
  const int code = errno;
  handle_ = -1;
  if (failed != 0) ThrowOsError(code);
}

void KStdioFile::Release() {
  if (IsOpen()) OsClose(handle_);
  handle_ = -1;
  mode_ = Mode::idle;
  filled_ = next_ = 0;
}

void KStdioFile::ThrowOsError(int error) const {
  throw KFileException(KFileException::CauseFromErrno(error), error, path_);
}

void KStdioFile::SeekHandle(uint64_t position) {
  if (position == handlePosition_) return;
  if (OsSeek(handle_, static_cast<long long>(position), SEEK_SET) < 0) ThrowOsError(errno);
  handlePosition_ = position;
}

bool KStdioFile::Fill() {
  if (mode_ != Mode::reading) {
    Flush();
    mode_ = Mode::reading;
  }
  start_ += filled_;
  filled_ = next_ = 0;
  if (!IsOpen()) ThrowOsError(EBADF);
  SeekHandle(start_);
  long long got = -1;
  do {
    got = OsRead(handle_, buffer_, kBufferSize);
  } while (got < 0 && errno == EINTR);
  if (got < 0) ThrowOsError(errno);
  filled_ = static_cast<uint32_t>(got);
  handlePosition_ = start_ + filled_;
  return filled_ > 0;
}

bool KStdioFile::ReadByteSlow(uint8_t& value) {
  if ((mode_ != Mode::reading || next_ == filled_) && !Fill()) return false;
  value = buffer_[next_++];
  return true;
}

uint32_t KStdioFile::Read(void* buffer, uint32_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    if ((mode_ != Mode::reading || next_ == filled_) && !Fill()) break;
    const uint32_t take = std::min(count - done, filled_ - next_);
    std::memcpy(out + done, buffer_ + next_, take);
    next_ += take;
    done += take;
  }
  return done;
}

void KStdioFile::Write(const void* buffer, uint32_t count) {
  if (!IsOpen()) ThrowOsError(EBADF);
  if (mode_ == Mode::reading) {
    // The bytes after the position stay in the file; writing starts at the position.
    start_ += next_;
    filled_ = next_ = 0;
  }
  mode_ = Mode::writing;
  const auto* in = static_cast<const unsigned char*>(buffer);
  while (count > 0) {
    if (filled_ == kBufferSize) {
      Flush();
      mode_ = Mode::writing;
    }
    const uint32_t take = std::min(count, kBufferSize - filled_);
    std::memcpy(buffer_ + filled_, in, take);
    filled_ += take;
    next_ = filled_;
    in += take;
    count -= take;
  }
}

void KStdioFile::Flush() {
  if (mode_ != Mode::writing) return;
  SeekHandle(start_);
  uint32_t written = 0;
  while (written < filled_) {
    const long long put = OsWrite(handle_, buffer_ + written, filled_ - written);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) ThrowOsError(put < 0 ? errno : ENOSPC);
    written += static_cast<uint32_t>(put);
    handlePosition_ += static_cast<uint64_t>(put);
  }
  start_ += filled_;
  filled_ = next_ = 0;
  mode_ = Mode::idle;
}

void KStdioFile::Sync() {
  if (!IsOpen()) ThrowOsError(EBADF);
  Flush();
  if (OsSync(handle_) != 0) ThrowOsError(errno);
}

uint64_t KStdioFile::Seek(int64_t offset, SeekPosition from) {
  if (!IsOpen()) ThrowOsError(EBADF);
  int64_t origin = 0;
  if (from == current) origin = static_cast<int64_t>(GetPosition());
  if (from == end) {
    Flush();
    const long long size = OsSeek(handle_, 0, SEEK_END);
    if (size < 0) ThrowOsError(errno);
    handlePosition_ = static_cast<uint64_t>(size);
    origin = size;
  }
  const int64_t target = origin + offset;
  if (target < 0) throw KFileException(KFileException::badSeek, EINVAL, path_);
  const auto position = static_cast<uint64_t>(target);
  // Within the bytes already read the buffer stays, so stepping back over a line costs no reading.
  if (mode_ == Mode::reading && position >= start_ && position <= start_ + filled_) {
    next_ = static_cast<uint32_t>(position - start_);
    return position;
  }
  Flush();
  mode_ = Mode::idle;
  start_ = position;
  filled_ = next_ = 0;
  return position;
}

bool KStdioFile::IsEOF() {
  if (mode_ == Mode::reading && next_ < filled_) return false;
  return !Fill();
}
