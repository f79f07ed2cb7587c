// KStdioFile, the buffered binary byte stream of the support library, and KFileException, the error it
// throws. Callers catch `const KFileException&`, which also catches the text file's KTextFileException.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class KFileException : public std::runtime_error {
 public:
  // The causes of a failure, numbered as the Windows class library numbers them.
  enum Cause : int32_t {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit KFileException(int32_t cause = none, int32_t osError = -1, std::u16string fileName = {});
  KFileException(const KFileException&) = default;
  KFileException& operator=(const KFileException&) = default;
  ~KFileException() override = default;

  int32_t GetCause() const { return cause_; }
  int32_t GetOsError() const { return osError_; }
  const std::u16string& GetFileName() const { return fileName_; }

  // Copies the text that describes the failure into buffer, cut to capacity - 1 characters and terminated
  // (nothing when capacity is 0); true.
  virtual bool GetErrorMessage(char16_t* buffer, uint32_t capacity) const;
  // The whole text.
  std::u16string GetErrorMessage() const;

  // The cause that an operating-system error number (errno) stands for.
  static int32_t CauseFromErrno(int error);

 private:
  int32_t cause_;
  int32_t osError_;
  std::u16string fileName_;
};

// A file read and written as bytes through a 4 KiB buffer of its own. Positions are exact byte offsets,
// whatever the buffer holds, so a reader can return to a byte it has passed. The stream never translates
// line ends: typeText and typeBinary are accepted and mean the same.
class KStdioFile {
 public:
  enum OpenFlags : uint32_t {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000,
    modeCreateNew = 0x10000,  // with modeCreate: fails (EEXIST) when the name exists, even as a link
    modeUnnamed = 0x20000,    // with modeWrite, Linux only: a new file without a name in the folder path
  };
  enum SeekPosition { begin = 0, current = 1, end = 2 };

  KStdioFile() = default;
  // Closes the file; a failure to write the last buffered bytes is lost here, so writers call Close.
  virtual ~KStdioFile();
  KStdioFile(const KStdioFile&) = delete;
  KStdioFile& operator=(const KStdioFile&) = delete;

  // Opens the file (modeWrite and modeReadWrite without modeCreate need an existing file; modeCreate
  // truncates unless modeNoTruncate). On failure returns false and, if given, fills error.
  virtual bool Open(std::u16string_view path, uint32_t flags, KFileException* error = nullptr);
  // Writes what is buffered and closes; throws KFileException if the bytes cannot be written.
  virtual void Close();
  bool IsOpen() const { return handle_ >= 0; }
  // The operating system's descriptor, for the calls on an open file that the stream does not offer.
  int NativeHandle() const { return handle_; }
  const std::u16string& GetFilePath() const { return path_; }

  // Reads up to count bytes; fewer only at the end of the file. Throws KFileException on a read error.
  uint32_t Read(void* buffer, uint32_t count);
  // Reads one byte; false at the end of the file.
  bool ReadByte(uint8_t& value) {
    if (mode_ != Mode::reading || next_ == filled_) return ReadByteSlow(value);
    value = buffer_[next_++];
    return true;
  }
  // Writes all bytes or throws KFileException.
  void Write(const void* buffer, uint32_t count);
  // Hands the buffered bytes to the operating system.
  void Flush();
  // Flushes and waits until the operating system has the file's bytes on the disk; throws KFileException.
  void Sync();

  uint64_t GetPosition() const { return start_ + next_; }
  // Moves to offset bytes from the origin and returns the new position; throws KFileException (badSeek)
  // for a position before the start of the file.
  uint64_t Seek(int64_t offset, SeekPosition from);
  // True when no byte follows the position.
  bool IsEOF();

 private:
  enum class Mode { idle, reading, writing };
  static constexpr uint32_t kBufferSize = 4096;

  bool ReadByteSlow(uint8_t& value);
  // Reads the bytes after the buffer into it; false at the end of the file.
  bool Fill();
  void SeekHandle(uint64_t position);
  [[noreturn]] void ThrowOsError(int error) const;
  void Release();

  int handle_ = -1;
  std::u16string path_;
  Mode mode_ = Mode::idle;
  // The buffer holds the bytes from file offset start_: filled_ of them; next_ is the position within.
  // While writing, next_ == filled_ and the bytes are still to be written at start_.
  uint64_t start_ = 0;
  uint32_t filled_ = 0;
  uint32_t next_ = 0;
  uint64_t handlePosition_ = 0;
  unsigned char buffer_[kBufferSize] = {};
};
