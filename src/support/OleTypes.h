// OLE Automation strings and variants: the real oleaut32 ones on Windows, the same memory layout elsewhere,
// so that the module and any host exchange texts identically on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#ifdef _WIN32
// The real OLE Automation types.
#include "support/KWindowsApi.h"

#include <oleauto.h>  // needs the Windows API first
#else

using BSTR = char16_t*;
using VARTYPE = uint16_t;

enum : VARTYPE { VT_EMPTY = 0, VT_I4 = 3, VT_BSTR = 8 };

struct VARIANT_RECORD {
  void* pvRecord;
  void* pRecInfo;
};

// 24 bytes on 64-bit platforms: the type at offset 0, the value union at offset 8.
struct VARIANT {
  VARTYPE vt;
  uint16_t wReserved1;
  uint16_t wReserved2;
  uint16_t wReserved3;
  union {
    BSTR bstrVal;
    int32_t lVal;
    int64_t llVal;
    void* byref;
    VARIANT_RECORD brecVal;  // the widest member: it makes the value 16 bytes, as oleaut32's is
  };
};

static_assert(offsetof(VARIANT, bstrVal) == 8);
static_assert(sizeof(void*) != 8 || sizeof(VARIANT) == 24);

// A BSTR points at the first character of a malloc'ed block that starts 4 bytes earlier with the byte
// length (without terminator) and ends with a 16-bit zero.
BSTR SysAllocString(const char16_t* text);
BSTR SysAllocStringLen(const char16_t* text, uint32_t length);
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);
void VariantInit(VARIANT* variant);
int32_t VariantClear(VARIANT* variant);

#endif

// Portable views used by the module and the host alike.
inline const char16_t* BstrChars(BSTR text) {
  return reinterpret_cast<const char16_t*>(text);
}

// A variant for a host to fill: wholly zeroed, so a host that leaves it alone hands back an empty variant,
// and cleared when it goes, also when copying its text runs out of memory.
class KVariant {
 public:
  KVariant() { std::memset(static_cast<void*>(&value_), 0, sizeof value_); }
  ~KVariant() { VariantClear(&value_); }
  KVariant(const KVariant&) = delete;
  KVariant& operator=(const KVariant&) = delete;

  VARIANT* Out() { return &value_; }
  // Only a string variant holds a text; any other type would be read through the wrong member. The text
  // goes into `text`, which keeps its storage.
  void AssignText(std::u16string& text) const {
    if (value_.vt == VT_BSTR && value_.bstrVal != nullptr) {
      text.assign(BstrChars(value_.bstrVal));
    } else {
      text.clear();
    }
  }
  std::u16string Text() const {
    std::u16string text;
    AssignText(text);
    return text;
  }

 private:
  VARIANT value_;
};
