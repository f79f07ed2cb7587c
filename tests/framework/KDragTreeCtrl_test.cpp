// The drag state machine on the headless tree: the parent's answers, drop positions in twelfths of a row,
// feedback, auto-scroll on the virtual clock, the Control and Escape keys and F2.
#include "framework/KDragTreeCtrl.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"
#include "framework/KDialog.h"
#include "resource.h"
#include "support/KFormat.h"

namespace {

constexpr int32_t kRow = 16;  // the headless tree's row height
constexpr uint32_t kMoveCursor = IDCUR_DRAG_MOVE, kCopyCursor = IDCUR_DRAG_COPY;
constexpr auto kNoDrop = static_cast<uint32_t>(KStdCursor::No);

// The tree's parent, a dialog that Escape would cancel: allows dragging, accepts the node under the cursor
// with `position`, records drops.
class KDragParent : public KDialog {
 public:
  KDragParent() : KDialog(IDD_SETUP, nullptr) { Flags = KDIALOG_NOPLACEMENT; }
  bool OnNotify(KNotify& notify) override {
    if (notify.code < DRAGTREE_BEGINDRAG || notify.code > DRAGTREE_DROP) return false;
    auto* record = static_cast<NMDRAGTREE*>(notify.record);
    if (notify.code == DRAGTREE_BEGINDRAG) notify.result = allowDrag;
    if (notify.code == DRAGTREE_DRAGOVER) {
      if (refuseTarget) record->target = nullptr;
      record->position = position;
    }
    if (notify.code == DRAGTREE_DROP) drops.push_back(*record);
    return true;
  }
  intptr_t allowDrag = 1;
  bool refuseTarget = false;
  int32_t position = DRAGTREE_ON;
  std::vector<NMDRAGTREE> drops;
};

// A tree of 40 nodes with images in the rule editor's dialog.
class KDragTreeCtrlTest : public KFrameworkTest {
 protected:
  void InTree(const std::function<void()>& script) {
    RunDialog(IDD_SETUP, parent, [&](KWnd) {
      window = driver.Control(IDC_TREE);
      ASSERT_EQ(tree.Attach(window), 1);
      platform.TreeSetImageList(window, platform.LoadImageList(IDB_TREE, 16, 0), TVSIL_NORMAL);
      for (int i = 0; i < 40; ++i) {
        KTreeInsert insert;
        insert.parent = TreeRoot();
        insert.text = KFormat(u"n%d", i);
        nodes.push_back(platform.TreeInsertItem(window, insert));
      }
      script();
      tree.Detach();
    });
  }
  // A screen point in the tree's client area, `y` pixels down.
  KPoint At(int32_t y) { return platform.ClientToScreen(window, {30, y}); }
  // Presses on node `row` and moves beyond the drag distance, which starts the drag.
  void StartDrag(int32_t row) {
    driver.MouseDown(At(row * kRow + 8));
    driver.MouseMove(At(row * kRow + 14));
  }
  KHeadlessTree& State() { return *platform.Window(window)->tree; }

