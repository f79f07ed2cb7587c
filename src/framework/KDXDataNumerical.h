// KDXDataNumerical: integers, floating-point numbers, booleans, bits of a word and file times bound to
// controls, with value-range validation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/KDXData.h"
#include "platform/KTypes.h"

class KDXDataNumerical : public KDXData {
 public:
  using KDXData::KDXData;

  // The text of every variable; unset when they differ. Fails without a variable or for a non-numeric kind.
  int32_t Format(KDXValue& value, const KDXVariables* variables) override;
  // Writes the value into every variable; an unset value writes nothing.
  int32_t Parse(const KDXValue& value, const KDXVariables* variables) override;
  int32_t Validate(const KDXValue& value, std::u16string& message) override;

 private:
  bool FormatOne(const void* variable, std::u16string& text) const;
  bool ParseOne(void* variable, const std::u16string& text, bool ownVariables) const;
  bool OutOfRange(const std::u16string& text) const;
};

// Decimal text to a number as the bindings read it: leading white space, a sign and digits up to the first
// other character; no digits give 0, overflow saturates at the limits.
int32_t KDXTextToInt32(std::u16string_view text);
int64_t KDXTextToInt64(std::u16string_view text);

// File times (100-nanosecond units since 1601) as the bindings show them: "2024-03-01" (mode 0),
// "13:45:00" (mode 1) or both separated by a blank (mode 2); 0 is the empty text.
std::u16string KDXFileTimeText(uint64_t fileTime, int32_t mode);
// Reads such a text back; the part the mode does not show comes from `previous`. False for a bad text.
bool KDXParseFileTime(std::u16string_view text, int32_t mode, uint64_t previous, uint64_t& fileTime);
// A file time as the calendar date and time of day a date/time picker holds, and back.
KSystemTime KDXSystemTimeFromFileTime(uint64_t fileTime);
uint64_t KDXFileTimeFromSystemTime(const KSystemTime& time);
