// Fuzzes KTextFile's readers in every encoding: both ReadString forms give the same lines, and seeking back
// to where a line started reads that line again.
#include <algorithm>
#include <utility>
#include <vector>

#include "FuzzFile.h"
#include "support/KTextFile.h"

namespace {

struct Line {
  uint64_t start;
  std::u16string text;
};

// A file opened with the encoding set before opening (KTextFile::Encoding, 0 to 4).
struct KOpenedFile : KTextFile {
  KOpenedFile(const std::u16string& path, KTextFile::Encoding preset) {
    SetEncoding(preset);
    fuzz::Require(Open(path, KStdioFile::modeRead));
  }
};

// Every line with the position it starts at; false when reading stopped at bytes it cannot read.
bool ReadLines(KTextFile&& file, std::vector<Line>& lines) try {
  for (Line line{file.GetPosition(), {}}; file.ReadString(line.text); line = Line{file.GetPosition(), {}})
    lines.push_back(line);
  return true;
} catch (const KFileException&) {
  return false;
}

// The same lines through the buffer reader, which hands out pieces of at most capacity - 1 characters and
// a line end as LF; a line cut by a failure does not count.
bool ReadPieces(KTextFile&& file, uint32_t capacity, std::vector<std::u16string>& lines) try {
  std::vector<char16_t> buffer(capacity);
  std::u16string pending;
  while (const char16_t* piece = file.ReadString(buffer.data(), capacity)) {
    pending += piece;
    if (pending.empty() || pending.back() != u'\n') continue;
    pending.pop_back();
    lines.push_back(std::exchange(pending, {}));
  }
  if (!pending.empty()) lines.push_back(pending);
  return true;
} catch (const KFileException&) {
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the byte order mark put in front of the rest (none, UTF-16 LE, UTF-16 BE, UTF-8),
  // the encoding set before opening, and the capacity of the buffer reader.
  static const std::vector<uint8_t> kMarks[] = {{}, {0xFF, 0xFE}, {0xFE, 0xFF}, {0xEF, 0xBB, 0xBF}};
  std::vector<uint8_t> bytes = kMarks[data[0] & 3];
  bytes.insert(bytes.end(), data + 1, data + size);
  const auto preset = static_cast<KTextFile::Encoding>((data[0] >> 2) % 5);
  const uint32_t capacity = 2u + (data[0] >> 5) * 19u;
  const std::u16string path = fuzz::Scratch().Write("input.txt", bytes.data(), bytes.size());

  std::vector<Line> lines;
  const bool whole = ReadLines(KOpenedFile(path, preset), lines);
  // The buffer reader's pieces are zero-terminated, so a line holding U+0000 cannot come out whole there.
  if (std::none_of(lines.begin(), lines.end(),
                   [](const Line& line) { return line.text.find(u'\0') != line.text.npos; })) {
    std::vector<std::u16string> pieces;
    fuzz::Require(ReadPieces(KOpenedFile(path, preset), capacity, pieces) == whole);
    fuzz::Require(
        std::equal(pieces.begin(), pieces.end(), lines.begin(), lines.end(),
                   [](const std::u16string& piece, const Line& line) { return piece == line.text; }));
  }

  // Backwards, so that every seek leaves the stream's buffer behind.
  KOpenedFile file(path, preset);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    file.Seek(static_cast<int64_t>(line->start), KStdioFile::begin);
    std::u16string again;
    fuzz::Require(file.ReadString(again) && again == line->text);
  }
  return 0;
}
