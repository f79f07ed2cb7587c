// Fitting a dialog to its controls with mirrored and fixed margins (animated: the test pane's), client
// rectangles and control shortcuts.
#include "framework/KDialogLayout.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

class KDialogLayoutTest : public KFrameworkTest {
 protected:
  KRect ClientOnScreen(KWnd window) {
    const KPoint origin = platform.ClientToScreen(window, {0, 0});
    return platform.GetClientRect(window).Offset(origin.x, origin.y);
  }
  KPoint ChildInClient(KWnd dialog, int32_t id) {
    KRect rect;
    GetDlgItemRect(dialog, id, rect, nullptr);
    return rect.TopLeft();
  }
};

// The fit dialog's client area is 300 x 163 pixels with the label at 12, 13 and the edit ending at 300, 52;
// the hidden button ends at 315. Growing on the left or the top moves the children, never the dialog.
TEST_F(KDialogLayoutTest, FitGivesTheMarginsAndMovesTheChildrenNotTheDialog) {
  struct Case { uint32_t flags; int32_t margin; KSize client; KPoint label; };
  const Case cases[] = {
      {FIT_RIGHT | FIT_BOTTOM, FIT_MIRROR, {312, 65}, {12, 13}},  // the left and top gaps mirrored
      {FIT_RIGHT | FIT_HIDDEN, FIT_MIRROR, {327, 163}, {12, 13}},
      {FIT_BOTTOM, 8, {300, 65}, {12, 13}},  // 8 vertical dialog units: 13 pixels
      {FIT_LEFT | FIT_PIXELS, 7, {295, 163}, {7, 13}},
      {FIT_LEFT | FIT_TOP | FIT_PIXELS, 0, {288, 150}, {0, 0}},
  };
  for (const Case& c : cases) {
    RunDialog(kFitDialog, sink, [&](KWnd dialog) {
      const KPoint window = platform.GetWindowRect(dialog).TopLeft();
      const KPoint client = ClientOnScreen(dialog).TopLeft();
      EXPECT_EQ(FitToChildren(dialog, c.flags, c.margin), 1);
      EXPECT_EQ(std::tuple(ClientOnScreen(dialog), platform.GetWindowRect(dialog).TopLeft(),
                           ChildInClient(dialog, kFitLabel), ChildInClient(dialog, kFitEdit).x - c.label.x,
                           platform.Window(dialog)->invalid),
                std::tuple(KRect{client.x, client.y, client.x + c.client.cx, client.y + c.client.cy}, window,
                           c.label, 90 - 12, c.label.x != 12 || c.label.y != 13))
          << c.flags;
    });
  }
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    EXPECT_EQ(DialogUnitSize(dialog), (13U << 16) | 6U);
    for (int32_t id : {kFitLabel, kFitEdit}) platform.ShowWindow(driver.Control(id), false);
    const KRect unchanged = platform.GetWindowRect(dialog);
    EXPECT_EQ(FitToChildren(dialog, FIT_RIGHT | FIT_BOTTOM, FIT_MIRROR), 0);  // no counted child
    EXPECT_EQ(platform.GetWindowRect(dialog), unchanged);
  });
}

TEST_F(KDialogLayoutTest, ClientRectsItemRectsAndShortcuts) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    KRect reference{};
    KRect rect;
    EXPECT_EQ(GetDlgItemRect(dialog, kFitEdit, rect, &reference), 1);  // an all-zero reference is filled in
    EXPECT_EQ(std::tuple(reference, rect), std::tuple(ClientOnScreen(dialog), KRect{90, 33, 300, 52}));
    EXPECT_EQ(GetDlgItemRect(dialog, 4242, rect, nullptr), 0);
    EXPECT_EQ(MoveClientRect(dialog, {100, 200, 400, 300}, false), 1);
    EXPECT_EQ(ClientOnScreen(dialog), (KRect{100, 200, 400, 300}));
    EXPECT_EQ(GetDlgItemRect(dialog, 0, rect, nullptr), 1);  // 0 is the dialog: frame 3, caption 22
    EXPECT_EQ(rect, (KRect{97, 175, 403, 303}));

    EXPECT_EQ(EnableDlgItem(dialog, kFitEdit, false), driver.Control(kFitEdit));
    EXPECT_FALSE(driver.IsEnabled(kFitEdit));
    EXPECT_EQ(EnableDlgItem(dialog, 4242, true), nullptr);
    EnableDlgItem(dialog, kFitEdit, true);
    EXPECT_EQ(GotoDlgItem(dialog, kFitEdit), 0);  // the dialog manager answers the request with 0
    EXPECT_EQ(platform.GetFocus(), driver.Control(kFitEdit));
    EXPECT_EQ(GotoDlgItem(dialog, 4242), 0);
  });
}

TEST(KMulDivTest, RoundsHalfAwayFromZero) {
  const int32_t cases[][4] = {{13, 10, 8, 16}, {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, 1, -2, -3}, {7, 3, 0, -1}};
  for (const auto& c : cases) EXPECT_EQ(KMulDiv(c[0], c[1], c[2]), c[3]) << c[0] << "*" << c[1] << "/" << c[2];
}

}  // namespace
