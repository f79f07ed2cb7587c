// The rule editor of the Windows DLL, driven with real window messages: ZAKFN_Setup runs its modal loop on
// the test's main thread while a second thread finds the dialog and its controls, clicks, types, renames
// and drags tree nodes with the mouse, opens the syntax menu, answers the message boxes and reads back the
// controls; then the rule files on disk are compared with what the writer makes. Saves screenshots.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <list>
#include <string>
#include <thread>
#include <vector>

#include "common/RuleFiles.h"
#include "resource.h"
#include "rules/HostContext.h"
#include "wine/ScreenShot.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// Polls until `done` or 10 seconds have passed; whether it came true.
bool WaitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return done();
}

// A visible top-level window of this process of that class (and owner, when one is given), or null.
HWND FindTopLevel(const wchar_t* className, HWND owner = nullptr, HWND other = nullptr) {
  struct Search {
    const wchar_t* className;
    HWND owner, other, found;
  } search{className, owner, other, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || window == s.other ||
            std::wstring(name) != s.className || (s.owner && GetWindow(window, GW_OWNER) != s.owner))
          return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  wchar_t text[4096] = {};
  GetWindowTextW(window, text, 4096);
  return text;
}

// Acts on the running dialog from the driver thread. Steps that open a modal window (a message box, a
// menu) are posted, so that the dialog's thread can run that window's loop while the driver answers it.
class KDialogDriver {
 public:
  explicit KDialogDriver(HWND dialog) : dialog_(dialog), tree_(GetDlgItem(dialog, IDC_TREE)) {}

  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  std::wstring Text(int id) const { return WindowText(Item(id)); }
  bool IsOpen() const { return IsWindow(dialog_) && IsWindowVisible(dialog_); }

