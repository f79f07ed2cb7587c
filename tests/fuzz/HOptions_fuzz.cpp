// Fuzzes the command line: arguments (the input split at NUL bytes) parse or end in an error for the user,
// never a crash, and what parses has something to do.
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "HError.h"
#include "HOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> arguments = fuzz::SplitAtNul(data, size);
  try {
    const HOptions options = HOptions::Parse(arguments);
    fuzz::Require(!options.paths.empty() || options.help || options.version);
  } catch (const HError& error) {
    fuzz::Require(error.what()[0] != '\0');
  }
  return 0;
}
