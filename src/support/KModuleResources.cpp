// Strings from a module's resources: LoadStringW on Windows, the compiled tables elsewhere.
#include "support/KModuleResources.h"

#ifdef _WIN32
#include "support/KWindowsApi.h"
#else
#include "support/KResourceTable.h"
#endif

#ifdef _WIN32

bool KModuleResources::GetString(uint32_t id, std::u16string& text) const {
  // With a zero buffer size LoadStringW hands out a pointer to the resource itself, not zero-terminated.
  const wchar_t* resource = nullptr;
  const int length = LoadStringW(static_cast<HMODULE>(module_), id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || resource == nullptr) return false;
  text.assign(reinterpret_cast<const char16_t*>(resource), static_cast<size_t>(length));
  return true;
}

std::unique_ptr<KResourceSource> KModuleResources::Own() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&KModuleResources::Own), &module);
  return std::make_unique<KModuleResources>(module, nullptr);
}

#else

bool KModuleResources::GetString(uint32_t id, std::u16string& text) const {
  const char16_t* found = tables_ ? tables_->FindString(id) : nullptr;
  if (found == nullptr) return false;
  text = found;
  return true;
}

std::unique_ptr<KResourceSource> KModuleResources::Own() {
  return std::make_unique<KModuleResources>(nullptr, ModuleResourceTable());
}

#endif
