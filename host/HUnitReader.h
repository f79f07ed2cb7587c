// Chooses the reader for a localisation file by its extension.
#pragma once

#include <string>
#include <string_view>

#include "HUnit.h"

class HUnitReader {
 public:
  // .xlf, .xliff and .po, in any letter case.
  static bool IsSupported(const std::string& path);
  // Throws HError for an unsupported file or one that cannot be read.
  static void Read(const std::string& path, const HUnitSink& sink);
  // The same of a file's bytes in memory (an editor's document): name gives the kind and names the file in
  // messages.
  static void Read(const std::string& name, std::string_view text, const HUnitSink& sink);
};
