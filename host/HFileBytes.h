// A whole small file as bytes: the baselines, rule samples and translation files the host reads in one go.
#pragma once

#include <string>

class HFileBytes {
 public:
  // Throws HError "PATH: cannot read the WHAT" when the file cannot be opened or read.
  static std::string Read(const std::string& path, const std::string& what);
};
