// Reading and writing keys of ini files for the headless platform.
#include "platform/headless/KIniFile.h"

#include <cstddef>
#include <fstream>
#include <vector>

#include "support/KUtf8.h"

namespace {

std::u16string_view Trim(std::u16string_view text) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<std::u16string> ReadLines(std::u16string_view path, bool& exists) {
  std::ifstream in(Utf16ToUtf8(path), std::ios::binary);
  exists = static_cast<bool>(in);
  std::vector<std::u16string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(Utf8ToUtf16(line));
  return lines;
}

// The section a line opens, or nothing when it is not a section header.
std::optional<std::u16string_view> SectionOf(std::u16string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != u'[' || line.back() != u']') return std::nullopt;
  return Trim(line.substr(1, line.size() - 2));
}

// The key of a "key=value" line and where its value starts.
bool KeyOf(std::u16string_view line, std::u16string_view& key, std::u16string_view& value) {
  const size_t equals = line.find(u'=');
  if (equals == std::u16string_view::npos) return false;
  key = Trim(line.substr(0, equals));
  value = Trim(line.substr(equals + 1));
  return true;
}

// Index of the line holding the key in the section, or of the section's end (insertion point); -1 for a
// missing section. `found` tells which.
ptrdiff_t Locate(const std::vector<std::u16string>& lines, std::u16string_view section,
                 std::u16string_view key, bool& found) {
  found = false;
  ptrdiff_t end = -1;
  bool inside = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (const auto name = SectionOf(lines[i])) {
      if (inside) return end;
      inside = SameName(*name, section);
      if (inside) end = static_cast<ptrdiff_t>(i) + 1;
      continue;
    }
    if (!inside) continue;
    std::u16string_view name, value;
    if (KeyOf(lines[i], name, value) && SameName(name, key)) {
      found = true;
      return static_cast<ptrdiff_t>(i);
    }
    if (!Trim(lines[i]).empty()) end = static_cast<ptrdiff_t>(i) + 1;
  }
  return end;
}

}  // namespace

std::optional<std::u16string> KIniFile::Read(std::u16string_view path, std::u16string_view section,
                                             std::u16string_view key) {
  bool exists = false;
  const std::vector<std::u16string> lines = ReadLines(path, exists);
  bool found = false;
  const ptrdiff_t at = Locate(lines, section, key, found);
  if (!found) return std::nullopt;
  std::u16string_view name, value;
  KeyOf(lines[at], name, value);
  if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"') value = value.substr(1, value.size() - 2);
  return std::u16string(value);
}

bool KIniFile::Write(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) {
  bool exists = false;
  std::vector<std::u16string> lines = ReadLines(path, exists);
  bool found = false;
  const ptrdiff_t at = Locate(lines, section, key, found);
  std::u16string entry = std::u16string(key) + u"=" + std::u16string(value);
  if (found) {
    // Only the value changes; the key keeps the spelling the file gave it.
    std::u16string_view name, old;
    KeyOf(lines[at], name, old);
    lines[at] = std::u16string(name) + u"=" + std::u16string(value);
  } else if (at >= 0) {
    lines.insert(lines.begin() + at, std::move(entry));
  } else {
    lines.push_back(u"[" + std::u16string(section) + u"]");
    lines.push_back(std::move(entry));
  }
  std::ofstream out(Utf16ToUtf8(path), std::ios::binary | std::ios::trunc);
  for (const std::u16string& line : lines) out << Utf16ToUtf8(line) << '\n';
  return static_cast<bool>(out.flush());
}
