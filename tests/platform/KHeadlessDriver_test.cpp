// The user's input on the headless platform: the dialog manager's keys, buttons, typing and the mouse.
#include "platform/headless/KHeadlessDriver.h"

#include <gtest/gtest.h>

#include "platform/RecordingSink.h"

namespace {

enum : int32_t { kAdd = 1003, kName = 1005, kTest = 1019, kResults = 1022 };
enum : int32_t { kRadioNone = 1025, kRadioExist = 1002, kRadioMustNot = 1007 };

using HeadlessDriverTest = KEditorDialogTest;

TEST_F(HeadlessDriverTest, TabFollowsTabStopsSkippingHiddenAndDisabledControls) {
  Run([&](KWnd) {
    platform.NextDlgCtl(driver.Dialog(), driver.Control(IDOK));
    std::vector<int32_t> order;
    for (int i = 0; i < 4; ++i) {
      driver.PressKey(VK_TAB);
      order.push_back(FocusId());
    }
    // The hidden test pane is skipped, the visible results box is not; the order wraps to the start.
    EXPECT_EQ(order, (std::vector<int32_t>{IDCANCEL, kTest, kResults, kAdd}));
    platform.EnableWindow(driver.Control(IDCANCEL), false);
    platform.NextDlgCtl(driver.Dialog(), driver.Control(IDOK));
    driver.PressKey(VK_TAB);
    EXPECT_EQ(FocusId(), kTest);
    driver.KeyDown(VK_SHIFT);
    driver.PressKey(VK_TAB);
    driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(FocusId(), IDOK);
  });
}

TEST_F(HeadlessDriverTest, EnterPressesTheDefaultOrFocusedButtonAndEscapeCancels) {
  sink.endOnOkCancel = false;
  Run([&](KWnd) {
    sink.events.clear();
    platform.SetFocus(driver.Control(kName));
    driver.PressKey(VK_RETURN);
    platform.SetDefaultId(driver.Dialog(), kTest);
    EXPECT_EQ(platform.GetStyle(driver.Control(kTest)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(platform.GetStyle(driver.Control(IDOK)) & BS_TYPEMASK, BS_PUSHBUTTON);
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(FocusId(), kName);  // Enter leaves the focus where it is
    driver.PressKey(VK_ESCAPE);
    platform.SetFocus(driver.Control(kAdd));
    driver.PressKey(VK_RETURN);  // a focused push button wins over the default one
    EXPECT_EQ(sink.events, (std::vector<std::string>{"command 1 0", "command 1019 0", "command 2 0",
                                                     "command 1003 0"}));
    platform.EnableWindow(driver.Control(kTest), false);
    platform.SetFocus(driver.Control(kName));
    sink.events.clear();
    driver.PressKey(VK_RETURN);  // a disabled default button takes no Enter
    EXPECT_TRUE(sink.events.empty());
  });
}

TEST_F(HeadlessDriverTest, ButtonsAndRadioGroupsBehaveAsAutoButtons) {
  Run([&](KWnd) {
    sink.events.clear();
    EXPECT_TRUE(driver.Click(kRadioExist));
    EXPECT_TRUE(driver.Click(kRadioMustNot));
    EXPECT_EQ(driver.Check(kRadioExist), BST_UNCHECKED);
    EXPECT_EQ(driver.Check(kRadioMustNot), BST_CHECKED);
    driver.PressKey(VK_UP);  // arrows move within the group and check as they go
    EXPECT_EQ(FocusId(), kRadioExist);
    EXPECT_EQ(driver.Check(kRadioExist), BST_CHECKED);
    EXPECT_EQ(driver.Check(kRadioMustNot), BST_UNCHECKED);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"command 1002 0", "command 1007 0", "command 1002 0"}));
    platform.SetButtonStyle(driver.Control(1018), BS_AUTO3STATE);
    EXPECT_TRUE(driver.SetCheck(1018, BST_INDETERMINATE));
    EXPECT_EQ(driver.Check(1018), BST_INDETERMINATE);
    platform.EnableWindow(driver.Control(kRadioNone), false);
    EXPECT_FALSE(driver.Click(kRadioNone));
    EXPECT_EQ(driver.Problems().size(), 1u);
  });
}

TEST_F(HeadlessDriverTest, TypingNotifiesEveryCharacterWithinTheLimit) {
  Run([&](KWnd) {
    platform.LimitText(driver.Control(kName), 4);
    sink.events.clear();
    EXPECT_TRUE(driver.TypeInto(kName, u"abcdef"));
    EXPECT_EQ(driver.Text(kName), u"abcd");
    EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), "command 1005 768"), 4);
    driver.PressKey(VK_BACK);
    EXPECT_EQ(driver.Text(kName), u"abc");
    EXPECT_TRUE(driver.ReplaceText(kName, u"x"));
    EXPECT_EQ(driver.Text(kName), u"x");
    platform.SetFocus(driver.Control(kResults));
    EXPECT_FALSE(driver.Type(u"read-only"));
  });
}

// The tree's own handling of a click (selecting the node) comes before its sink hears of the button-up.
TEST_F(HeadlessDriverTest, PressingAndMovingOnANodeStartsADragAndAClickSelects) {
  struct AfterSink : KWindowSink {
    void AfterLButtonUp(uint32_t, KPoint) override {
      seen = Platform().TreeGetNextItem(tree, nullptr, TVGN_CARET);
    }
    KWnd tree = nullptr;
    KTreeItem seen = nullptr;
  } treeSink;
  Run([&](KWnd) {
    const KWnd tree = treeSink.tree = driver.Control(kEditorTree);
    KTreeInsert insert;
    insert.text = u"rule";
    const KTreeItem rule = platform.TreeInsertItem(tree, insert);
    const KPoint at = driver.TreeItemPoint(kEditorTree, rule);
    sink.events.clear();
    driver.MouseDown(at);
    driver.MouseMove({at.x + 2, at.y});  // within the drag distance
    driver.MouseMove({at.x + 10, at.y});
    driver.MouseUp({at.x + 10, at.y});
    EXPECT_EQ(sink.events, std::vector<std::string>{"begindrag"});
    platform.SetWindowSink(tree, &treeSink);
    driver.MouseDown(at);  // a click without moving selects
    driver.MouseUp(at);
    EXPECT_EQ(treeSink.seen, rule);
    EXPECT_EQ(FocusId(), kEditorTree);
    platform.SetWindowSink(tree, nullptr);
  });
}

}  // namespace
