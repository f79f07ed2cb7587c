// A baseline: the violations a project had when it adopted the checker, so that later runs report only new
// ones. Violations are told apart by file, unit, rule and message, not by line, so edits elsewhere in a file
// keep them recognised.
#pragma once

#include <compare>
#include <map>
#include <ostream>
#include <string>

#include "HRunResult.h"

class HBaseline {
 public:
  // The violations of a run.
  static HBaseline Of(const HRunResult& result);
  // Throws HError naming the file and what is wrong with it.
  static HBaseline Load(const std::string& path);
  void Save(const std::string& path) const;
  // One entry per line in a stable order, so that a reviewer reads a baseline's change as a diff. Files
  // are named relative to the folder that holds the baseline, so that it works from any checkout.
  void Write(std::ostream& out, const std::string& folder) const;
  // Moves the violations that the baseline holds out of the files' violations into result.baseline.
  void Apply(HRunResult& result) const;

 private:
  struct Key {
    std::string file;  // absolute, normalised
    std::string unit;
    std::string rule;
    std::string message;
    auto operator<=>(const Key&) const = default;
  };
  void Parse(const std::string& text, const std::string& folder);

  std::map<Key, long> m_counts;  // a unit may break a rule the same way more than once
};
