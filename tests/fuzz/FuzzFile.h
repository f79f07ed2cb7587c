// Shared by the fuzz targets: a scratch folder of this process where fuzz inputs become files, the check
// that stops a run, and texts made of fuzz bytes.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class KScratchFolder {
 public:
  KScratchFolder() { std::filesystem::create_directories(path_); }
  ~KScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

  // Writes the bytes to the named file of the folder and returns its path as the module takes paths.
  std::u16string Write(const char* name, const uint8_t* data, size_t size) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return (path_ / name).u16string();
  }

 private:
  const std::filesystem::path path_ =
      std::filesystem::temp_directory_path() / ("ip-fuzz-" + std::to_string(::getpid()));
};

// One folder for the whole run: the fuzzer calls a target millions of times.
inline const KScratchFolder& Scratch() {
  static const KScratchFolder folder;
  return folder;
}

// Stops the run where a property that must hold does not: libFuzzer saves the input that did it.
inline void Require(bool holds) {
  if (!holds) __builtin_trap();
}

// The input as texts split at its NUL bytes: several arguments or fields from one input.
inline std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      parts.emplace_back();
      continue;
    }
    parts.back() += static_cast<char>(data[i]);
  }
  return parts;
}

// Mostly ASCII, so that digits, commas, quotes and percent signs come often; a high byte widens to a
// unit outside ASCII.
inline std::u16string Widen(std::string_view bytes) {
  std::u16string text;
  for (const unsigned char c : bytes) text.push_back(c < 0x80 ? c : static_cast<char16_t>(c << 5));
  return text;
}

}  // namespace fuzz
