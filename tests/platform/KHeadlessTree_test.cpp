// The tree view's geometry: rows, labels and hit tests as the scroll position moves.
#include "platform/headless/KHeadlessTree.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/KWinDefs.h"

namespace {

// Ten root nodes in a tree three rows high.
class HeadlessTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 10; ++i) {
      KTreeInsert insert;
      insert.text = u"node" + std::u16string(1, static_cast<char16_t>(u'0' + i));
      nodes.push_back(tree.Insert(insert));
    }
  }
  // The node's row, or only its label's part, while it is in view.
  std::optional<KRect> Rect(KHeadlessTree::Item* node, bool label) {
    KRect rect;
    return tree.ItemRect(node, label, rect) ? std::optional(rect) : std::nullopt;
  }
  KHeadlessTree tree{TVS_HASBUTTONS, 200, 3 * KHeadlessTree::kRowHeight};
  std::vector<KHeadlessTree::Item*> nodes;
};

TEST_F(HeadlessTreeTest, HitTestAndItemRectsFollowTheScrollPosition) {
  struct Case { int32_t scroll; KPoint point; int32_t node; uint32_t flags; };  // node -1: none
  const Case cases[] = {
      {0, {2, 5}, 0, TVHT_ONITEMLABEL},    {0, {2, 40}, 2, TVHT_ONITEMLABEL},
      {4, {2, 5}, 4, TVHT_ONITEMLABEL},    {4, {150, 20}, 5, TVHT_ONITEMRIGHT},
      {7, {2, 47}, 9, TVHT_ONITEMLABEL},   {9, {2, 5}, 7, TVHT_ONITEMLABEL},  // 9: the last page stays full
      {0, {2, -1}, -1, TVHT_ABOVE},        {0, {2, 48}, -1, TVHT_BELOW},
  };
  for (const Case& c : cases) {
    tree.ScrollTo(c.scroll);
    uint32_t flags = 0;
    EXPECT_EQ((std::pair{tree.HitTest(c.point, flags), flags}),
              std::pair(c.node < 0 ? nullptr : nodes[c.node], c.flags)) << c.scroll << " " << c.point.y;
  }
  tree.ScrollTo(4);  // the row after the first in view, the last in view, and those scrolled out above and below
  EXPECT_EQ(std::tuple(Rect(nodes[5], false), Rect(nodes[6], true), Rect(nodes[3], false), Rect(nodes[7], false)),
            std::tuple(KRect{0, 16, 200, 32}, KRect{0, 32, 5 * KHeadlessTree::kCharWidth + 4, 48}, std::nullopt,
                       std::nullopt));
  tree.SetClientSize(200, 33);  // one pixel of the third row is in view
  EXPECT_NE(Rect(nodes[6], false), std::nullopt);
}

TEST_F(HeadlessTreeTest, ScrollingStaysWithinTheLimit) {
  std::vector<int32_t> positions{tree.ScrollLimit()};
  for (const int32_t code : {SB_LINEUP, SB_PAGEDOWN, SB_LINEDOWN, SB_BOTTOM, SB_LINEDOWN}) {
    tree.Scroll(code);
    positions.push_back(tree.ScrollPos());
  }
  tree.Remove(nodes[9]);  // fewer rows pull the position back
  positions.push_back(tree.ScrollPos());
  tree.EnsureVisible(nodes[0]);
  positions.push_back(tree.ScrollPos());
  EXPECT_EQ(positions, (std::vector<int32_t>{7, 0, 3, 4, 7, 7, 6, 0}));
}

TEST_F(HeadlessTreeTest, CollapsedChildrenHaveNoRowAndButtonsSitInTheIndent) {
  KTreeInsert insert;
  insert.parent = KHeadlessTree::Handle(nodes[0]);
  insert.text = u"child";
  KHeadlessTree::Item* child = tree.Insert(insert);
  EXPECT_EQ(Rect(child, false), std::nullopt);
  tree.SetExpanded(nodes[0], true);
  constexpr int32_t kIndent = KHeadlessTree::kIndent;
  EXPECT_EQ(Rect(child, true), (KRect{kIndent, 16, kIndent + 5 * KHeadlessTree::kCharWidth + 4, 32}));
  uint32_t flags = 0;
  EXPECT_EQ((std::pair{tree.HitTest({5, 20}, flags), flags}), std::pair(child, TVHT_ONITEMINDENT));  // a leaf
  tree.selected = child;
  tree.SetExpanded(nodes[0], false);  // collapsing moves the selection up to the collapsed node
  EXPECT_EQ(tree.selected, nodes[0]);
}

}  // namespace
