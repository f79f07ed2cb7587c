// The tree view's geometry: rows, labels and hit tests as the scroll position moves.
#include "platform/headless/KHeadlessTree.h"

#include <gtest/gtest.h>

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
  tree.ScrollTo(4);
  KRect row;
  ASSERT_TRUE(tree.ItemRect(nodes[5], false, row));
  EXPECT_EQ(row, (KRect{0, 16, 200, 32}));
  ASSERT_TRUE(tree.ItemRect(nodes[6], true, row));  // the last row in view
  EXPECT_EQ(row, (KRect{0, 32, 5 * KHeadlessTree::kCharWidth + 4, 48}));
  EXPECT_FALSE(tree.ItemRect(nodes[3], false, row));  // scrolled out above and below: no rectangle
  EXPECT_FALSE(tree.ItemRect(nodes[7], false, row));
  tree.SetClientSize(200, 33);  // one pixel of the third row is in view
  EXPECT_TRUE(tree.ItemRect(nodes[6], false, row));
}

TEST_F(HeadlessTreeTest, ScrollingStaysWithinTheLimit) {
  EXPECT_EQ(tree.ScrollLimit(), 7);
  tree.Scroll(SB_LINEUP);
  EXPECT_EQ(tree.ScrollPos(), 0);
  tree.Scroll(SB_PAGEDOWN);
  tree.Scroll(SB_LINEDOWN);
  EXPECT_EQ(tree.ScrollPos(), 4);
  tree.Scroll(SB_BOTTOM);
  tree.Scroll(SB_LINEDOWN);
  EXPECT_EQ(tree.ScrollPos(), 7);
  tree.Remove(nodes[9]);  // fewer rows pull the position back
  EXPECT_EQ(tree.ScrollPos(), 6);
  tree.EnsureVisible(nodes[0]);
  EXPECT_EQ(tree.ScrollPos(), 0);
}

TEST_F(HeadlessTreeTest, CollapsedChildrenHaveNoRowAndButtonsSitInTheIndent) {
  KTreeInsert insert;
  insert.parent = KHeadlessTree::Handle(nodes[0]);
  insert.text = u"child";
  KHeadlessTree::Item* child = tree.Insert(insert);
  KRect rect;
  EXPECT_FALSE(tree.ItemRect(child, false, rect));
  tree.SetExpanded(nodes[0], true);
  ASSERT_TRUE(tree.ItemRect(child, true, rect));
  EXPECT_EQ(rect.left, KHeadlessTree::kIndent);
  uint32_t flags = 0;
  EXPECT_EQ((std::pair{tree.HitTest({5, 20}, flags), flags}), std::pair(child, TVHT_ONITEMINDENT));  // a leaf
  tree.selected = child;
  tree.SetExpanded(nodes[0], false);  // collapsing moves the selection up to the collapsed node
  EXPECT_EQ(tree.selected, nodes[0]);
}

}  // namespace
