// Fuzzes KTextFile's readers in every encoding: both ReadString forms give the same lines, and seeking back
// to where a line started reads that line again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzFile.h"
#include "support/KTextFile.h"

namespace {

struct Line {
  uint64_t start;
  std::u16string text;
};

// The first input byte picks the byte order mark put in front of the rest (none, UTF-16 LE, UTF-16 BE,
// UTF-8), the encoding set before opening, and the capacity of the buffer reader.
struct Setup {
  std::vector<uint8_t> bytes;
  KTextFile::Encoding preset;
  uint32_t capacity;
};

Setup MakeSetup(const uint8_t* data, size_t size) {
  static const std::vector<uint8_t> kMarks[] = {{}, {0xFF, 0xFE}, {0xFE, 0xFF}, {0xEF, 0xBB, 0xBF}};
  const uint8_t choice = data[0];
  Setup setup{kMarks[choice & 3], static_cast<KTextFile::Encoding>((choice >> 2) % 5),
              2u + (choice >> 5) * 19u};
  setup.bytes.insert(setup.bytes.end(), data + 1, data + size);
  return setup;
}

void Open(KTextFile& file, const std::u16string& path, KTextFile::Encoding preset) {
  file.SetEncoding(preset);
  fuzz::Require(file.Open(path, KStdioFile::modeRead));
}

// Every line with the position it starts at; false when reading stopped at bytes it cannot read.
bool ReadLines(const std::u16string& path, KTextFile::Encoding preset, std::vector<Line>& lines) {
  KTextFile file;
  Open(file, path, preset);
  try {
    for (;;) {
      const uint64_t start = file.GetPosition();
      std::u16string text;
      if (!file.ReadString(text)) return true;
      lines.push_back({start, std::move(text)});
    }
  } catch (const KFileException&) {
    return false;
  }
}

// The same lines through the buffer reader, which hands out pieces of at most capacity - 1 characters and
// a line end as LF; a line cut by a failure does not count.
bool ReadPieces(const std::u16string& path, KTextFile::Encoding preset, uint32_t capacity,
                std::vector<std::u16string>& lines) {
  KTextFile file;
  Open(file, path, preset);
  std::vector<char16_t> buffer(capacity);
  std::u16string pending;
  try {
    while (const char16_t* piece = file.ReadString(buffer.data(), capacity)) {
      pending += piece;
      if (pending.empty() || pending.back() != u'\n') continue;
      pending.pop_back();
      lines.push_back(std::move(pending));
      pending.clear();
    }
  } catch (const KFileException&) {
    return false;
  }
  if (!pending.empty()) lines.push_back(std::move(pending));
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Setup setup = MakeSetup(data, size);
  const std::u16string path = fuzz::Scratch().Write("input.txt", setup.bytes.data(), setup.bytes.size());

  std::vector<Line> lines;
  const bool whole = ReadLines(path, setup.preset, lines);
  // The buffer reader's pieces are zero-terminated, so a line holding U+0000 cannot come out whole there.
  if (std::none_of(lines.begin(), lines.end(),
                   [](const Line& line) { return line.text.find(u'\0') != std::u16string::npos; })) {
    std::vector<std::u16string> pieces;
    fuzz::Require(ReadPieces(path, setup.preset, setup.capacity, pieces) == whole);
    fuzz::Require(pieces.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) fuzz::Require(pieces[i] == lines[i].text);
  }

  // Backwards, so that every seek leaves the stream's buffer behind.
  KTextFile file;
  Open(file, path, setup.preset);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    file.Seek(static_cast<int64_t>(line->start), KStdioFile::begin);
    std::u16string again;
    fuzz::Require(file.ReadString(again) && again == line->text);
  }
  return 0;
}
