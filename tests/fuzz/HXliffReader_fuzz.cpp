// Fuzzes the host's XLIFF reader: any bytes end in units or an error naming the file, never a crash, and
// every unit has an id and a line of the file.
#include <string>

#include "FuzzFile.h"
#include "HError.h"
#include "HXliffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzz::KScratchFolder& scratch = fuzz::Scratch();
  scratch.Write("in.xlf", data, size);
  const std::string path = (scratch.Path() / "in.xlf").string();
  int lines = 1;
  for (size_t i = 0; i < size; ++i) lines += data[i] == '\n';
  try {
    HXliffReader::Read(path, [&](const HUnit& unit) { fuzz::Require(unit.line >= 1 && unit.line <= lines); });
  } catch (const HError& error) {
    fuzz::Require(std::string(error.what()).starts_with(path + ":"));
  }
  return 0;
}
