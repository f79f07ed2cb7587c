// Fuzzes ScanFields with any text, once with the placement store's format and once with any format, into
// targets that sit in blocks of their exact size, so that a write behind one is caught.
#include <fuzzer/FuzzedDataProvider.h>

#include <memory>
#include <span>

#include "FuzzFile.h"
#include "support/ScanFields.h"

namespace {

// A text target of exactly its capacity must hold a terminated text.
bool Terminated(const std::unique_ptr<char16_t[]>& buffer, size_t capacity) {
  return std::char_traits<char16_t>::find(buffer.get(), capacity, u'\0') != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t capacity = input.ConsumeIntegralInRange<size_t>(1, 16);
  const std::u16string format = fuzz::Widen(input.ConsumeRandomLengthString(64));
  const std::u16string text = fuzz::Widen(input.ConsumeRandomLengthString(400));

  int left = 0, top = 0, width = 0, height = 0;
  const auto marker = std::make_unique<char16_t[]>(7);
  const int placement =
      ScanFields(text, u"%d,%d,%d,%d,%7s", &left, &top, &width, &height, KScanText(marker.get(), 7));
  fuzz::Require(placement >= 1 && placement <= 5 && Terminated(marker, 7));

  const auto signedTarget = std::make_unique<int>(0);
  const auto unsignedTarget = std::make_unique<unsigned>(0);
  const auto longTarget = std::make_unique<long>(0);
  const auto doubleTarget = std::make_unique<double>(0.0);
  const auto textTarget = std::make_unique<char16_t[]>(capacity);
  const KScanTarget targets[] = {signedTarget.get(),   KScanText(textTarget.get(), capacity),
                                 unsignedTarget.get(), longTarget.get(),
                                 doubleTarget.get(),   KScanText(textTarget.get(), capacity)};
  const int count = ScanFields(text, format, std::span<const KScanTarget>(targets));
  fuzz::Require(count >= 0 && count <= 6 && Terminated(textTarget, capacity));
  return 0;
}
