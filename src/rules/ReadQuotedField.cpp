// The legacy rule format quotes its fields and doubles a quote inside one.
#include "rules/ReadQuotedField.h"

#include <utility>

bool ReadQuotedField(std::u16string_view line, size_t& cursor, std::u16string& field) {
  const size_t open = line.find(u'"', cursor);
  if (open == std::u16string_view::npos) {
    cursor = line.size();
    return false;
  }
  std::u16string text;
  size_t i = open + 1;
  for (; i < line.size(); ++i) {
    if (line[i] != u'"') {
      text += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == u'"') {
      text += u'"';
      ++i;
    } else {
      break;
    }
  }
  cursor = i < line.size() ? i + 1 : line.size();
  field = std::move(text);
  return true;
}
