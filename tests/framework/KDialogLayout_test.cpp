// Fitting a dialog to its controls with mirrored and fixed margins, client rectangles and control shortcuts.
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
  KRect ChildInClient(KWnd dialog, int32_t id) {
    KRect rect;
    GetDlgItemRect(dialog, id, rect, nullptr);
    return rect;
  }
};

TEST_F(KDialogLayoutTest, MirroredMarginGivesTheRightAndBottomTheLeftAndTopGaps) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    const KRect before = ClientOnScreen(dialog);
    EXPECT_EQ(ChildInClient(dialog, kFitLabel), (KRect{12, 13, 72, 26}));
    EXPECT_EQ(FitToChildren(dialog, FIT_RIGHT | FIT_BOTTOM, FIT_MIRROR), 1);
    const KRect after = ClientOnScreen(dialog);
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    EXPECT_EQ(after.Width(), 300 + 12);  // the hidden button does not count
    EXPECT_EQ(after.Height(), 52 + 13);

    EXPECT_EQ(FitToChildren(dialog, FIT_RIGHT | FIT_HIDDEN, FIT_MIRROR), 1);
    EXPECT_EQ(ClientOnScreen(dialog).right, before.left + ChildInClient(dialog, kFitHidden).right + 12);
  });
}

TEST_F(KDialogLayoutTest, LeftMarginInPixelsMovesTheChildrenNotTheDialog) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    const KRect window = platform.GetWindowRect(dialog);
    const KRect client = ClientOnScreen(dialog);
    EXPECT_EQ(FitToChildren(dialog, FIT_LEFT | FIT_PIXELS, 7), 1);
    EXPECT_EQ(ChildInClient(dialog, kFitLabel).left, 7);
    EXPECT_EQ(ChildInClient(dialog, kFitEdit).left, 90 - 5);
    EXPECT_EQ(platform.GetWindowRect(dialog).TopLeft(), window.TopLeft());
    EXPECT_EQ(ClientOnScreen(dialog).Width(), client.Width() - 5);
    EXPECT_TRUE(platform.Window(dialog)->invalid);
  });
}

TEST_F(KDialogLayoutTest, MarginInDialogUnitsAndNoCountedChild) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    EXPECT_EQ(DialogUnitSize(dialog), (13U << 16) | 6U);
    EXPECT_EQ(FitToChildren(dialog, FIT_BOTTOM, 8), 1);  // 8 vertical units: 13 pixels
    EXPECT_EQ(platform.GetClientRect(dialog).bottom, 52 + 13);
    for (int32_t id : {kFitLabel, kFitEdit}) platform.ShowWindow(driver.Control(id), false);
    const KRect unchanged = platform.GetWindowRect(dialog);
    EXPECT_EQ(FitToChildren(dialog, FIT_RIGHT | FIT_BOTTOM, FIT_MIRROR), 0);
    EXPECT_EQ(platform.GetWindowRect(dialog), unchanged);
  });
}

TEST_F(KDialogLayoutTest, ClientRectsItemRectsAndShortcuts) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    KRect reference{};
    KRect rect;
    EXPECT_EQ(GetDlgItemRect(dialog, kFitEdit, rect, &reference), 1);
    EXPECT_EQ(reference, ClientOnScreen(dialog));  // an all-zero reference is filled in
    EXPECT_EQ(rect, (KRect{90, 33, 300, 52}));
    EXPECT_EQ(GetDlgItemRect(dialog, 4242, rect, nullptr), 0);
    EXPECT_EQ(MoveClientRect(dialog, {100, 200, 400, 300}, false), 1);
    EXPECT_EQ(ClientOnScreen(dialog), (KRect{100, 200, 400, 300}));
    EXPECT_EQ(GetDlgItemRect(dialog, 0, rect, nullptr), 1);  // 0 is the dialog: frame 3, caption 22
    EXPECT_EQ(rect, (KRect{97, 175, 403, 303}));

    EXPECT_EQ(EnableDlgItem(dialog, kFitEdit, false), driver.Control(kFitEdit));
    EXPECT_FALSE(driver.IsEnabled(kFitEdit));
    EXPECT_EQ(EnableDlgItem(dialog, 4242, true), nullptr);
    EnableDlgItem(dialog, kFitEdit, true);
    platform.SetText(driver.Control(kFitEdit), u"abc");
    EXPECT_EQ(GotoDlgItem(dialog, kFitEdit), 0);  // the dialog manager answers the request with 0
    EXPECT_EQ(platform.GetFocus(), driver.Control(kFitEdit));
    EXPECT_EQ(platform.GetSelection(driver.Control(kFitEdit)), (KTextRange{0, 3}));
  });
}

TEST(KMulDivTest, RoundsHalfAwayFromZero) {
  const int32_t cases[][4] = {{13, 10, 8, 16}, {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, 1, -2, -3}, {7, 3, 0, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(KMulDiv(c[0], c[1], c[2]), c[3]) << c[0] << "*" << c[1] << "/" << c[2];
}

}  // namespace
