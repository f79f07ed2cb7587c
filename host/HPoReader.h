// Reads the translated entries of a gettext PO file with the host's own reader: one entry in memory at a
// time, so a catalog of any size is read in constant memory.
#pragma once

#include <string>

#include "HUnit.h"

class HPoReader {
 public:
  // Calls the sink for every translated form of every entry that is neither the header, fuzzy nor
  // obsolete, its texts converted to UTF-8 from the charset that the header declares. Throws HError for a
  // file that cannot be read, does not parse (naming the line) or declares a charset iconv does not know.
  static void Read(const std::string& path, const HUnitSink& sink);
};
