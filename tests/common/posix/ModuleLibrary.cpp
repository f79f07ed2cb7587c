// The test host's library loader on Linux: dlopen, and the base address from dladdr.
#include "common/ModuleLibrary.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace testhost {

ModuleLibrary::ModuleLibrary(const std::filesystem::path& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) throw std::runtime_error(std::string("dlopen failed: ") + dlerror());
}

ModuleLibrary::~ModuleLibrary() {
  dlclose(handle_);
}

void* ModuleLibrary::Symbol(const char* name) const {
  return dlsym(handle_, name);
}

void* ModuleLibrary::BaseAddress() const {
  // Any symbol of the library leads to it; the module always exports ZAKFN_LoadAddIn.
  Dl_info info{};
  void* symbol = Symbol("ZAKFN_LoadAddIn");
  return symbol != nullptr && dladdr(symbol, &info) != 0 ? info.dli_fbase : nullptr;
}

}  // namespace testhost
