// The user's input on the headless platform: the dialog manager's keys, buttons, typing and the mouse.
#include "platform/headless/KHeadlessDriver.h"

#include <gtest/gtest.h>

#include "platform/RecordingSink.h"

namespace {

enum : int32_t { kAdd = 1003, kName = 1005, kTest = 1019, kResults = 1022 };
enum : int32_t { kRadioNone = 1025, kRadioExist = 1002, kRadioMustNot = 1007 };

using HeadlessDriverTest = KEditorDialogTest;

// Tab follows the tab stops, skipping hidden and disabled controls; Enter presses the focused push button,
// else the enabled default one (the test pane's Enter), and nothing when that is disabled.
TEST_F(HeadlessDriverTest, DialogManagerKeys) {
  sink.endOnOkCancel = false;
  Run([&](KWnd dialog) {
    platform.NextDlgCtl(dialog, driver.Control(IDOK));
    std::vector<int32_t> order;
    for (int i = 0; i < 4; ++i) {
      driver.PressKey(VK_TAB);
      order.push_back(FocusId());
    }
    // The hidden test pane is skipped, the visible results box is not; the order wraps to the start.
    EXPECT_EQ(order, (std::vector<int32_t>{IDCANCEL, kTest, kResults, kAdd}));
    platform.EnableWindow(driver.Control(IDCANCEL), false);
    platform.NextDlgCtl(dialog, driver.Control(IDOK));
    driver.PressKey(VK_TAB);
    EXPECT_EQ(FocusId(), kTest);
    driver.KeyDown(VK_SHIFT);
    driver.PressKey(VK_TAB);
    driver.KeyUp(VK_SHIFT);
    EXPECT_EQ(FocusId(), IDOK);

    platform.SetDefaultId(dialog, kTest);
    EXPECT_EQ(platform.GetStyle(driver.Control(kTest)) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(platform.GetStyle(driver.Control(IDOK)) & BS_TYPEMASK, BS_PUSHBUTTON);
    sink.events.clear();
    platform.SetFocus(driver.Control(kAdd));
    driver.PressKey(VK_RETURN);
    platform.EnableWindow(driver.Control(kTest), false);
    platform.SetFocus(driver.Control(kName));
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
    EXPECT_TRUE(driver.Click(kRadioExist));
    EXPECT_TRUE(driver.Click(kRadioMustNot));
    EXPECT_EQ(driver.Check(kRadioExist), BST_UNCHECKED);
    EXPECT_EQ(driver.Check(kRadioMustNot), BST_CHECKED);
    driver.PressKey(VK_UP);
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

    platform.LimitText(driver.Control(kName), 4);
    sink.events.clear();
    EXPECT_TRUE(driver.TypeInto(kName, u"abcd"));
    EXPECT_EQ(sink.events, std::vector<std::string>(4, "command 1005 768"));  // EN_CHANGE, at the limit
    EXPECT_TRUE(driver.Type(u"e"));
    EXPECT_EQ(driver.Text(kName), u"abcd");
    EXPECT_EQ(sink.events.back(), "command 1005 1281");  // EN_MAXTEXT
    driver.PressKey(VK_BACK);
    EXPECT_EQ(driver.Text(kName), u"abc");
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
    const KWnd tree = treeSink.tree = driver.Control(kEditorTree);
    const KTreeItem rule = Add(nullptr, u"rule");
    const KPoint at = driver.TreeItemPoint(kEditorTree, rule);
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
    EXPECT_EQ(treeSink.seen, rule);
    EXPECT_EQ(FocusId(), kEditorTree);
    platform.SetWindowSink(tree, nullptr);
  });
}

}  // namespace
