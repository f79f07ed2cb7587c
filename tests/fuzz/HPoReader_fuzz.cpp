// Fuzzes the host's PO reader against libgettextpo: for every UTF-8 catalog that libgettextpo reads without
// an error, both give the same units (id, source, translation) in the same order; any input either rejects
// ends in an error, never a crash.
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "HError.h"
#include "HPoReader.h"
#include "common/GettextReference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // Other charsets are converted by our reader only (and an unknown one is an error); libgettextpo hands
  // their bytes on as they are. Only catalogs whose every "charset=" names UTF-8 are compared.
  for (size_t at = bytes.find("charset="); at != std::string::npos; at = bytes.find("charset=", at + 1))
    if (bytes.compare(at + 8, 7, "UTF-8\\n") != 0) return 0;
  const fuzz::KScratchFolder& scratch = fuzz::Scratch();
  scratch.Write("in.po", data, size);
  const std::string path = (scratch.Path() / "in.po").string();
  std::vector<std::string> ours;
  bool oursRead = true;
  try {
    HPoReader::Read(path, [&](const HUnit& u) {
      if (const std::string line = gettext_reference::UnitLine(u); !line.empty()) ours.push_back(line);
    });
  } catch (const HError&) {
    oursRead = false;
  }
  std::vector<std::string> theirs;
  if (!gettext_reference::GettextUnits(path, theirs)) return 0;
  fuzz::Require(oursRead);
  fuzz::Require(ours == theirs);
  return 0;
}
