// ScanFields: comma-separated fields with quoting, each read by one scanf-style conversion into a typed
// target.
#include "support/ScanFields.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "support/NumberText.h"
#include "support/StringHelpers.h"

namespace {

constexpr size_t kMaxLength = 256;

struct Conversion {
  bool skip = false;
  size_t width = 0;  // 0: unlimited
  char16_t type = 0;
};

std::u16string_view Trimmed(std::u16string_view field) {
  while (!field.empty() && IsWhiteSpace(field.front())) field.remove_prefix(1);
  while (!field.empty() && IsWhiteSpace(field.back())) field.remove_suffix(1);
  if (field.size() >= 3 && field.front() == u'"' && field.back() == u'"')
    field = field.substr(1, field.size() - 2);
  return field;
}

// A comma between double quotes belongs to its field.
std::vector<std::u16string_view> SplitFields(std::u16string_view text) {
  std::vector<std::u16string_view> fields;
  bool quoted = false;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'"') quoted = !quoted;
    if (text[i] != u',' || quoted) continue;
    fields.push_back(Trimmed(text.substr(start, i - start)));
    start = i + 1;
  }
  fields.push_back(Trimmed(text.substr(start)));
  return fields;
}

// Reads the next conversion behind pos; false when the format has none left. "%%" is no conversion.
bool NextConversion(std::u16string_view format, size_t& pos, Conversion& conversion) {
  for (;;) {
    pos = format.find(u'%', pos);
    if (pos == std::u16string_view::npos || ++pos >= format.size()) return false;
    if (format[pos] != u'%') break;
    ++pos;
  }
  conversion = Conversion();
  if (format[pos] == u'*') {
    conversion.skip = true;
    ++pos;
  }
  for (; pos < format.size() && format[pos] >= u'0' && format[pos] <= u'9'; ++pos)
    conversion.width = std::min<size_t>(conversion.width * 10 + (format[pos] - u'0'), kMaxLength);
  if (pos < format.size() && (format[pos] == u'F' || format[pos] == u'N')) ++pos;
  if (pos < format.size() && (format[pos] == u'h' || format[pos] == u'l')) ++pos;
  if (pos >= format.size()) return false;
  conversion.type = format[pos++];
  return true;
}

void CopyText(std::u16string_view field, size_t width, const KScanTarget& target) {
  const KScanText* text = std::get_if<KScanText>(&target);
  if (!text || !text->buffer || text->capacity == 0) return;
  size_t count = std::min(field.size(), text->capacity - 1);
  if (width > 0) count = std::min(count, width - 1);
  std::copy_n(field.data(), count, text->buffer);
  text->buffer[count] = 0;
}

// Integers go into any numeric target, floating-point numbers into double targets only.
template <class V>
void Store(const KScanTarget& target, V value) {
  std::visit(
      [value](auto pointer) {
        using P = decltype(pointer);
        if constexpr (std::is_pointer_v<P>) {
          using Target = std::remove_pointer_t<P>;
          if (pointer && (std::is_integral_v<V> || std::is_floating_point_v<Target>))
            *pointer = static_cast<Target>(value);
        }
      },
      target);
}

int IntegerBase(char16_t type) {
  switch (type) {
    case u'd':
    case u'u':
      return 10;
    case u'i':
      return 0;
    case u'x':
    case u'X':
      return 16;
    case u'o':
      return 8;
    default:
      return -1;
  }
}

bool IsFloatingType(char16_t type) {
  return std::u16string_view(u"eEfFgGaA").find(type) != std::u16string_view::npos;
}

void Convert(const Conversion& conversion, std::u16string_view field, const KScanTarget& target) {
  if (conversion.type == u's') {
    CopyText(field, conversion.width, target);
    return;
  }
  const int base = IntegerBase(conversion.type);
  int64_t integer = 0;
  double number = 0.0;
  if (base >= 0 && ScanInteger(field, base, integer)) Store(target, integer);
  if (IsFloatingType(conversion.type) && ScanDouble(field, number)) Store(target, number);
}

}  // namespace

int ScanFields(std::u16string_view text, std::u16string_view format, std::span<const KScanTarget> targets) {
  const std::vector<std::u16string_view> fields = SplitFields(text.substr(0, kMaxLength));
  format = format.substr(0, kMaxLength);
  size_t pos = 0;
  size_t field = 0;
  size_t target = 0;
  int count = 0;
  Conversion conversion;
  while (field < fields.size() && NextConversion(format, pos, conversion)) {
    if (conversion.skip) {
      ++field;
      continue;
    }
    if (target >= targets.size()) break;
    Convert(conversion, fields[field++], targets[target++]);
    ++count;
  }
  return count;
}
