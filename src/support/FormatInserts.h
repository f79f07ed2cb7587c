// Message formatting with numbered inserts %1 to %9: every message of the string table with an insert goes
// through FormatInserts.
#pragma once

#include <cstdint>
#include <string>

#include "support/KFormat.h"

// A message is a string-table identifier (below 65536) or a text.
class KMessage {
 public:
  KMessage(uint32_t id) : id_(id) {}
  KMessage(int id) : id_(static_cast<uint32_t>(id)) {}
  KMessage(const char16_t* text) : text_(text) {}
  bool IsId() const { return text_ == nullptr; }
  uint32_t Id() const { return id_; }
  const char16_t* Text() const { return text_; }

 private:
  uint32_t id_ = 0;
  const char16_t* text_ = nullptr;
};

// Formats the message into out (capacity in characters) and returns the length written; the inserts are
// the arguments formatted by insertFormat (e.g. u"%d%d", u"%s", u"%lu"), one conversion each.
int FormatInserts(char16_t* out, int capacity, KMessage message, const char16_t* insertFormat,
                  KFormatArgs args);

// The same into a growing string: 512 characters first, then 1024, 2048, ... while below 32000.
void FormatInsertsString(std::u16string& out, KMessage message, const char16_t* insertFormat,
                         KFormatArgs args);

template <class... A>
int FormatInserts(char16_t* out, int capacity, KMessage message, const char16_t* insertFormat,
                  const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  return FormatInserts(out, capacity, message, insertFormat, KFormatArgs(list, sizeof...(A)));
}

template <class... A>
void FormatInsertsString(std::u16string& out, KMessage message, const char16_t* insertFormat,
                         const A&... args) {
  const KFormatArg list[] = {KFormatArg(args)..., KFormatArg(0)};
  FormatInsertsString(out, message, insertFormat, KFormatArgs(list, sizeof...(A)));
}
