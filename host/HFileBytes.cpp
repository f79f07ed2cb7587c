// HFileBytes: the file through its stream buffer, which the optimised build reads without a warning.
#include "HFileBytes.h"

#include <fstream>
#include <sstream>

#include "HError.h"

std::string HFileBytes::Read(const std::string& path, const std::string& what) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  if (file) bytes << file.rdbuf();
  if (!file) throw HError(path + ": cannot read the " + what);
  return bytes.str();
}
