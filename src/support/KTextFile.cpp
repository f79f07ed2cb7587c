// KTextFile: encoding detection by byte order mark, the per-encoding character readers and writers, and
// line reading and writing with CR LF, LF and CR line ends.
#include "support/KTextFile.h"

#include <algorithm>
#include <utility>

#include "support/FormatInserts.h"
#include "support/KException.h"
#include "resource.h"

namespace {

// Lines are read and written in pieces of this many characters, so a line has no length limit.
constexpr uint32_t kPiece = 128;
// The most bytes that an 8-bit piece may take (two per character in a double-byte code page).
constexpr size_t kMaxPieceBytes = 256;

int ClampCapacity(uint32_t capacity) { return static_cast<int>(std::min<uint32_t>(capacity, INT32_MAX)); }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

}  // namespace

KTextFileException::KTextFileException(int32_t cause, std::u16string fileName, uint32_t codePage)
    : KFileException(cause, -1, std::move(fileName)), codePage_(codePage) {}

bool KTextFileException::GetErrorMessage(char16_t* buffer, uint32_t capacity) const {
  if (GetCause() == codePageNotInstalled) {
    FormatInserts(buffer, ClampCapacity(capacity), KMessage(IDS_CODEPAGE_NOT_INSTALLED), u"%lu",
                  static_cast<unsigned long>(codePage_));
    return true;
  }
  if (GetCause() == invalidEncoding) {
    FormatInserts(buffer, ClampCapacity(capacity), KMessage(u"Invalid encoding."), u"");
    return true;
  }
  return KFileException::GetErrorMessage(buffer, capacity);
}

bool KTextFile::SetEncoding(Encoding encoding) {
  if (encoding_ != encodingNone) return false;
  encoding_ = encoding;
  return true;
}

void KTextFile::SetCodePage(uint32_t codePage) {
  codePage_ = codePage;
  converter_ = KCodePage(codePage);
}

bool KTextFile::Open(std::u16string_view path, uint32_t flags, KFileException* error) {
  if (IsOpen()) Close();
  if (!KStdioFile::Open(path, (flags & ~typeText) | typeBinary, error)) return false;
  converter_ = KCodePage(codePage_);
  markLength_ = 0;
  if ((flags & 3) != modeWrite) {
    const uint64_t position = GetPosition();
    Seek(0, begin);
    uint8_t mark[4] = {};  // a short file reads as if zeros followed
    Read(mark, sizeof mark);
    Seek(static_cast<int64_t>(position), begin);
    if (mark[0] == 0xFF && mark[1] == 0xFE) {
      encoding_ = encodingUnicode;
      markLength_ = 2;
    } else if (mark[0] == 0xFE && mark[1] == 0xFF) {
      encoding_ = encodingUnicodeBigEndian;
      markLength_ = 2;
    } else if (mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
      encoding_ = encodingUtf8;
      markLength_ = 3;
    } else if (encoding_ == encodingNone) {
      encoding_ = encodingAnsi;
    }
  }
  if (encoding_ == encodingNone) encoding_ = encodingUnicode;
  return true;
}

void KTextFile::Close() {
  encoding_ = encodingNone;
  markLength_ = 0;
  KStdioFile::Close();
}

void KTextFile::ThrowTextError(int32_t cause) const {
  throw KTextFileException(cause, GetFilePath(), converter_.Number());
}

void KTextFile::SkipMark() {
  if (GetPosition() < markLength_) Seek(markLength_, begin);
}

bool KTextFile::ReadChar(char16_t& c) {
  uint8_t first = 0;
  uint8_t second = 0;
  switch (encoding_) {
    case encodingUnicode:
      if (!ReadByte(first) || !ReadByte(second)) return false;
      c = static_cast<char16_t>(first | (second << 8));
      return true;
    case encodingUnicodeBigEndian:
      if (!ReadByte(first) || !ReadByte(second)) return false;
      c = static_cast<char16_t>((first << 8) | second);
      return true;
    case encodingUtf8:
      return ReadUtf8Char(c);
    default:
      return ReadAnsiChar(c);
  }
}

bool KTextFile::ReadUtf8Char(char16_t& c) {
  uint8_t lead = 0;
  if (!ReadByte(lead)) return false;
  if (lead < 0x80) {
    c = lead;
    return true;
  }
  int following = 0;
  uint32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    following = 1;
    value = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    following = 2;
    value = lead & 0x0Fu;
  } else {
    // A continuation byte where a character begins, or the lead of a four-byte sequence, which would need
    // a surrogate pair that this reader does not produce.
    ThrowTextError(KTextFileException::invalidEncoding);
  }
  for (; following > 0; --following) {
    uint8_t next = 0;
    if (!ReadByte(next)) return false;  // a sequence cut by the end of the file ends it
    value = (value << 6) | (next & 0x3Fu);
  }
  c = static_cast<char16_t>(value);
  return true;
}

bool KTextFile::ReadAnsiChar(char16_t& c) {
  uint8_t lead = 0;
  if (!ReadByte(lead)) return false;
  char bytes[2] = {static_cast<char>(lead), 0};
  size_t count = 1;
  if (converter_.IsLeadByte(lead)) {
    uint8_t trail = 0;
    if (!ReadByte(trail)) throw KFileException(KFileException::genericException, -1);
    bytes[1] = static_cast<char>(trail);
    count = 2;
  }
  if (!converter_.CharToWide(std::string_view(bytes, count), c))
    ThrowTextError(KTextFileException::codePageNotInstalled);
  return true;
}

