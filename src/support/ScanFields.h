// ScanFields: reads comma-separated fields (such as "40,30,500,302,rxy") into typed targets, one
// scanf-style conversion per field.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>
#include <variant>

// A text target: the buffer and its capacity in characters (terminator included).
struct KScanText {
  char16_t* buffer;
  size_t capacity;

  KScanText(char16_t* buf, size_t cap) : buffer(buf), capacity(cap) {}
  template <size_t N>
  KScanText(char16_t (&buf)[N]) : buffer(buf), capacity(N) {}
};

using KScanTarget = std::variant<int*, unsigned*, long*, double*, KScanText>;

// Cuts text (at most 256 characters) into fields at commas outside double quotes, trims each and strips
// the quotes around a field of 3 or more characters. Then each conversion of format (at most 256
// characters) takes one field: "%*..." skips it; any other takes the next target. "s" copies the field
// (with a width w at most w - 1 characters, and never more than the target holds); d i u x X o scan an
// integer, e E f F g G a A a floating-point number. Width (for "s" only), F or N and h or l are passed
// over: the target's type decides what is stored. A conversion of another kind than its target (a text
// into a number, a number into a text, a floating-point number into an integer) leaves the target as it
// was, as does a failed scan; every conversion that takes a target counts all the same. Stops at the last
// field, conversion or target; returns the count.
int ScanFields(std::u16string_view text, std::u16string_view format, std::span<const KScanTarget> targets);

template <class... T>
int ScanFields(std::u16string_view text, std::u16string_view format, T&&... targets) {
  const KScanTarget list[] = {KScanTarget(std::forward<T>(targets))...,
                              KScanTarget(static_cast<int*>(nullptr))};
  return ScanFields(text, format, std::span<const KScanTarget>(list, sizeof...(T)));
}
