// Dispatch of localisation files to the XLIFF and PO readers.
#include "HUnitReader.h"

#include <algorithm>
#include <filesystem>

#include "HError.h"
#include "HPoReader.h"
#include "HXliffReader.h"

namespace {

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

HError Unsupported(const std::string& name) {
  return HError(name + ": unsupported file type (expected .xlf, .xliff or .po)");
}

}  // namespace

bool HUnitReader::IsSupported(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == ".xlf" || extension == ".xliff" || extension == ".po";
}

void HUnitReader::Read(const std::string& path, const HUnitSink& sink) {
  const std::string extension = LowerExtension(path);
  if (extension == ".po") return HPoReader::Read(path, sink);
  if (extension == ".xlf" || extension == ".xliff") return HXliffReader::Read(path, sink);
  throw Unsupported(path);
}

void HUnitReader::Read(const std::string& name, std::string_view text, const HUnitSink& sink) {
  const std::string extension = LowerExtension(name);
  if (extension == ".po") return HPoReader::Read(name, text, sink);
  if (extension == ".xlf" || extension == ".xliff") return HXliffReader::Read(name, text, sink);
  throw Unsupported(name);
}
