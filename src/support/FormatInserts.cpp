// FormatInserts: messages with numbered inserts %1 to %9, into a bounded buffer or a growing string.
#include "support/FormatInserts.h"

#include <algorithm>

#include "support/KResourceSource.h"

namespace {

// Separates the formatted inserts from each other.
constexpr char16_t kSeparator = u'\x01';
constexpr size_t kInsertFormatLength = 60;
constexpr size_t kInsertBufferSize = 1024;

std::u16string MessageText(const KMessage& message) {
  std::u16string text;
  if (!message.IsId()) return message.Text();
  if (!ResourceSource().GetString(message.Id(), text)) text.clear();
  return text;
}

// "%d%s" becomes "\1%d\1%s\1", so that the formatted result holds each insert between two separators.
std::u16string SeparatedFormat(const char16_t* insertFormat) {
  std::u16string format;
  for (const char16_t* c = insertFormat; c && *c; ++c) {
    if (*c == u'%') format.push_back(kSeparator);
    format.push_back(*c);
  }
  format.push_back(kSeparator);
  format.resize(std::min(format.size(), kInsertFormatLength));
  return format;
}

// Insert number n (from 1): the text behind the n-th separator up to the next one, or up to the end when
// the insert buffer cut off the closing separator.
std::u16string_view Insert(std::u16string_view inserts, int n) {
  size_t start = 0;
  for (int i = 0; i < n; ++i) {
    start = inserts.find(kSeparator, start);
    if (start == std::u16string_view::npos) return {};
    ++start;
  }
  return inserts.substr(start, inserts.find(kSeparator, start) - start);
}

}  // namespace

int FormatInserts(char16_t* out, int capacity, KMessage message, const char16_t* insertFormat,
                  KFormatArgs args) {
  if (capacity < 1) return 0;
  const std::u16string text = MessageText(message);
  char16_t inserts[kInsertBufferSize];
  KFormatTo(inserts, kInsertBufferSize, SeparatedFormat(insertFormat), args);
  const std::u16string_view insertText(inserts);

  // One place is always kept for the terminator.
  const size_t limit = static_cast<size_t>(capacity) - 1;
  size_t length = 0;
  for (size_t i = 0; i < text.size() && length < limit; ++i) {
    const bool isInsert =
        text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9';
    if (isInsert) {
      const std::u16string_view insert = Insert(insertText, text[++i] - u'0');
      const size_t count = std::min(insert.size(), limit - length);
      std::copy_n(insert.data(), count, out + length);
      length += count;
      continue;
    }
    // "%x" writes x; a "%" at the very end stays as it is.
    if (text[i] == u'%' && i + 1 < text.size()) ++i;
    out[length++] = text[i];
  }
  out[length] = 0;
  return static_cast<int>(length);
}

void FormatInsertsString(std::u16string& out, KMessage message, const char16_t* insertFormat,
                         KFormatArgs args) {
  // A result of capacity - 1 characters may have been cut, so it only counts when shorter than that.
  std::u16string buffer;
  for (int capacity = 512; capacity < 32000; capacity = capacity == 512 ? 1024 : capacity + 1024) {
    buffer.resize(static_cast<size_t>(capacity));
    const int length = FormatInserts(buffer.data(), capacity, message, insertFormat, args);
    if (length < capacity - 1) {
      out.assign(buffer.data(), static_cast<size_t>(length));
      return;
    }
  }
  out.clear();
}
