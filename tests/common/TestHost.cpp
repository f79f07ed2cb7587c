// The test host's interfaces and the module loader.
#include "common/TestHost.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include "common/TestRegExp.h"

namespace testhost {

namespace {

// Copies text into a host buffer of capacity units, cut and terminated as a host does.
void CopyToBuffer(std::u16string_view text, char16_t* buffer, int32_t capacity) {
  if (buffer == nullptr || capacity <= 0) return;
  const size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::copy_n(text.data(), length, buffer);
  buffer[length] = 0;
}

void PutString(VARIANT* out, const std::u16string& text) {
  out->vt = VT_BSTR;
  out->bstrVal = SysAllocString(text.c_str());
}

}  // namespace

TempDir::TempDir() {
  static std::atomic<int> serial{0};
  path_ = std::filesystem::temp_directory_path() /
          ("ip-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  // A test may leave read-only or odd entries behind; removal must not throw from a destructor.
  std::filesystem::remove_all(path_, ignored);
}

int32_t TestAddInHost::GetResourceLibrary(int32_t zero, void* moduleInstance, char16_t* buffer,
                                          int32_t capacity) {
  ++resourceCalls;
  resourceZero = zero;
  resourceModule = moduleInstance;
  resourceCapacity = capacity;
  if (resourceThrows) throw std::runtime_error("the host fails");
  if (resourceAnswer == 0) CopyToBuffer(resourceLibrary, buffer, capacity);
  return resourceAnswer;
}

int32_t TestAddInHost::CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) {
  compiled.push_back({pattern != nullptr ? pattern : u"", flags});
  if (out == nullptr) return 1;
  *out = nullptr;
  if (pattern == nullptr) return 1;
  *out = TestRegExp::Compile(*this, pattern, flags == REGEX_CASE_INSENSITIVE);
  return *out != nullptr ? 0 : 1;
}

int32_t TestAddInHost::GetProject(int32_t index, IHostProject** out) {
  if (out == nullptr) return 1;
  *out = index >= 0 && static_cast<size_t>(index) < projects.size() ? projects[static_cast<size_t>(index)]
                                                                    : nullptr;
  return 0;
}

int32_t TestSite::GetDataFolder(char16_t* buffer, int32_t capacity) {
  CopyToBuffer(ToU16(folder), buffer, capacity);
  return 0;
}

int32_t TestProject::GetProperty(int32_t property, VARIANT* out) {
  if (property == PROJECT_NAME && out != nullptr) PutString(out, name);
  return 0;
}

int32_t TestProject::GetAddInFilePath(IAddInSite*, const char16_t*, char16_t* buffer, int32_t capacity) {
  ++pathCalls;
  slotCalls.push_back(6);
  if (pathAnswer == 0) CopyToBuffer(rulePath, buffer, capacity);
  return pathAnswer;
}

int32_t TestToken::GetText(int32_t property, VARIANT* out, int32_t side) {
  calls.push_back({property, side});
  if (out == nullptr) return 1;
  const bool source = side == SIDE_SOURCE;
  if (property == TEXT_PLAIN) PutString(out, source ? plainSource : plainTranslation);
  if (property == TEXT_NATIVE) PutString(out, source ? nativeSource : nativeTranslation);
  return 0;
}

ModuleLoader::ModuleLoader() {
  const char* module = std::getenv("IP_MODULE");
  if (module == nullptr) throw std::runtime_error("IP_MODULE does not name the built module");
  const std::filesystem::path copy = copyDir_.Path() / std::filesystem::path(module).filename();
  std::filesystem::copy_file(module, copy);
  library_.emplace(copy);
  Resolve(LoadAddIn, "ZAKFN_LoadAddIn");
  Resolve(Initialize, "ZAKFN_Initialize");
  Resolve(Setup, "ZAKFN_Setup");
  Resolve(BeginCheckTokens, "ZAKFN_BeginCheckTokens");
  Resolve(CheckToken, "ZAKFN_CheckToken");
  Resolve(EndCheckTokens, "ZAKFN_EndCheckTokens");
  Resolve(GetCustomCheckOption, "ZAKFN_GetCustomCheckOption");
  Resolve(ExecuteTool, "ZAKFN_ExecuteTool");
  Resolve(GetErrorText, "ZAKFN_GetErrorText");
  Resolve(GetToolInfo, "ZAKFN_GetToolInfo");
}

void* ModuleLoader::Symbol(const char* name) const {
  void* symbol = library_->Symbol(name);
  if (symbol == nullptr) throw std::runtime_error(std::string("missing export ") + name);
  return symbol;
}

void* ModuleLoader::BaseAddress() const {
  return library_->BaseAddress();
}

}  // namespace testhost
