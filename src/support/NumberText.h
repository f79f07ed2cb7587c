// Number text: the user's decimal separator, doubles formatted and parsed with it, and the C-locale
// number scanners that ParseDouble and ScanFields share.
#pragma once

#include <cstdint>
#include <string_view>

// The user's decimal separator, read once per process: on Windows the first character of "sDecimal" in
// the "intl" section of the user profile, elsewhere the radix character of the environment's LC_NUMERIC
// locale; "." when that is empty or unreadable.
char16_t DecimalSeparator();
// Replaces the cached separator; 0 makes the next DecimalSeparator read it again.
void SetDecimalSeparatorForTesting(char16_t separator);

// Formats value with a printf format (e.g. u"%.2f") and puts the decimal separator in place of the first
// ".". A null buffer means the next rotating buffer; a capacity of -1 means unbounded, 0 returns the buffer
// untouched.
char16_t* FormatDouble(char16_t* buffer, int capacity, std::u16string_view format, double value);

// Reads a number from at most 31 characters, the first decimal separator read as "."; 0.0 unless exactly
// one number is found at the start.
double ParseDouble(std::u16string_view text);

// Scan one number at the start of text as "%lf" does in the "C" locale (leading white space, a sign,
// decimal or "0x" hexadecimal digits with point and exponent, inf, nan); the rest of the text is ignored.
// Beyond the range of double it gives infinity (or zero below the range). False when no number starts there.
bool ScanDouble(std::u16string_view text, double& value);
// The same for an integer in base 8, 10 or 16 ("0x" allowed), or 0 for the C prefix rules (0x hex, 0
// octal). A leading "-" negates the value as strtoul does. False when no number starts there or it does
// not fit in 64 bits.
bool ScanInteger(std::u16string_view text, int base, int64_t& value);
