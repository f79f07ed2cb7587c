// One translation unit as the readers hand it to the check run: UTF-8 texts, with and without inline tags.
#pragma once

#include <functional>
#include <string>
#include <vector>

// A reviewed exception written in the file beside the translation: an empty rule means every rule. One that
// starts as ours but is not spelt as documented is kept as malformed, so that it is reported, not ignored.
struct HSuppression {
  std::string rule;
  long line = 0;
  bool malformed = false;

  bool operator==(const HSuppression&) const = default;
};

struct HUnit {
  // Untranslated: no target, a blank one, or a state that says nobody has translated it yet.
  // NotTranslatable: marked translate="no" (itself or a group or file around it).
  enum class Status { Translated, Untranslated, NotTranslatable };

  std::string id;
  Status status = Status::Translated;
  long line = 0;  // the line where the unit starts in its file; 0 when unknown
  // Where the translation's text starts in the file (1-based); 0 when unknown.
  long targetLine = 0;
  long targetColumn = 0;
  // Where it ends: the position just after its last character (the closing quote or the end tag).
  long targetEndLine = 0;
  long targetEndColumn = 0;
  std::string sourcePlain;
  std::string sourceNative;
  std::string targetPlain;
  std::string targetNative;
  std::string language;  // the target language that the file declares; empty when it declares none
  std::vector<HSuppression> suppressions;
  // What of its texts the reader could not read (an entity it does not expand, bytes that are not UTF-8);
  // empty when it read them all.
  std::string unread;
};

// Receives each unit of a file that has a source text, in file order; the unit is only valid during the call.
using HUnitSink = std::function<void(const HUnit&)>;
