// Private profile files as the headless platform keeps them: real ini files on disk in UTF-8, read and
// written a key at a time like GetPrivateProfileString / WritePrivateProfileString.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace KIniFile {

// The value of key in section (names compared case-insensitively for ASCII, as Win32 does), trimmed
// and without one pair of enclosing quotes; nothing when the file, section or key is missing.
std::optional<std::u16string> Read(std::u16string_view path, std::u16string_view section,
                                   std::u16string_view key);
// Replaces or adds the key, adding the section at the end when needed; other lines stay as they were.
bool Write(std::u16string_view path, std::u16string_view section, std::u16string_view key,
           std::u16string_view value);

}  // namespace KIniFile
