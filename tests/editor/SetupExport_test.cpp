// ZAKFN_Setup as a host calls it: the module initialised through its exports, projects enumerated by the
// host, the editor driven by a script, and the rule files on disk compared with what the writer makes.
#include <vector>

#include "addin/HostInterfaces.h"
#include "common/FileBytes.h"
#include "editor/EditorTest.h"
#include "support/KResourceSource.h"

extern "C" int32_t ZAKFN_LoadAddIn(uint32_t* table13);
extern "C" int32_t ZAKFN_Initialize(void* description848, IAddInHost* host, IAddInSite* site);
extern "C" int32_t ZAKFN_Setup();

namespace {

class SetupExportTest : public KEditorTest {
 protected:
  void SetUp() override {
    SetHostContext(nullptr, nullptr);  // the export sets it, as the host's initialisation does
    uint32_t table[13] = {};
    ZAKFN_LoadAddIn(table);
    std::vector<unsigned char> description(848);
    ZAKFN_Initialize(description.data(), &host, &site);
  }
  void TearDown() override { SetResourceSource(nullptr); }
};

// OK writes every list, also an unchanged one and one whose file did not exist (the editing itself is the
// editor's tests').
TEST_F(SetupExportTest, OkWritesTheEditedListsAsTheWriterDoes) {
  auto& other = AddProject(u"Other");
  auto& current = AddProject(u"Current", true);
  auto& empty = AddProject(u"Empty");
  const KRuleFields tags{u"Tags", u"<[^>]+>", 1, 1, CHECK_EXIST_IF_IN_SOURCE};
  WriteRules(nullptr, {tags});
  WriteRules(&current, {{u"Mine"}});
  driver.OnNextDialog([&](KWnd) {
    EXPECT_EQ(driver.TreeOutline(IDC_TREE),
              u"Common\n  Tags\nProject Current\n  Mine\nProject Other\nProject Empty\n");
    driver.Click(IDC_CHECK_MUST_NOT_EXIST);
    Drag(u"Tags", u"Project Other");
    driver.Click(IDOK);
  });
  EXPECT_EQ(ZAKFN_Setup(), 0);
  const auto written = [&](const std::u16string& path, std::initializer_list<KRuleFields> rules) {
    EXPECT_EQ(ReadFileBytes(std::filesystem::path(path)), WriterBytes(site.Root() / "expected.ini", rules));
  };
  const KRuleFields stored{u"Tags", u"<[^>]+>", 1, 1, CHECK_MUST_NOT_EXIST};
  written((site.folder / "settings.ini").u16string(), {stored});
  written(current.rulePath, {{u"Mine"}});
  written(empty.rulePath, {});
  written(other.rulePath, {stored});
  // Only the test pane's checker compiles: the global rules as they were when the dialog opened.
  EXPECT_EQ(std::pair(host.created, host.Alive()), std::pair(1, 0));
}

// A rule file that breaks off while it is read would lose its rest on OK: the editor says why and stays
// closed, and the file keeps every byte.
TEST_F(SetupExportTest, ADamagedRuleFileKeepsTheEditorClosedAndTheFileIntact) {
  const std::string damaged = "\xEF\xBB\xBF[Pattern-00]\r\nName=A\r\nPattern=\x80\r\n";
  WriteFileBytes(site.folder / "settings.ini", damaged);
  EXPECT_EQ(ZAKFN_Setup(), 1);
  EXPECT_EQ(std::tuple(LastMessage(), ReadFileBytes(site.folder / "settings.ini")),
            std::tuple(u"Invalid encoding.", damaged));
}

// A resource library that the host names serves the dialog, its texts and its messages. Cancel returns 1 and
// writes no file, not even one that OK would have made.
TEST_F(SetupExportTest, TheHostsResourceLibraryTranslatesTheDialogAndCancelWritesNothing) {
  host.resourceAnswer = 0;
  host.resourceLibrary = testhost::ToU16(IP_TRANSLATED_RESOURCES);
  ZAKFN_Initialize(nullptr, &host, &site);
  AddProject(u"P", true);
  driver.OnNextDialog([&](KWnd dialog) {
    EXPECT_EQ(std::tuple(platform.GetText(dialog), driver.Text(IDC_ADD), driver.TreeOutline(IDC_TREE)),
              std::tuple(u"Inline-Muster", u"&Hinzuf\u00fcgen", u"Common\nProjekt P\n"));
    Select(u"Projekt P");
    driver.Click(IDC_ADD);
    driver.AnswerMessageBox(IDNO);
    driver.Click(IDCANCEL);
    EXPECT_EQ(LastMessage(), u"M\u00f6chten Sie die \u00c4nderungen speichern?");
  });
  EXPECT_EQ(ZAKFN_Setup(), 1);
  EXPECT_FALSE(std::filesystem::exists(site.folder / "settings.ini"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(projects[0]->rulePath)));
}

}  // namespace
