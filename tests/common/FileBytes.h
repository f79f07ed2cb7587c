// Whole files as byte strings, for tests that check exactly what was written or read (C streams, because
// GCC's optimiser sees a possible null buffer inside the C++ stream iterators and warns), and UTF-16 text
// as the bytes of such a file.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Empty when the file cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.string().c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

// The text as UTF-16 bytes behind their byte order mark.
inline std::string Utf16Bytes(std::u16string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t c : text) {
    const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}
