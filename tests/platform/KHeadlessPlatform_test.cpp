// The headless window system: dialogs from the resource tables, the modal loop and its owner, tree views
// with refusable selection and label editing, timers on the virtual clock, scripted message boxes and
// menus, monitors, profile values, lists, combo boxes, date/time pickers and sliders.
#include "platform/headless/KHeadlessPlatform.h"

#include <gtest/gtest.h>

#include "common/TestHost.h"
#include "platform/ControlKindsDialog.h"
#include "platform/RecordingSink.h"

namespace {

using HeadlessPlatformTest = KEditorDialogTest;

// A dialog without an owner takes the active window's topmost owner and keeps it disabled while it runs;
// it opens at the owner's client area (sizing frame 4, caption 22) with the first tab stop focused.
TEST_F(HeadlessPlatformTest, ModalDialogFromTheTemplateWithTheActiveOwner) {
  driver.OnNextDialog([](KWnd) {});
  EXPECT_EQ(platform.RunModalDialog(IDD_SETUP, nullptr, sink), -1);  // left open
  EXPECT_EQ(platform.RunModalDialog(9999, nullptr, sink), -1);       // no such template
  EXPECT_EQ(driver.Problems().size(), 2u);
  const KWnd host = driver.CreateOwnerWindow({100, 100, 900, 700});
  EXPECT_EQ(Run([&](KWnd dialog) {
              EXPECT_EQ(std::tuple(platform.GetWindowRect(dialog), platform.GetDefaultId(dialog),
                                   platform.GetFocus(), platform.GetParent(dialog),
                                   platform.IsWindowEnabled(host), platform.ActiveWindow()),
                        std::tuple(KRect{104, 126, 104 + 756, 126 + 519}, IDOK, driver.Control(IDC_ADD), host,
                                   false, dialog));
              RecordingSink inner;  // a dialog opened from the dialog is owned by the host too
              driver.OnNextDialog([&](KWnd in) { platform.EndDialog(in, platform.GetParent(in) == host); });
              EXPECT_EQ(platform.RunModalDialog(IDD_SETUP, nullptr, inner), 1);
              platform.EndDialog(dialog, 42);
            }),
            42);
  // The owner enabled again before the dialog was destroyed.
  EXPECT_EQ(std::tuple(sink.events.back(), sink.ownerEnabled, platform.ActiveWindow(),
                       platform.IsWindow(sink.dialog)),
            std::tuple("destroy", true, host, false));
}

// Deleting the selection selects the next sibling (the editor's deletion shows it), else the parent; a label
// edit selects the whole label and gives the focus back with the new text (refusal and cancelling are the
// editor's renaming).
TEST_F(HeadlessPlatformTest, TreeSelectionAndLabelEditing) {
  Run([&](KWnd) {
    const KWnd tree = driver.Control(IDC_TREE);
    const KTreeItem list = Add(nullptr, u"list");
    const KTreeItem a = Add(list, u"a");
    EXPECT_TRUE(platform.TreeSelectItem(tree, a, TVGN_CARET));
    platform.TreeDeleteItem(tree, a);
    EXPECT_EQ(platform.TreeGetNextItem(tree, nullptr, TVGN_CARET), list);

    const KWnd edit = driver.BeginRename(IDC_TREE, list);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(std::tuple(platform.GetFocus(), platform.GetSelection(edit)), std::tuple(edit, KTextRange{0, 4}));
    driver.Type(u"new");
    platform.TreeEndEditLabelNow(tree, false);
    EXPECT_EQ(std::tuple(sink.editedText, platform.TreeGetText(tree, list), platform.GetFocus()),
              std::tuple(u"new", u"new", tree));
  });
}

TEST_F(HeadlessPlatformTest, TimersFireInOrderOfDueTimeOnTheVirtualClock) {
  Run([&](KWnd dialog) {
    sink.events.clear();
    platform.SetTimer(dialog, 7, 75, nullptr);
    platform.SetTimer(dialog, 8, 5, nullptr);
    driver.AdvanceClock(80);
    EXPECT_EQ(platform.TickCount(), 1080u);
    platform.KillTimer(dialog, 8);
    driver.AdvanceClock(70);
  });
  EXPECT_EQ(sink.events, (std::vector<std::string>{"timer 8 at 1010", "timer 8 at 1020", "timer 8 at 1030",
                                                   "timer 8 at 1040", "timer 8 at 1050", "timer 8 at 1060",
                                                   "timer 8 at 1070", "timer 7 at 1075", "timer 8 at 1080",
                                                   "timer 7 at 1150", "destroy"}));
}

// An unscripted box takes its default button; a scripted answer that the box or the menu lacks, or a grayed
// or destroyed menu, is a problem of the script (the answered ones are the editor's tests).
TEST_F(HeadlessPlatformTest, MessageBoxAndMenuAnswersThatCannotBeGiven) {
  EXPECT_EQ(platform.ShowMessageBox(nullptr, u"Done", u"", MB_OK), IDOK);
  driver.AnswerMessageBox(IDCANCEL);
  EXPECT_EQ(platform.ShowMessageBox(nullptr, u"Delete?", u"", MB_YESNO), IDYES);
  const KMenu menu = platform.LoadMenuResource(IDR_LITERAL_MENU);
  ASSERT_NE(menu, nullptr);
  const KMenu popup = platform.GetSubMenu(menu, 0);
  platform.EnableMenuItem(popup, ID_SYNTAX_TAB, false);
  driver.AnswerMenu(ID_SYNTAX_TAB);
  EXPECT_EQ(platform.TrackPopupMenu(popup, {300, 200}, nullptr), 0u);
  EXPECT_EQ(driver.Menus().back().items[1].flags & MF_GRAYED, MF_GRAYED);
  platform.DestroyMenu(menu);
  EXPECT_EQ(platform.TrackPopupMenu(popup, {0, 0}, nullptr), 0u);
  EXPECT_EQ(driver.Problems().size(), 2u);
}

// The monitor a rectangle is on: the most overlap, else the nearest. A profile value is cut to the buffer
// that also holds its terminator (the files themselves are KIniFile's tests).
TEST_F(HeadlessPlatformTest, MonitorsAndProfileValues) {
  driver.SetMonitors({{{0, 0, 1000, 800}, {0, 0, 1000, 760}, true}, {{1000, 0, 2000, 800}, {1000, 0, 2000, 800}}});
  EXPECT_EQ(platform.MonitorFromRect({900, 10, 1200, 100}), 1);
  EXPECT_EQ(platform.MonitorFromRect({-500, 10, -400, 100}), 0);
  EXPECT_EQ(platform.MonitorFromPoint({2500, 100}), 1);

  const testhost::TempDir folder;
  const std::u16string path = testhost::ToU16(folder.Path() / "pos.ini");
  ASSERT_TRUE(platform.WriteProfileValue(path, u"App", u"Dlg104", u"40,30,500,302,rxy"));
  EXPECT_EQ(platform.ReadProfileValue(path, u"App", u"Dlg104", u"", 18), u"40,30,500,302,rxy");
  EXPECT_EQ(platform.ReadProfileValue(path, u"App", u"Dlg104", u"", 17), u"40,30,500,302,rx");
}

// Setting an edit's text notifies EN_CHANGE, a check state nothing; the dialog manager selects an edit's
// text; the window that loses the capture hears of it.
TEST_F(HeadlessPlatformTest, ProgrammaticChangesNotifyAsWin32Does) {
  struct CaptureSink : KWindowSink {
    void OnCaptureChanged(KWnd next) override { changes.push_back(next); }
    std::vector<KWnd> changes;
  } treeSink;
  Run([&](KWnd dialog) {
    sink.events.clear();
    platform.SetText(driver.Control(IDC_NAME), u"name");
    platform.SetCheck(driver.Control(IDC_REGEX), BST_CHECKED);
    platform.SetText(driver.Control(IDC_ADD), u"&Add");
    EXPECT_EQ(sink.events, std::vector<std::string>{"command 1005 768"});
    platform.SetCheck(driver.Control(IDC_REGEX), BST_INDETERMINATE);  // a two-state box shows it as checked
    EXPECT_EQ(platform.GetCheck(driver.Control(IDC_REGEX)), BST_CHECKED);
    platform.NextDlgCtl(dialog, driver.Control(IDC_NAME));
    EXPECT_EQ(platform.GetSelection(driver.Control(IDC_NAME)), (KTextRange{0, 4}));

    const KWnd tree = driver.Control(IDC_TREE);
    platform.SetWindowSink(tree, &treeSink);
    platform.SetCapture(tree);
    platform.SetCapture(dialog);
    EXPECT_EQ(platform.GetCapture(), dialog);
    platform.SetCapture(tree);
    platform.ReleaseCapture();
    EXPECT_EQ(treeSink.changes, (std::vector<KWnd>{dialog, nullptr}));
    platform.SetWindowSink(tree, nullptr);
  });
}

struct HeadlessKindsTest : ::testing::Test, KControlKindsTest {
  RecordingSink sink;
};

// Lists keep the selection on its item, sort and search ignoring case and notify clicks.
TEST_F(HeadlessKindsTest, ListsPickersAndSlidersHoldWhatWin32Holds) {
  RunKindsDialog(sink, [&](KWnd) {
    const KWnd list = driver.Control(kKindsList);
    Fill(kKindsList, {u"pear", u"\u00c9t\u00e9", u"fig"});
    EXPECT_TRUE(driver.SelectListItem(kKindsList, 1));
    EXPECT_FALSE(driver.SelectListItem(kKindsList, 3));
    EXPECT_EQ(platform.ListInsertString(list, 0, u"Fig"), 0);
    EXPECT_EQ(platform.ListGetCurSel(list), 2);  // still the same item
    EXPECT_EQ(platform.ListFindStringExact(list, -1, u"\u00c9T\u00c9"), 2);
    EXPECT_EQ(platform.ListFindStringExact(list, 0, u"FIG"), 3);  // after the start, wrapping around
    EXPECT_EQ(platform.ListFindStringExact(list, 3, u"fig"), 0);
    EXPECT_EQ(platform.ListDeleteString(list, 2), 3);  // the selected item goes, and the selection with it
    EXPECT_EQ(std::tuple(platform.ListGetCurSel(list), platform.ListGetItemData(list, 3)),
              std::tuple(-1, intptr_t{LB_ERR}));

    Fill(kKindsSortedList, {u"pear", u"Apple", u"fig", u"apple"});
    std::u16string order;
    for (int32_t i = 0; i < 4; ++i) order += platform.ListGetText(driver.Control(kKindsSortedList), i) + u",";
    EXPECT_EQ(order, u"Apple,apple,fig,pear,");

    Fill(kKindsCombo, {u"one"});
    EXPECT_TRUE(driver.SelectListItem(kKindsCombo, 0));
    EXPECT_TRUE(driver.TypeComboText(kKindsCombo, u"two"));
    EXPECT_EQ(platform.ListGetCurSel(driver.Control(kKindsCombo)), -1);  // typing leaves no item selected
    EXPECT_FALSE(driver.TypeComboText(kKindsDropList, u"two"));
    EXPECT_EQ(std::vector(sink.events.end() - 3, sink.events.end()),  // LBN_ and CBN_SELCHANGE, CBN_EDITCHANGE
              (std::vector<std::string>{"command 200 1", "command 203 1", "command 203 5"}));

    // Pickers take real dates from 1601 on (the leap day and its weekday are the binding's tests), sliders
    // only positions within their range.
    const KSystemTime refused[] = {{2023, 2, 0, 29, 12, 0, 0, 0},
                                   {1900, 2, 0, 29, 12, 0, 0, 0},
                                   {2024, 4, 0, 31, 12, 0, 0, 0},
                                   {2024, 1, 0, 1, 24, 0, 0, 0},
                                   {1600, 12, 0, 31, 23, 59, 59, 999}};
    const KWnd picker = driver.Control(kKindsPicker);
    const KSystemTime first{1601, 1, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(platform.DateTimeSet(picker, &first));
    for (const KSystemTime& time : refused) EXPECT_FALSE(platform.DateTimeSet(picker, &time)) << time.year;

    const KWnd slider = driver.Control(kKindsSlider);
    platform.SliderSetPos(slider, 80, true);
    platform.SliderSetRange(slider, 0, 60);  // a narrower range takes the thumb with it
    EXPECT_EQ(platform.SliderGetPos(slider), 60);
    platform.SliderSetRange(slider, 20, 10);
    EXPECT_EQ(platform.SliderGetPos(slider), 20);
  });
}

}  // namespace