bool KTextFile::TakeLineFeedAfterCr() {
  const uint64_t position = GetPosition();
  char16_t next = 0;
  if (ReadChar(next) && next == u'\n') return true;
  Seek(static_cast<int64_t>(position), begin);
  return false;
}

bool KTextFile::ReadLine(char16_t* buffer, uint32_t capacity, uint32_t& count) {
  if (capacity < 2) throw KInvalidArgException("KTextFile::ReadString needs room for a character and a terminator");
  count = 0;
  SkipMark();
  if (IsEOF()) return false;
  while (count + 1 < capacity) {
    char16_t c = 0;
    if (!ReadChar(c)) return count > 0;
    if (c != u'\r' && c != u'\n') {
      buffer[count++] = c;
      continue;
    }
    LineEnd seen = lineEndLf;
    if (c == u'\r') seen = TakeLineFeedAfterCr() ? lineEndCrLf : lineEndCr;
    // Only 8-bit files take on the style they were read with; Unicode files are written with CR LF.
    if (encoding_ == encodingAnsi) lineEnd_ = seen;
    buffer[count++] = u'\n';
    return true;
  }
  return true;
}

char16_t* KTextFile::ReadString(char16_t* buffer, uint32_t capacity) {
  uint32_t count = 0;
  if (!ReadLine(buffer, capacity, count)) return nullptr;
  buffer[count] = u'\0';
  return buffer;
}

// A read error throws from the stream with the OS error and the file name, so a chunk is missing only at
// the end of the file.
bool KTextFile::ReadString(std::u16string& line) {
  line.clear();
  char16_t chunk[kPiece + 1];
  uint32_t count = 0;
  bool read = false;
  while (ReadLine(chunk, kPiece + 1, count)) {
    read = true;
    line.append(chunk, count);
    if (count < kPiece || chunk[count - 1] == u'\n') break;
  }
  if (!line.empty() && line.back() == u'\n') line.pop_back();
  return read;
}

void KTextFile::WriteString(std::u16string_view text) {
  if (GetPosition() == 0 && writeMark_) WriteMark();
  size_t start = 0;
  while (start < text.size()) {
    const size_t lineFeed = text.find(u'\n', start);
    size_t length = (lineFeed == std::u16string_view::npos ? text.size() : lineFeed) - start;
    const bool lineEnd = lineFeed != std::u16string_view::npos && length <= kPiece;
    if (length > kPiece) {
      // A surrogate pair stays in one piece, so that an 8-bit conversion sees the whole character.
      length = IsHighSurrogate(text[start + kPiece - 1]) ? kPiece - 1 : kPiece;
    }
    WritePiece(text.substr(start, length));
    if (lineEnd) WriteLineEnd();
    start += length + (lineEnd ? 1 : 0);
  }
}

void KTextFile::WriteMark() {
  static constexpr uint8_t kLittleEndian[] = {0xFF, 0xFE};
  static constexpr uint8_t kBigEndian[] = {0xFE, 0xFF};
  static constexpr uint8_t kUtf8[] = {0xEF, 0xBB, 0xBF};
  switch (encoding_) {
    case encodingUnicode:
      Write(kLittleEndian, sizeof kLittleEndian);
      break;
    case encodingUnicodeBigEndian:
      Write(kBigEndian, sizeof kBigEndian);
      break;
    case encodingUtf8:
      Write(kUtf8, sizeof kUtf8);
      break;
    default:
      break;  // 8-bit text has no mark
  }
}

void KTextFile::WritePiece(std::u16string_view piece) {
  if (encoding_ != encodingAnsi) {
    for (char16_t c : piece) PutChar(c);
    return;
  }
  std::string bytes;
  if (!converter_.ToBytes(piece, bytes) || bytes.size() > kMaxPieceBytes)
    ThrowTextError(KTextFileException::codePageNotInstalled);
  Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void KTextFile::WriteLineEnd() {
  std::u16string_view ending = u"\r\n";
  if (lineEnd_ == lineEndLf) ending = u"\n";
  if (lineEnd_ == lineEndCr) ending = u"\r";
  for (char16_t c : ending) {
    if (encoding_ == encodingAnsi) {
      const auto byte = static_cast<uint8_t>(c);
      Write(&byte, 1);
    } else {
      PutChar(c);
    }
  }
}

void KTextFile::PutChar(char16_t c) {
  uint8_t bytes[3] = {};
  uint32_t count = 2;
  if (encoding_ == encodingUnicode) {
    bytes[0] = static_cast<uint8_t>(c & 0xFF);
    bytes[1] = static_cast<uint8_t>(c >> 8);
  } else if (encoding_ == encodingUnicodeBigEndian) {
    bytes[0] = static_cast<uint8_t>(c >> 8);
    bytes[1] = static_cast<uint8_t>(c & 0xFF);
  } else if (c < 0x80) {
    bytes[0] = static_cast<uint8_t>(c);
    count = 1;
  } else if (c < 0x800) {
    bytes[0] = static_cast<uint8_t>(0xC0 | (c >> 6));
    bytes[1] = static_cast<uint8_t>(0x80 | (c & 0x3F));
  } else {
    // Surrogates too are encoded one unit at a time, as three bytes each.
    bytes[0] = static_cast<uint8_t>(0xE0 | (c >> 12));
    bytes[1] = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
    bytes[2] = static_cast<uint8_t>(0x80 | (c & 0x3F));
    count = 3;
  }
  Write(bytes, count);
}
