// The module's registration exports: load table, description record, custom check option and the stubs.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "addin/CTheApp.h"
#include "addin/ExportGuard.h"
#include "addin/HostInterfaces.h"
#include "addin/ZakExport.h"
#include "framework/KPlacement.h"
#include "resource.h"
#include "rules/HostContext.h"
#include "support/KLibraryResources.h"
#include "support/KResourceSource.h"
#include "support/OleTypes.h"

namespace {

// The description record the host hands to ZAKFN_Initialize: offsets in bytes, field sizes in UTF-16 units.
constexpr size_t kDescriptionVersionOffset = 8;
constexpr size_t kDescriptionFlagsOffset = 12;
constexpr size_t kNameOffset = 16;
constexpr size_t kNameUnits = 80;
constexpr size_t kDescriptionOffset = 176;
constexpr size_t kDescriptionUnits = 256;
constexpr size_t kIdentifierOffset = 688;
constexpr size_t kIdentifierUnits = 80;

// The identifier by which the host knows the module; never translated.
constexpr std::u16string_view kIdentifier = u"VrtInlinePatterns";

// The host's buffer for the resource library's path, terminator included.
constexpr int32_t kPathCapacity = 260;

void PutWord(unsigned char* record, size_t offset, uint32_t value) {
  std::memcpy(record + offset, &value, sizeof value);
}

// A text longer than its field is cut so that the field always ends with its terminator.
void PutText(unsigned char* record, size_t offset, size_t units, std::u16string_view text) {
  const size_t length = std::min(text.size(), units - 1);
  std::memcpy(record + offset, text.data(), length * sizeof(char16_t));
  const char16_t terminator = 0;
  std::memcpy(record + offset + length * sizeof(char16_t), &terminator, sizeof terminator);
}

// A library that the host names and that loads serves every later resource; otherwise the module's own do.
void UseHostResourceLibrary(IAddInHost* host) {
  if (host == nullptr) return;
  char16_t path[kPathCapacity] = {};
  if (host->GetResourceLibrary(0, TheApp().ModuleInstance(), path, kPathCapacity) != 0) return;
  path[kPathCapacity - 1] = 0;
  if (auto library = LoadResourceLibrary(path)) SetResourceSource(std::move(library));
}

void FillDescription(unsigned char* record) {
  PutText(record, kNameOffset, kNameUnits, ResourceString(IDS_ADDIN_NAME));
  PutText(record, kIdentifierOffset, kIdentifierUnits, kIdentifier);
  PutText(record, kDescriptionOffset, kDescriptionUnits, ResourceString(IDS_ADDIN_DESCRIPTION));
}

BSTR AllocString(const std::u16string& text) {
#ifdef _WIN32
  return SysAllocString(reinterpret_cast<const OLECHAR*>(text.c_str()));
#else
  return SysAllocString(text.c_str());
#endif
}

}  // namespace

ZAK_EXPORT int32_t ZAKFN_LoadAddIn(uint32_t* table13) {
  if (table13 == nullptr) return 0;
  table13[0] = 112;
  for (int i = 1; i <= 9; ++i) table13[i] = 110;
  for (int i = 10; i <= 12; ++i) table13[i] = 0;
  return 0;
}

ZAK_EXPORT int32_t ZAKFN_Initialize(void* description848, IAddInHost* host, IAddInSite* site) {
  return GuardExport(0, [&] {
    auto* record = static_cast<unsigned char*>(description848);
    if (record != nullptr) {
      PutWord(record, kDescriptionVersionOffset, 128);
      PutWord(record, kDescriptionFlagsOffset, 1);
    }
    SetHostContext(host, site);
    // Dialogs remember their placement in "pos.ini" beside the global rules, in the add-in's data folder.
    // The folder is asked for before the resource library, one host call early, so that a host whose
    // resource request fails still leaves the placement store its folder.
    SetPlacementFolder(AddInDataFolder());
    SetPlacementApplicationName(TheApp().ModuleName());
    UseHostResourceLibrary(host);
    if (record != nullptr) FillDescription(record);
    return 0;
  });
}

ZAK_EXPORT int32_t ZAKFN_GetCustomCheckOption(int32_t option, BSTR* out) {
  return GuardExport(0, [&] {
    if (option == CUSTOM_CHECK_REGEX && out != nullptr)
      *out = AllocString(ResourceString(IDS_CUSTOM_CHECK));
    return 0;
  });
}

// The host asks for tools and error texts; the module has none. The three names share this one body.
ZAK_EXPORT int32_t ZAKFN_ExecuteTool() {
  return 0;
}
ZAK_EXPORT int32_t ZAKFN_GetErrorText() noexcept __attribute__((alias("ZAKFN_ExecuteTool")));
ZAK_EXPORT int32_t ZAKFN_GetToolInfo() noexcept __attribute__((alias("ZAKFN_ExecuteTool")));
