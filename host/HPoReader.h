// Reads the entries of a gettext PO file with libgettextpo.
#pragma once

#include <string>
#include <vector>

#include "HUnit.h"

class HPoReader {
 public:
  // Calls the sink for every form of every entry but the header and obsolete ones, fuzzy and empty forms
  // marked untranslated; throws HError for a file that cannot be read or parsed.
  static void Read(const std::string& path, const HUnitSink& sink);

  // The line where each entry starts (its msgctxt or msgid line), in file order, obsolete entries included:
  // libgettextpo keeps no line of its own for an entry, but lists entries in this same order.
  static std::vector<long> EntryLines(const std::string& path);
};