  void Click(int id) const { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  void PostClick(int id) const { PostMessageW(Item(id), BM_CLICK, 0, 0); }
  // WM_SETTEXT, which notifies the dialog of the change as typing does.
  void SetText(int id, const std::wstring& text) const {
    SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void PressKey(HWND window, UINT key) const {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 0xC0000001);
  }

  // Answers the message box that the dialog shows, and returns its text (empty when none came).
  std::wstring AnswerMessageBox(int answer) const {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindTopLevel(L"#32770", dialog_, dialog_)) != nullptr; })) return L"";
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }

  // Opens the syntax menu and chooses its item `index` with the keyboard; false when no menu appeared.
  bool ChooseSyntaxMenuItem(int index) const {
    PostClick(IDC_SYNTAX);
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = FindTopLevel(L"#32768")) != nullptr; })) return false;
    for (int i = 0; i <= index; ++i) PressKey(menu, VK_DOWN);
    PressKey(menu, VK_RETURN);
    return WaitFor([&] { return FindTopLevel(L"#32768") == nullptr; });
  }

  // ---- The tree
  std::wstring Label(HTREEITEM item) const {
    wchar_t text[256] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 256;
    SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return text;
  }
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  // The nodes one line each, children indented by two blanks.
  std::wstring Outline() const {
    std::wstring outline;
    for (HTREEITEM list = Next(nullptr, TVGN_ROOT); list; list = Next(list, TVGN_NEXT)) {
      outline += Label(list) + L"\n";
      for (HTREEITEM rule = Next(list, TVGN_CHILD); rule; rule = Next(rule, TVGN_NEXT))
        outline += L"  " + Label(rule) + L"\n";
    }
    return outline;
  }
  HTREEITEM Node(const std::wstring& label) const {
    for (HTREEITEM list = Next(nullptr, TVGN_ROOT); list; list = Next(list, TVGN_NEXT)) {
      if (Label(list) == label) return list;
      for (HTREEITEM rule = Next(list, TVGN_CHILD); rule; rule = Next(rule, TVGN_NEXT))
        if (Label(rule) == label) return rule;
    }
    return nullptr;
  }
  std::wstring SelectedLabel() const { return Label(Next(nullptr, TVGN_CARET)); }

  // Renames a node in place: the label editor, its new text, then Enter through the dialog's message loop.
  bool Rename(const std::wstring& label, const std::wstring& text) const {
    const auto edit =
        reinterpret_cast<HWND>(SendMessageW(tree_, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(Node(label))));
    if (!edit) return false;
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PressKey(edit, VK_RETURN);
    return WaitFor([&] { return SendMessageW(tree_, TVM_GETEDITCONTROL, 0, 0) == 0; });
  }

  // Drags one node onto another with the left mouse button, as mouse messages to the tree.
  void Drag(const std::wstring& from, const std::wstring& to) const {
    const POINT start = Middle(Node(from));
    const POINT end = Middle(Node(to));
    PostMessageW(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(start.x, start.y));
    for (const POINT& point : {POINT{start.x + 12, start.y + 12}, POINT{end.x, end.y - 1}, end})
      PostMessageW(tree_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageW(tree_, WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
  }

  // Ends a dialog that a failed step left open, discarding its changes.
  void CloseIfOpen() const {
    if (!IsOpen()) return;
    PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
    WaitFor([&] { return !IsWindow(dialog_) || FindTopLevel(L"#32770", dialog_, dialog_); });
    if (IsWindow(dialog_)) AnswerMessageBox(IDNO);
    WaitFor([&] { return !IsWindow(dialog_); });
  }
  void SelectText(int id, int start, int end) const { SendMessageW(Item(id), EM_SETSEL, start, end); }

 private:
  POINT Middle(HTREEITEM item) const {
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);  // TVM_GETITEMRECT takes the node in the rectangle
    SendMessageW(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  HWND dialog_;
  HWND tree_;
};

class SetupDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetHostContext(&host, &site);  // the test's own rule-file code writes and reads the files
    uint32_t table[13] = {};
    module.LoadAddIn(table);
    std::vector<unsigned char> description(848);
    module.Initialize(description.data(), &host, &site);
  }
  void TearDown() override { SetHostContext(nullptr, nullptr); }

  testhost::TestProject& AddProject(const std::u16string& name, bool current = false) {
    auto& project = projects.emplace_back();
    project.name = name;
    project.rulePath = testhost::ToU16(site.Root() / ("project" + std::to_string(projects.size()) + ".ini"));
    host.projects.push_back(&project);
    if (current) host.currentProject = &project;
    return project;
  }

  // Runs ZAKFN_Setup while the script drives the dialog from a second thread.
  int32_t RunSetup(const std::function<void(KDialogDriver&)>& script) {
    std::thread driver([&] {
      HWND dialog = nullptr;
      const bool shown = WaitFor([&] { return (dialog = FindTopLevel(L"#32770")) != nullptr; });
      EXPECT_TRUE(shown) << "the dialog did not open";
      if (!shown) return;
      KDialogDriver actions(dialog);
      script(actions);
      actions.CloseIfOpen();
    });
    const int32_t result = module.Setup();
    driver.join();
    return result;
  }

  fs::path Expected() const { return site.Root() / "expected.ini"; }

  testhost::TestAddInHost host;
  testhost::TestSite site;
  std::list<testhost::TestProject> projects;
  testhost::ModuleLoader module;
};

