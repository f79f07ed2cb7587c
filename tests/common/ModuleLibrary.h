// A shared library opened by path for the test host: dlopen on Linux, LoadLibraryW on Windows (one
// implementation per platform, chosen by the build).
#pragma once

#include <filesystem>

namespace testhost {

class ModuleLibrary {
 public:
  // Throws when the library does not load.
  explicit ModuleLibrary(const std::filesystem::path& path);
  ModuleLibrary(const ModuleLibrary&) = delete;
  ModuleLibrary& operator=(const ModuleLibrary&) = delete;
  ~ModuleLibrary();

  // The exported symbol, or null.
  void* Symbol(const char* name) const;
  // The library's base address as the system's loader reports it.
  void* BaseAddress() const;

 private:
  void* handle_ = nullptr;
};

}  // namespace testhost
