// Streams the translation units of an XLIFF 1.2 or 2.x file without holding the document in memory.
#pragma once

#include <string>
#include <string_view>

#include "HUnit.h"

class HXliffReader {
 public:
  // Calls the sink for every unit (XLIFF 1.2 segment), marked untranslated when its target is missing,
  // blank or in a state that says so; throws HError for a file that is not well-formed.
  static void Read(const std::string& path, const HUnitSink& sink);
  // The same of a file's bytes in memory; name stands for the file in messages.
  static void Read(const std::string& name, std::string_view text, const HUnitSink& sink);
};
