// KDXData: the data half of a binding: the bound variables, their conversion to and from text, and the
// length or value range they are validated against. The base binds nothing and accepts everything.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/KDXValue.h"

// Data kinds: the second byte of a binding's type word.
enum : uint32_t {
  KDXDATA_INT = 0x0100,         // 32-bit signed integer
  KDXDATA_SHORT = 0x0200,       // 16-bit signed integer
  KDXDATA_USHORT = 0x0300,      // 16-bit unsigned integer
  KDXDATA_LONG = 0x0400,        // 32-bit signed integer
  KDXDATA_ULONG = 0x0500,       // 32-bit unsigned integer
  KDXDATA_FLOAT = 0x0600,       // 32-bit floating point
  KDXDATA_DOUBLE = 0x0700,      // 64-bit floating point
  KDXDATA_INT64 = 0x0800,       // 64-bit signed integer
  KDXDATA_UINT64 = 0x0900,      // 64-bit unsigned integer
  KDXDATA_BUFFER = 0x0A00,      // wide-character buffer of Param characters
  KDXDATA_STRING = 0x0B00,      // string object (std::u16string)
  KDXDATA_TEXTONLY = 0x0C00,    // a string kind that neither formats nor parses
  KDXDATA_BOOL = 0x0D00,        // 32-bit boolean
  KDXDATA_BYTEBOOL = 0x0E00,    // 8-bit boolean
  KDXDATA_BITS16 = 0x0F00,      // the bits Param of a 16-bit word
  KDXDATA_BITS32 = 0x1000,      // the bits Param of a 32-bit word
  KDXDATA_FILETIME = 0x1100,    // 64-bit time in 100-ns units; Param 0 date, 1 time of day, 2 both
  KDXDATA_MASK = 0xFF00,
};

// Binding messages of the string table.
enum : uint32_t {
  KDX_MSG_ENTER_VALUE = 32550,
  KDX_MSG_INVALID_LENGTH = 32551,
  KDX_MSG_INVALID_RANGE = 32552,
};

// The bound variables, untyped: the data kind says what each points at.
using KDXVariables = std::vector<void*>;

class KDXData {
 public:
  KDXData(uint32_t typeWord, void* variable, int32_t param, std::u16string format);
  KDXData(const KDXData&) = delete;
  KDXData& operator=(const KDXData&) = delete;
  virtual ~KDXData() = default;

  // Each takes the given variables, or the binding's own when `variables` is null; 1 success, 0 failure.
  virtual int32_t Format(KDXValue& value, const KDXVariables* variables);
  virtual int32_t Parse(const KDXValue& value, const KDXVariables* variables);
  // Fills `message` (with %1 standing for the control's label) and returns 0 when the value is invalid.
  virtual int32_t Validate(const KDXValue& value, std::u16string& message);

  uint32_t DataKind() const { return TypeWord & KDXDATA_MASK; }

  uint32_t TypeWord;
  KDXVariables Variables;
  int32_t Param;
  std::u16string FormatText;  // the printf format of the data kind
  std::u16string Minimum;     // decimal text; empty = none
  std::u16string Maximum;

 protected:
  const KDXVariables& VariablesOr(const KDXVariables* variables) const { return variables ? *variables : Variables; }
  // "Please enter %1." when a value is required and the text is empty; false then.
  bool CheckRequired(const KDXValue& value, std::u16string& message) const;
  // The range message `id` with %1 kept for the label and the minimum and maximum inserted.
  void RangeMessage(uint32_t id, std::u16string& message) const;
};