  KDragParent parent;
  KDragTreeCtrl tree;
  KWnd window = nullptr;
  std::vector<KTreeItem> nodes;
};

// A tree without images has no picture of a node to drag, on Win32 as here.
TEST_F(KDragTreeCtrlTest, RefusedBeginOrNoImagesLeaveTheNodeSelectedWithoutADrag) {
  InTree([&] {
    for (const bool images : {true, false}) {
      parent.allowDrag = images ? 0 : 1;
      if (!images) platform.TreeSetImageList(window, nullptr, TVSIL_NORMAL);
      StartDrag(images ? 2 : 3);
      EXPECT_FALSE(tree.IsDragging());
      EXPECT_EQ(platform.TreeGetNextItem(window, nullptr, TVGN_CARET), nodes[images ? 2 : 3]);
      EXPECT_EQ(platform.GetCapture(), nullptr);
      driver.MouseUp(At(0));
    }
  });
}

TEST_F(KDragTreeCtrlTest, PositionsResolveByTwelfthsOfTheRowAndARefusedTargetDropsNothing) {
  // The parent's answer, the pixel inside the target's row, the position it resolves to; a refused target
  // gives the no-drop cursor and no drop.
  struct Case { int32_t asked; int32_t offset; int32_t resolved; bool refused = false; };
  const Case cases[] = {
      {7, 0, DRAGTREE_BEFORE}, {7, 4, DRAGTREE_BEFORE}, {7, 5, DRAGTREE_ON},     {7, 9, DRAGTREE_ON},
      {7, 10, DRAGTREE_AFTER}, {7, 15, DRAGTREE_AFTER}, {6, 7, DRAGTREE_BEFORE}, {6, 8, DRAGTREE_AFTER},
      {3, 4, DRAGTREE_BEFORE}, {3, 15, DRAGTREE_ON},    {5, 9, DRAGTREE_ON},     {5, 10, DRAGTREE_AFTER},
      {1, 0, DRAGTREE_ON},     {0, 8, 0},               {7, 8, 0, true},
  };
  InTree([&] {
    for (const auto& [asked, offset, resolved, refused] : cases) {
      SCOPED_TRACE(testing::Message() << asked << " at " << offset);
      parent.position = asked;
      parent.refuseTarget = refused;
      parent.drops.clear();
      StartDrag(1);
      ASSERT_TRUE(tree.IsDragging());
      driver.MouseMove(At(5 * kRow + offset));
      const bool mark = resolved == DRAGTREE_BEFORE || resolved == DRAGTREE_AFTER;
      EXPECT_EQ(std::tuple(State().dropHighlight != nullptr, State().insertMark != nullptr,
                           mark && State().insertMarkAfter, driver.CursorId()),
                std::tuple(resolved == DRAGTREE_ON, mark, resolved == DRAGTREE_AFTER,
                           refused ? kNoDrop : kMoveCursor));
      driver.MouseUp(At(5 * kRow + offset));
      std::vector<std::tuple<KTreeItem, KTreeItem, int32_t>> drops;
      for (const NMDRAGTREE& drop : parent.drops) drops.emplace_back(drop.item, drop.target, drop.position);
      EXPECT_EQ(std::tuple(tree.IsDragging(), State().insertMark, State().dropHighlight, drops),
                std::tuple(false, nullptr, nullptr,
                           refused ? decltype(drops){} : decltype(drops){{nodes[1], nodes[5], resolved}}));
    }
  });
}

TEST_F(KDragTreeCtrlTest, ControlSwitchesCopyAndEscapeOrCancelModeEndWithoutDropAndF2Edits) {
  InTree([&] {
    StartDrag(1);
    driver.MouseMove(At(5 * kRow + 8));
    EXPECT_EQ(driver.CursorId(), kMoveCursor);
    driver.KeyDown(VK_CONTROL);
    EXPECT_EQ(std::tuple(tree.Copy(), driver.CursorId()), std::tuple(1, kCopyCursor));
    driver.KeyUp(VK_CONTROL);
    EXPECT_EQ(std::tuple(tree.Copy(), driver.CursorId()), std::tuple(0, kMoveCursor));

    // The tree holds the capture: Escape is the tree's, not the dialog's. The system's cancel mode too
    // ends the drag, and the button-up drops nothing.
    for (const bool escape : {true, false}) {
      if (!escape) StartDrag(1);
      driver.MouseMove(At(5 * kRow + 8));  // over a target that would take the drop
      escape ? driver.PressKey(VK_ESCAPE) : driver.CancelMode();
      EXPECT_EQ(std::tuple(driver.Dialog() != nullptr, tree.IsDragging(), platform.GetCapture(), platform.Drag().began),
                std::tuple(true, false, nullptr, false));
      driver.MouseUp(At(5 * kRow + 8));
      EXPECT_TRUE(parent.drops.empty());
    }

    driver.SelectTreeItem(IDC_TREE, nodes[3]);
    driver.KeyDown(VK_F2);
    EXPECT_EQ(State().editing, static_cast<KHeadlessTree::Item*>(State().Find(nodes[3])));
    EXPECT_NE(platform.TreeGetEditControl(window), nullptr);
  });
}

TEST_F(KDragTreeCtrlTest, AutoScrollsOneLineEvery75MillisecondsNearEitherEdge) {
  InTree([&] {
    for (int i = 0; i < 3; ++i) platform.Scroll(window, SB_VERT, SB_LINEDOWN);
    StartDrag(1);
    driver.MouseMove(At(20));  // exactly 20 pixels down: outside the zone
    driver.AdvanceClock(150);
    EXPECT_EQ(platform.GetScrollPos(window, SB_VERT), 3);

    driver.MouseMove(At(19));
    std::vector<int32_t> positions;
    for (const uint32_t pause : {74, 1, 74, 1, 74, 1, 74, 1, 74, 1}) {
      driver.AdvanceClock(pause);
      positions.push_back(platform.GetScrollPos(window, SB_VERT));
    }
    // The timer was due 150 ms after the drag began, so every tick falls 1 ms after a pause of 74.
    EXPECT_EQ(positions, (std::vector<int32_t>{3, 2, 2, 1, 1, 0, 0, 0, 0, 0}));

    const int32_t bottom = platform.GetClientRect(window).bottom;
    driver.MouseMove(At(bottom + 30));  // below the control
    driver.AdvanceClock(75 * 3);
    EXPECT_EQ(platform.GetScrollPos(window, SB_VERT), 3);
    driver.MouseUp(At(bottom + 30));
  });
}

}  // namespace
