// Reads the translated entries of a gettext PO file with the host's own reader: one entry in memory at a
// time, so a catalog of any size is read in constant memory.
#pragma once

#include <string>
#include <string_view>

#include "HUnit.h"

class HPoReader {
 public:
  // Calls the sink for every form of every entry but the header and obsolete ones, fuzzy entries and empty
  // forms marked untranslated, the texts converted to UTF-8 from the charset that the header declares.
  // Throws HError for a file that cannot be read, does not parse (naming the line) or declares a charset
  // that iconv does not know.
  static void Read(const std::string& path, const HUnitSink& sink);
  // The same of a file's bytes in memory; name stands for the file in messages.
  static void Read(const std::string& name, std::string_view text, const HUnitSink& sink);
};
