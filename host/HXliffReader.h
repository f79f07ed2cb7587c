// Streams the translation units of an XLIFF 1.2 or 2.x file without holding the document in memory.
#pragma once

#include <string>

#include "HUnit.h"

class HXliffReader {
 public:
  // Calls the sink for every unit with a non-empty target; throws HError for a file that is not well-formed.
  static void Read(const std::string& path, const HUnitSink& sink);
};