// What the real controls can get wrong; the editor's own rules are the headless tests'. The files on disk
// prove that the DLL's edits reached the rule files.
TEST_F(SetupDialogTest, AddRenameDragAndSyntaxMenuThenOkWritesTheFiles) {
  auto& current = AddProject(u"Current", true);
  auto& other = AddProject(u"Other");
  WriteRules(nullptr, {{u"Tags", u"<[^>]+>", 1, 1, CHECK_EXIST_IF_IN_SOURCE}});
  WriteRules(&current, {{u"Mine"}});
  EXPECT_EQ(RunSetup([&](KDialogDriver& d) {
              EXPECT_EQ(WindowText(d.Dialog()), L"Inline Patterns");
              EXPECT_EQ(d.Outline(), L"Common\n  Tags\nProject Current\n  Mine\nProject Other\n");
              EXPECT_EQ(d.Text(IDC_PATTERN), L"<[^>]+>");
              SaveScreenShot(d.Dialog(), "setup-dialog.png");

              d.Click(IDC_ADD);  // into the selected rule's list
              d.SetText(IDC_NAME, L"Brace");
              d.SetText(IDC_PATTERN, L"\\{");
              d.SelectText(IDC_PATTERN, 2, 2);
              d.Click(IDC_REGEX);
              EXPECT_TRUE(d.ChooseSyntaxMenuItem(0));  // "Any Character"
              EXPECT_EQ(d.Text(IDC_PATTERN), L"\\{.");
              d.Click(IDC_CHECK_MUST_NOT_EXIST);

              EXPECT_TRUE(d.Rename(L"Brace", L"Braces"));
              EXPECT_TRUE(d.IsOpen());  // Enter ended the rename, not the dialog
              EXPECT_EQ(d.Text(IDC_NAME), L"Braces");

              d.Drag(L"Tags", L"Project Other");
              EXPECT_TRUE(WaitFor([&] { return d.Outline().ends_with(L"Project Other\n  Tags\n"); }));
              EXPECT_EQ(d.SelectedLabel(), L"Tags");
              d.PostClick(IDOK);
            }),
            0);
  EXPECT_EQ(ReadFileBytes(site.folder / "settings.ini"),
            WriterBytes(Expected(), {{u"Tags", u"<[^>]+>", 1, 1, CHECK_EXIST_IF_IN_SOURCE},
                                     {u"Braces", u"\\{.", 1, 1, CHECK_MUST_NOT_EXIST}}));
  EXPECT_EQ(ReadFileBytes(fs::path(other.rulePath)),
            WriterBytes(Expected(), {{u"Tags", u"<[^>]+>", 1, 1, CHECK_EXIST_IF_IN_SOURCE}}));
}

TEST_F(SetupDialogTest, TestPaneWidensTheWindowAndCheckFillsTheResults) {
  WriteRules(nullptr,
             {{u"Numbers", u"\\d+", 1, 1, CHECK_EXIST_IF_IN_SOURCE, CHECKFLAG_COUNT | CHECKFLAG_TEXT}});
  RunSetup([&](KDialogDriver& d) {
    RECT closed{};
    GetWindowRect(d.Dialog(), &closed);
    EXPECT_FALSE(IsWindowVisible(d.Item(IDC_RESULTS)));
    d.SetText(IDC_SOURCE, L"1 and 22");
    d.SetText(IDC_TRANSLATION, L"22 und 2");
    d.Click(IDC_TEST);
    RECT open{};
    EXPECT_TRUE(WaitFor([&] {
      GetWindowRect(d.Dialog(), &open);
      return open.right - open.left > (closed.right - closed.left) * 5 / 4;
    }));
    EXPECT_EQ(d.Text(IDC_RESULTS),
              L"\"1\" doesn't exist in translation.\r\n\u2500\u2500\u2500\u2500\u2500\u2500\r\n"
              L"Matches in source:1, 22\r\nMatches in translation:22, 2\r\n");
    std::this_thread::sleep_for(500ms);  // the resize animation ends
    SaveScreenShot(d.Dialog(), "setup-dialog-test-pane.png");
  });
}

// The host's resource library serves the DLL's dialog and message boxes. Cancel after a change asks, and No
// writes nothing.
TEST_F(SetupDialogTest, TheHostsResourceLibraryTranslatesAndCancelWritesNothing) {
  host.resourceAnswer = 0;
  host.resourceLibrary = testhost::ToU16(IP_TRANSLATED_RESOURCES);
  module.Initialize(nullptr, &host, &site);
  WriteRules(nullptr, {{u"Tags"}});
  const std::string before = ReadFileBytes(site.folder / "settings.ini");
  EXPECT_EQ(RunSetup([&](KDialogDriver& d) {
              EXPECT_EQ(WindowText(d.Dialog()), L"Inline-Muster");
              EXPECT_EQ(d.Text(IDC_ADD), L"&Hinzuf\u00fcgen");
              d.SetText(IDC_NAME, L"Changed");
              d.PostClick(IDCANCEL);
              EXPECT_EQ(d.AnswerMessageBox(IDNO), L"M\u00f6chten Sie die \u00c4nderungen speichern?");
              EXPECT_TRUE(WaitFor([&] { return !d.IsOpen(); }));
            }),
            1);
  EXPECT_EQ(ReadFileBytes(site.folder / "settings.ini"), before);
}

}  // namespace
