// Copying UTF-8 texts into the host's fixed UTF-16 buffers.
#include "HUtf.h"

#include <string>

#include "support/KUtf8.h"

int32_t CopyToBuffer(std::string_view text, char16_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return 1;
  const std::u16string wide = Utf8ToUtf16(text);
  if (wide.size() >= static_cast<size_t>(capacity)) {
    buffer[0] = 0;
    return 1;
  }
  wide.copy(buffer, wide.size());
  buffer[wide.size()] = 0;
  return 0;
}
