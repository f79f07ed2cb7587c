// Fuzzes FormatInserts with any message and any insert texts: the output stays inside its buffer, a small
// buffer gets the start of the whole result, and the growing form agrees with the bounded one.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>

#include "FuzzFile.h"
#include "support/FormatInserts.h"

namespace {

// Any UTF-16 units up to the first zero: the message and the inserts are zero-terminated texts.
std::u16string TakeText(FuzzedDataProvider& input, size_t maxUnits) {
  const std::string bytes = input.ConsumeRandomLengthString(maxUnits * 2);
  std::u16string text(bytes.size() / 2, u'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * 2);
  return text.substr(0, text.find(u'\0'));
}

// Formats into a heap block of exactly the capacity, not cleared (40000 units a call would slow the fuzzer),
// so that a write behind it is caught.
std::u16string Format(int capacity, KMessage message, const char16_t* insertFormat, KFormatArgs args) {
  const auto buffer = std::unique_ptr<char16_t[]>(new char16_t[static_cast<size_t>(capacity)]);
  const int length = FormatInserts(buffer.get(), capacity, message, insertFormat, args);
  fuzz::Require(length >= 0 && length < capacity && buffer[static_cast<size_t>(length)] == 0);
  return std::u16string(buffer.get(), static_cast<size_t>(length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  // The insert formats the module uses, and some that take more or fewer inserts than a message names.
  static const char16_t* const kInsertFormats[] = {u"%d%d", u"%s",     u"%lu",
                                                   u"",     u"%s%s%s", u"%d%s%d%s%d%s%d%s%d%s"};
  const char16_t* insertFormat = kInsertFormats[input.ConsumeIntegralInRange<size_t>(0, 5)];
  const bool byId = input.ConsumeBool();
  const auto id = uint32_t{input.ConsumeIntegral<uint16_t>()};
  const int capacity = input.ConsumeIntegralInRange(1, 2048);
  const int number = input.ConsumeIntegral<int>();
  const std::u16string first = TakeText(input, 1200), second = TakeText(input, 600);
  const std::u16string message = TakeText(input, 4096);
  const KFormatArg args[] = {number, first, number, second, number, first, number, second, number, first};
  const KMessage text = byId ? KMessage(id) : KMessage(message.c_str());

  // Big enough to tell the results that the growing form gives up on (31743 characters and more).
  const std::u16string whole = Format(40000, text, insertFormat, args);
  fuzz::Require(Format(capacity, text, insertFormat, args) ==
                whole.substr(0, static_cast<size_t>(capacity) - 1));
  std::u16string grown;
  FormatInsertsString(grown, text, insertFormat, KFormatArgs(args));
  fuzz::Require(grown == (whole.size() < 31743 ? whole : std::u16string()));
  return 0;
}
