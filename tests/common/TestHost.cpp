// The test host's interfaces, its PCRE2 expression objects and the module loader.
#include "common/TestHost.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <stdexcept>

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

// A PCRE2 expression over UTF-16 code units; 261 asks for a case-insensitive match.
class TestRegExp final : public KHostRegExpBase {
 public:
  TestRegExp(TestAddInHost& host, pcre2_code* code)
      : host_(host), code_(code), match_(pcre2_match_data_create_from_pattern(code, nullptr)) {
    ++host_.created;
  }
  TestRegExp(const TestRegExp&) = delete;
  TestRegExp& operator=(const TestRegExp&) = delete;
  ~TestRegExp() {
    pcre2_match_data_free(match_);
    pcre2_code_free(code_);
  }

  int32_t ZAKCALL Match(const char16_t* text, int32_t start, int32_t) override {
    start_ = length_ = 0;
    if (text == nullptr || start < 0) return 1;
    const int rc = pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(text), PCRE2_ZERO_TERMINATED,
                               static_cast<PCRE2_SIZE>(start), 0, match_, nullptr);
    if (rc < 0) return 1;
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(match_);
    start_ = static_cast<int32_t>(vector[0]);
    length_ = static_cast<int32_t>(vector[1] - vector[0]);
    return 0;
  }

  int32_t ZAKCALL GetMatch(int32_t* start, int32_t* length) override {
    if (start != nullptr) *start = start_;
    if (length != nullptr) *length = length_;
    return 0;
  }

  int32_t ZAKCALL Destroy() override {
    ++host_.destroyed;
    delete this;
    return 0;
  }

 private:
  TestAddInHost& host_;
  pcre2_code* code_;
  pcre2_match_data* match_;
  int32_t start_ = 0;
  int32_t length_ = 0;
};

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
  const uint32_t options = PCRE2_UTF | (flags == REGEX_CASE_INSENSITIVE ? PCRE2_CASELESS : 0u);
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, options,
                                   &error, &offset, nullptr);
  if (code == nullptr) return 1;
  *out = new TestRegExp(*this, code);
  return 0;
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
