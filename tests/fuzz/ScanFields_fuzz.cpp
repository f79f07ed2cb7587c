// Fuzzes ScanFields with any text, once with the placement store's format and once with any format, into
// targets that sit in blocks of their exact size, so that a write behind one is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <memory>
#include <span>
#include <string>

#include "FuzzFile.h"
#include "support/ScanFields.h"

namespace {

std::u16string TakeText(FuzzedDataProvider& input, size_t maxUnits) {
  const std::string bytes = input.ConsumeRandomLengthString(maxUnits);
  // Mostly ASCII, so that numbers, commas and quotes come often; a high byte widens to a non-ASCII unit.
  std::u16string text;
  for (unsigned char c : bytes) text.push_back(c < 0x80 ? c : static_cast<char16_t>(c << 4));
  return text;
}

// A text target of exactly its capacity must hold a terminated text.
bool Terminated(const char16_t* buffer, size_t capacity) {
  return std::char_traits<char16_t>::find(buffer, capacity, u'\0') != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t capacity = input.ConsumeIntegralInRange<size_t>(1, 16);
  const std::u16string format = TakeText(input, 64);
  const std::u16string text = TakeText(input, 400);

  int left = 0, top = 0, width = 0, height = 0;
  const auto markers = std::make_unique<char16_t[]>(7);
  markers[0] = 0;
  const int placement =
      ScanFields(text, u"%d,%d,%d,%d,%7s", &left, &top, &width, &height, KScanText(markers.get(), 7));
  fuzz::Require(placement >= 1 && placement <= 5 && Terminated(markers.get(), 7));

  const auto signedTarget = std::make_unique<int>(0);
  const auto unsignedTarget = std::make_unique<unsigned>(0);
  const auto longTarget = std::make_unique<long>(0);
  const auto doubleTarget = std::make_unique<double>(0.0);
  const auto textTarget = std::make_unique<char16_t[]>(capacity);
  textTarget[0] = 0;
  const KScanTarget targets[] = {signedTarget.get(),   KScanText(textTarget.get(), capacity),
                                 unsignedTarget.get(), longTarget.get(),
                                 doubleTarget.get(),   KScanText(textTarget.get(), capacity)};
  const int count = ScanFields(text, format, std::span<const KScanTarget>(targets));
  fuzz::Require(count >= 0 && count <= 6 && Terminated(textTarget.get(), capacity));
  return 0;
}
