// The user's input on the headless platform: the dialog manager's keys, buttons, typing and the mouse.
#include "platform/headless/KHeadlessDriver.h"

#include <gtest/gtest.h>

#include "platform/RecordingSink.h"

namespace {

using HeadlessDriverTest = KEditorDialogTest;

// Tab follows the tab stops, skipping hidden and disabled controls; Enter presses the focused push button,
// else the enabled default one (the test pane's Enter), and nothing when that is disabled.
TEST_F(HeadlessDriverTest, DialogManagerKeys) {
  sink.endOnOkCancel = false;
  Run([&](KWnd dialog) {
    platform.NextDlgCtl(dialog, driver.Control(IDOK));
    const auto tab = [&] { driver.PressKey(VK_TAB); return FocusId(); };
    // The hidden test pane is skipped, the visible results box is not; the order wraps to the start. (A braced
    // list calls in order.)
    EXPECT_EQ((std::vector{tab(), tab(), tab(), tab()}), (std::vector{IDCANCEL, IDC_TEST, IDC_RESULTS, IDC_ADD}));
    platform.EnableWindow(driver.Control(IDCANCEL), false);
    platform.NextDlgCtl(dialog, driver.Control(IDOK));
    EXPECT_EQ(tab(), IDC_TEST);
    driver.KeyDown(VK_SHIFT);
    driver.PressKey(VK_TAB);
    driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(FocusId(), IDOK);

    platform.SetDefaultId(dialog, IDC_TEST);
    EXPECT_EQ(platform.GetStyle(driver.Control(IDC_TEST)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(platform.GetStyle(driver.Control(IDOK)) & BS_TYPEMASK, BS_PUSHBUTTON);
    sink.events.clear();
    platform.SetFocus(driver.Control(IDC_ADD));
    driver.PressKey(VK_RETURN);
    platform.EnableWindow(driver.Control(IDC_TEST), false);
    platform.SetFocus(driver.Control(IDC_NAME));
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(sink.events, std::vector<std::string>{"command 1003 0"});
  });
}

// Radio buttons check one of their group, arrows move within it and check as they go; a three-state box
// cycles; typing notifies each character up to the limit and EN_MAXTEXT beyond it (replacing the text and
// refusing a read-only edit are the bindings' and the editor's tests).
TEST_F(HeadlessDriverTest, ButtonsAndTypingBehaveAsAutoButtonsAndEdits) {
  Run([&](KWnd) {
    sink.events.clear();
    EXPECT_TRUE(driver.Click(IDC_CHECK_EXIST_IF_IN_SOURCE));
    EXPECT_TRUE(driver.Click(IDC_CHECK_MUST_NOT_EXIST));
    const auto checks = [&] {
      return std::pair(driver.Check(IDC_CHECK_EXIST_IF_IN_SOURCE), driver.Check(IDC_CHECK_MUST_NOT_EXIST));
    };
    EXPECT_EQ(checks(), std::pair(BST_UNCHECKED, BST_CHECKED));
    driver.PressKey(VK_UP);
    EXPECT_EQ(FocusId(), IDC_CHECK_EXIST_IF_IN_SOURCE);
    EXPECT_EQ(checks(), std::pair(BST_CHECKED, BST_UNCHECKED));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"command 1002 0", "command 1007 0", "command 1002 0"}));
    platform.SetButtonStyle(driver.Control(IDC_REGEX), BS_AUTO3STATE);
    EXPECT_TRUE(driver.SetCheck(IDC_REGEX, BST_INDETERMINATE));
    EXPECT_EQ(driver.Check(IDC_REGEX), BST_INDETERMINATE);
    platform.EnableWindow(driver.Control(IDC_CHECK_NONE), false);
    EXPECT_FALSE(driver.Click(IDC_CHECK_NONE));
    EXPECT_EQ(driver.Problems().size(), 1u);

    platform.LimitText(driver.Control(IDC_NAME), 4);
    sink.events.clear();
    EXPECT_TRUE(driver.TypeInto(IDC_NAME, u"abcd"));
    EXPECT_EQ(sink.events, std::vector<std::string>(4, "command 1005 768"));  // EN_CHANGE, at the limit
    EXPECT_TRUE(driver.Type(u"e"));
    EXPECT_EQ(driver.Text(IDC_NAME), u"abcd");
    EXPECT_EQ(sink.events.back(), "command 1005 1281");  // EN_MAXTEXT
    driver.PressKey(VK_BACK);
    EXPECT_EQ(driver.Text(IDC_NAME), u"abc");
  });
}

// A drag begins beyond 4 pixels; a click selects, and the tree's sink hears of the button-up after that.
TEST_F(HeadlessDriverTest, PressingAndMovingOnANodeStartsADragAndAClickSelects) {
  struct AfterSink : KWindowSink {
    void AfterLButtonUp(uint32_t, KPoint) override { seen = Platform().TreeGetNextItem(tree, nullptr, TVGN_CARET); }
    KWnd tree = nullptr;
    KTreeItem seen = nullptr;
  } treeSink;
  Run([&](KWnd) {
    const KWnd tree = treeSink.tree = driver.Control(IDC_TREE);
    const KTreeItem rule = Add(nullptr, u"rule");
    const KPoint at = driver.TreeItemPoint(IDC_TREE, rule);
    sink.events.clear();
    driver.MouseDown(at);
    driver.MouseMove({at.x + 4, at.y});  // within the drag distance
    EXPECT_TRUE(sink.events.empty());
    driver.MouseMove({at.x + 5, at.y});
    driver.MouseUp({at.x + 5, at.y});
    EXPECT_EQ(sink.events, std::vector<std::string>{"begindrag"});
    platform.SetWindowSink(tree, &treeSink);
    driver.MouseDown(at);
    driver.MouseUp(at);
    EXPECT_EQ(std::tuple(treeSink.seen, FocusId()), std::tuple(rule, IDC_TREE));
    platform.SetWindowSink(tree, nullptr);
  });
}

}  // namespace
