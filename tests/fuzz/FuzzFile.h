// Shared by the fuzz targets: a scratch folder of this process, where fuzz inputs become files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzz {

class KScratchFolder {
 public:
  KScratchFolder()
      : path_(std::filesystem::temp_directory_path() / ("ip-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path_);
  }
  KScratchFolder(const KScratchFolder&) = delete;
  KScratchFolder& operator=(const KScratchFolder&) = delete;
  ~KScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }

  // Writes the bytes to the named file of the folder and returns its path as the module takes paths.
  std::u16string Write(const char* name, const uint8_t* data, size_t size) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file.u16string();
  }

 private:
  std::filesystem::path path_;
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

}  // namespace fuzz
