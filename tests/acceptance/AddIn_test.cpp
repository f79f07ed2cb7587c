// The module's registration through its exports only: load table, description record, resource library,
// custom check option, the stubs and the export boundary.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "common/TestHost.h"
#include "support/KUtf8.h"

namespace {

constexpr uint8_t kPoison = 0xA5;
constexpr size_t kRecordSize = 848;

std::u16string FieldText(const std::vector<uint8_t>& record, size_t offset, size_t units) {
  std::u16string text;
  for (size_t i = 0; i < units; ++i) {
    char16_t c = 0;
    std::memcpy(&c, record.data() + offset + 2 * i, sizeof c);
    if (c == 0) return text;
    text += c;
  }
  ADD_FAILURE() << "field at " << offset << " is not terminated within " << units << " units";
  return text;
}

class AddInTest : public testing::Test {
 protected:
  // Initialises the module with a poisoned record that has guard bytes behind its 848 bytes.
  std::vector<uint8_t> Initialize() {
    std::vector<uint8_t> record(kRecordSize + 16, kPoison);
    EXPECT_EQ(module.Initialize(record.data(), &host, &site), 0);
    return record;
  }

  std::u16string CustomCheckName() {
    BSTR name = nullptr;
    EXPECT_EQ(module.GetCustomCheckOption(CUSTOM_CHECK_REGEX, &name), 0);
    std::u16string copy(BstrChars(name), SysStringLen(name));
    SysFreeString(name);
    return copy;
  }

  testhost::ModuleLoader module;
  testhost::TestAddInHost host;
  testhost::TestSite site;
};

TEST_F(AddInTest, LoadAddInWritesAllThirteenWordsEveryTime) {
  for (const uint32_t poison : {0u, 0xFFFFFFFFu}) {
    std::vector<uint32_t> table(14, poison);
    EXPECT_EQ(module.LoadAddIn(table.data()), 0);
    EXPECT_EQ(table,
              (std::vector<uint32_t>{112, 110, 110, 110, 110, 110, 110, 110, 110, 110, 0, 0, 0, poison}));
  }
}

// The texts come from the host's translated library when it names one that loads (it has no description;
// the identifier is never translated), else from the module's own resources.
TEST_F(AddInTest, InitializeFillsTheDescriptionRecordExactlyFromTheHostsLibraryOrTheModulesOwn) {
  const std::vector<std::u16string> own{u"Inline Patterns", u"Tagging and checking of inline patterns",
                                        u"User defined regular expressions"};
  // The library the host names (empty: none); the name, the description and the custom check's name.
  const std::pair<std::string, std::vector<std::u16string>> cases[] = {
      {"", own},
      {"/nonexistent/missing.so", own},
      {IP_TRANSLATED_RESOURCES, {u"Inline-Muster", u"", u"Benutzerdefinierte regul\u00e4re Ausdr\u00fccke"}},
  };
  for (int i = 0; i < 3; ++i) {
    const auto& [library, texts] = cases[i];
    SCOPED_TRACE(library);
    host.resourceAnswer = library.empty() ? 1 : 0;
    host.resourceLibrary = Utf8ToUtf16(library);
    const std::vector<uint8_t> record = Initialize();
    EXPECT_EQ((std::vector{FieldText(record, 16, 80), FieldText(record, 176, 256), CustomCheckName()}),
              texts);
    EXPECT_EQ(FieldText(record, 688, 80), u"VrtInlinePatterns");
    std::array<uint32_t, 4> words{};
    std::memcpy(words.data(), record.data(), sizeof words);
    EXPECT_EQ(words, (std::array<uint32_t, 4>{0xA5A5A5A5u, 0xA5A5A5A5u, 128, 1}));
    for (size_t b = kRecordSize; b < record.size(); ++b) EXPECT_EQ(record[b], kPoison) << "byte " << b;
    // The resource-library request: (0, the module's base address, a buffer, 260).
    EXPECT_EQ((std::tuple{host.resourceCalls, host.resourceZero, host.resourceModule, host.resourceCapacity}),
              (std::tuple{i + 1, 0, module.BaseAddress(), 260}));
  }
}

TEST_F(AddInTest, CustomCheckOptionNamesOnlyItsOwnCheck) {
  Initialize();
  BSTR untouched = SysAllocString(u"host's");
  for (const int32_t option : {0, 0x200000, -1}) {
    EXPECT_EQ(module.GetCustomCheckOption(option, &untouched), 0);
    EXPECT_EQ(std::u16string(BstrChars(untouched)), u"host's");
  }
  SysFreeString(untouched);
}

TEST_F(AddInTest, StubsShareOneBodyAndReturnZero) {
  EXPECT_EQ(std::tuple(module.ExecuteTool(), module.GetErrorText(), module.GetToolInfo()),
            std::tuple(0, 0, 0));
  void* const body = module.Symbol("ZAKFN_ExecuteTool");
  EXPECT_EQ(std::pair(module.Symbol("ZAKFN_GetErrorText"), module.Symbol("ZAKFN_GetToolInfo")),
            std::pair(body, body));
}

// A host that fails inside the module's call, and no record at all: the module stays usable.
TEST_F(AddInTest, NoExceptionCrossesTheBoundaryAndTheModuleStaysUsable) {
  host.resourceThrows = true;
  std::vector<uint8_t> record(kRecordSize, kPoison);
  EXPECT_EQ(module.Initialize(record.data(), &host, &site), 0);
  EXPECT_EQ(module.Initialize(nullptr, nullptr, nullptr), 0);

  host.resourceThrows = false;
  EXPECT_EQ(CustomCheckName(), u"User defined regular expressions");
  EXPECT_EQ(module.GetCustomCheckOption(CUSTOM_CHECK_REGEX, nullptr), 0);
}

}  // namespace
