// Dispatch of localisation files to the XLIFF and PO readers.
#include "HUnitReader.h"

#include <algorithm>
#include <filesystem>

#include "HError.h"
#include "HPoReader.h"
#include "HXliffReader.h"

namespace {

enum class KKind { Unsupported, Po, Xliff };

KKind KindOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".po") return KKind::Po;
  return extension == ".xlf" || extension == ".xliff" ? KKind::Xliff : KKind::Unsupported;
}

// The reader that the name's extension asks for, given the file's path or its name and bytes.
template <class... Input>
void Dispatch(const std::string& name, const HUnitSink& sink, const Input&... input) {
  switch (KindOf(name)) {
    case KKind::Po:
      return HPoReader::Read(input..., sink);
    case KKind::Xliff:
      return HXliffReader::Read(input..., sink);
    case KKind::Unsupported:
      break;
  }
  throw HError(name + ": unsupported file type (expected .xlf, .xliff or .po)");
}

}  // namespace

bool HUnitReader::IsSupported(const std::string& path) {
  return KindOf(path) != KKind::Unsupported;
}

void HUnitReader::Read(const std::string& path, const HUnitSink& sink) {
  Dispatch(path, sink, path);
}

void HUnitReader::Read(const std::string& name, std::string_view text, const HUnitSink& sink) {
  Dispatch(name, sink, name, text);
}
