// The BSTR and VARIANT functions for platforms without oleaut32.
#include "support/OleTypes.h"

#ifndef _WIN32
#include <cstdlib>
#include <cstring>
#include <new>

BSTR SysAllocStringLen(const char16_t* text, uint32_t length) {
  const uint32_t bytes = length * sizeof(char16_t);
  auto* block = static_cast<unsigned char*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(char16_t)));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, sizeof bytes);
  auto* chars = reinterpret_cast<char16_t*>(block + sizeof(uint32_t));
  if (text != nullptr) std::memcpy(chars, text, bytes);
  chars[length] = 0;
  return chars;
}

BSTR SysAllocString(const char16_t* text) {
  if (text == nullptr) return nullptr;
  uint32_t length = 0;
  while (text[length] != 0) ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text == nullptr) return;
  std::free(reinterpret_cast<unsigned char*>(text) - sizeof(uint32_t));
}

uint32_t SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<unsigned char*>(text) - sizeof(uint32_t), sizeof bytes);
  return bytes / sizeof(char16_t);
}

void VariantInit(VARIANT* variant) { std::memset(static_cast<void*>(variant), 0, sizeof *variant); }

int32_t VariantClear(VARIANT* variant) {
  if (variant->vt == VT_BSTR) SysFreeString(variant->bstrVal);
  VariantInit(variant);
  return 0;
}
#endif
