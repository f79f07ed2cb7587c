// The test host's library loader on Windows: LoadLibraryW, whose module handle is the base address.
#include "common/ModuleLibrary.h"

#include <stdexcept>
#include <string>

#include "support/KWindowsApi.h"

namespace testhost {

ModuleLibrary::ModuleLibrary(const std::filesystem::path& path) {
  handle_ = LoadLibraryW(path.c_str());
  if (handle_ == nullptr)
    throw std::runtime_error("LoadLibraryW failed with error " + std::to_string(GetLastError()) + ": " +
                             path.string());
}

ModuleLibrary::~ModuleLibrary() {
  FreeLibrary(static_cast<HMODULE>(handle_));
}

void* ModuleLibrary::Symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void* ModuleLibrary::BaseAddress() const {
  return handle_;
}

}  // namespace testhost
