// KTextFile, the line-oriented text file in UTF-16 (either byte order), UTF-8 or an 8-bit code page, and
// KTextFileException, its encoding errors. Both throw by value; catch `const KFileException&` for all.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/KCodePage.h"
#include "support/KStdioFile.h"

class KTextFileException : public KFileException {
 public:
  enum TextCause : int32_t { codePageNotInstalled = 2000, invalidEncoding = 2001 };

  KTextFileException(int32_t cause, std::u16string fileName, uint32_t codePage);

  uint32_t GetCodePage() const { return codePage_; }
  // codePageNotInstalled: string 32580 with the code page; invalidEncoding: "Invalid encoding."; any
  // other cause: the file exception's text.
  bool GetErrorMessage(char16_t* buffer, uint32_t capacity) const override;
  using KFileException::GetErrorMessage;

 private:
  uint32_t codePage_;
};

class KTextFile : public KStdioFile {
 public:
  enum Encoding : int32_t {
    encodingNone = 0,
    encodingAnsi = 1,
    encodingUnicode = 2,  // UTF-16 little-endian
    encodingUnicodeBigEndian = 3,
    encodingUtf8 = 4,
  };
  enum LineEnd : int32_t { lineEndUnknown = 0, lineEndCrLf = 1, lineEndLf = 2, lineEndCr = 3 };

  KTextFile() = default;

  // Sets the encoding before Open; false (and no change) once an encoding is set. A byte order mark in a
  // file opened for reading overrides it.
  bool SetEncoding(Encoding encoding);
  Encoding GetEncoding() const { return encoding_; }
  // Whether a write at byte 0 starts with the byte order mark (on by default).
  void SetWriteByteOrderMark(bool on) { writeMark_ = on; }
  // The line end written for each LF; the 8-bit reader sets it to the last line end it read.
  void SetLineEnd(LineEnd lineEnd) { lineEnd_ = lineEnd; }
  LineEnd GetLineEnd() const { return lineEnd_; }
  // The code page of 8-bit text; 0 (the default) is the system's ANSI code page.
  void SetCodePage(uint32_t codePage);
  uint32_t GetCodePage() const { return converter_.Number(); }

  // Opens the file as bytes, whatever typeText or typeBinary says, and fixes the encoding: from the byte
  // order mark when the file is read, else as set before, else 8-bit for reading and UTF-16 for writing.
  bool Open(std::u16string_view path, uint32_t flags, KFileException* error = nullptr) override;
  // Closes the file and forgets the encoding, so that the next Open detects it again.
  void Close() override;

  // The next line without its line end (CR LF, LF or CR); false at the end of the file.
  bool ReadString(std::u16string& line);
  // At most capacity - 1 characters (capacity at least 2) of the next line, its line end stored as one LF;
  // null at the end of the file.
  char16_t* ReadString(char16_t* buffer, uint32_t capacity);
  // Writes the text in the file's encoding, each LF as a line end of the line-end style.
  void WriteString(std::u16string_view text);

 private:
  // The characters of one line into buffer (line end as LF, no terminator); false at the end of the file.
  bool ReadLine(char16_t* buffer, uint32_t capacity, uint32_t& count);
  bool ReadChar(char16_t& c);
  bool ReadAnsiChar(char16_t& c);
  bool ReadUtf8Char(char16_t& c);
  bool TakeLineFeedAfterCr();
  void SkipMark();
  void WriteMark();
  void WritePiece(std::u16string_view piece);
  void WriteLineEnd();
  void PutChar(char16_t c);
  [[noreturn]] void ThrowTextError(int32_t cause) const;

  Encoding encoding_ = encodingNone;
  bool writeMark_ = true;
  LineEnd lineEnd_ = lineEndUnknown;
  uint32_t codePage_ = 0;
  uint32_t markLength_ = 0;
  // The converter of codePage_, made again by Open so that 0 follows the system's code page of the day.
  KCodePage converter_{0};
};
