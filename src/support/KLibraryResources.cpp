// Loading a resource library: LoadLibraryW on Windows (as the host expects of an add-in), dlopen and the
// library's table symbol elsewhere.
#include "support/KLibraryResources.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#ifdef _WIN32

KLibraryResources::~KLibraryResources() { FreeLibrary(static_cast<HMODULE>(library_)); }

std::unique_ptr<KResourceSource> LoadResourceLibrary(const std::u16string& path) {
  HMODULE library = LoadLibraryW(reinterpret_cast<LPCWSTR>(path.c_str()));
  if (library == nullptr) return nullptr;
  return std::make_unique<KLibraryResources>(library, library, nullptr);
}

#else

namespace {

// The name of the function a resource library exports; it returns the library's tables.
constexpr const char* kTableSymbol = "ZAKResourceTable";
using TableFunction = const KResourceTable* (*)();

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

KLibraryResources::~KLibraryResources() { dlclose(library_); }

std::unique_ptr<KResourceSource> LoadResourceLibrary(const std::u16string& path) {
  if (path.empty()) return nullptr;  // dlopen of no name would hand out the main program
  void* library = dlopen(Utf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  auto tables = reinterpret_cast<TableFunction>(dlsym(library, kTableSymbol));
  if (tables == nullptr || tables() == nullptr) {
    dlclose(library);
    return nullptr;
  }
  return std::make_unique<KLibraryResources>(library, nullptr, tables());
}

#endif
