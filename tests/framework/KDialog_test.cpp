// KDialog through the headless driver: placement across two openings, the owner it takes, size limits, help
// routing, the read-only edit colour, tool tips and an animation cut short by closing.
#include "framework/KDialog.h"

#include <gtest/gtest.h>

#include "framework/CWindowRectAnimation.h"
#include "framework/FrameworkTestDialogs.h"
#include "framework/KDialogLayout.h"

namespace {

class KDialogTest : public KFrameworkTest {
 protected:
  // Opens a KDialog on the fit dialog, runs the script in it and closes it with Escape.
  intptr_t Open(KDialog& dialog, const std::function<void()>& script) {
    driver.OnNextDialog([&, script](KWnd) {
      script();
      driver.PressKey(VK_ESCAPE);
    });
    return dialog.DoModal();
  }
  KPoint OpenedAt() {
    KDialog dialog(kFitDialog, nullptr);
    KPoint at;
    Open(dialog, [&] { at = platform.GetWindowRect(driver.Dialog()).TopLeft(); });
    return at;
  }
  KPlacementFolder store;
};

// Without a parent the dialog is owned by the active host window, and its placement is relative to that.
TEST_F(KDialogTest, ReopensWhereItWasClosedRelativeToTheActiveWindow) {
  const KWnd owner = driver.CreateOwnerWindow({100, 100, 900, 700});
  KDialog first(kFitDialog, nullptr);
  EXPECT_EQ(Open(first, [&] { platform.MoveWindow(driver.Dialog(), {250, 180, 556, 371}); }), IDCANCEL);
  platform.MoveWindow(owner, {200, 150, 1000, 750});
  EXPECT_EQ(OpenedAt(), (KPoint{350, 230}));

  KDialog unremembered(kFitDialog, owner);
  unremembered.StartDisabled = 1;
  Open(unremembered, [&] {
    EXPECT_FALSE(platform.IsWindowEnabled(driver.Dialog()));
    platform.MoveWindow(driver.Dialog(), {0, 0, 306, 191});
  });
  EXPECT_EQ(OpenedAt(), (KPoint{350, 230}));
}

TEST_F(KDialogTest, SizeLimitsHoldAMinimumOrAFixedSize) {
  KDialog dialog(kFitDialog, nullptr);
  Open(dialog, [&] {
    platform.Window(driver.Dialog())->style |= WS_THICKFRAME;
    EXPECT_EQ(driver.DragFrame(WMSZ_RIGHT, {0, 0, 200, 100}), (KRect{0, 0, 200, 100}));  // no limits
    dialog.MinWidth = 300;
    dialog.MinHeight = 150;
    EXPECT_EQ(driver.DragFrame(WMSZ_BOTTOMLEFT, {0, 0, 250, 100}), (KRect{-50, 0, 250, 150}));
    EXPECT_EQ(driver.DragFrame(WMSZ_TOPRIGHT, {0, 0, 300, 150}), (KRect{0, 0, 300, 150}));  // at the limit
    dialog.SizeLock = KDIALOG_LOCKWIDTH;
    EXPECT_EQ(driver.DragFrame(WMSZ_RIGHT, {0, 0, 420, 200}), (KRect{0, 0, 300, 200}));
  });
}

TEST_F(KDialogTest, HelpButtonModesAndF1) {
  KDialog dialog(kFitDialog, nullptr);
  Open(dialog, [&] {
    dialog.HelpMode = KDIALOG_HELP_COMMAND;
    driver.PressHelpButton();
    dialog.HelpMode = KDIALOG_HELP_NONE;
    driver.PressHelpButton();
    dialog.HelpMode = KDIALOG_HELP_CONTEXT;
    platform.Window(driver.Dialog())->exStyle |= WS_EX_CONTEXTHELP;
    platform.SetFocus(driver.Control(kFitEdit));
    driver.PressKey(VK_F1);
  });
  std::vector<std::pair<uint32_t, uintptr_t>> requests;
  for (const KHelpRequest& help : driver.HelpRequests()) requests.emplace_back(help.command, help.data);
  EXPECT_EQ(requests, (decltype(requests){{HELP_CONTEXT, 0x20000U + kFitDialog},
                                          {HELP_CONTEXTPOPUP, 0x80000U + kFitEdit}}));
}

// A tip is cut to what the request's own buffer of 80 characters holds besides its terminator.
TEST_F(KDialogTest, ToolTipsWhenSwitchedOnAndGreyReadOnlyEdits) {
  KDialog dialog(kFitDialog, nullptr);
  dialog.Flags = KDIALOG_TOOLTIPS;
  Open(dialog, [&] {
    const std::pair<size_t, size_t> lengths[] = {{78, 78}, {79, 79}, {80, 79}, {300, 79}};
    for (const auto& [length, shown] : lengths) {
      platform.SetText(driver.Control(kFitEdit), std::u16string(length, u'x'));
      EXPECT_EQ(driver.ToolTip(kFitEdit), std::u16string(shown, u'x')) << length;
    }
    EXPECT_EQ(driver.ToolTip(kFitLabel), u"&Label:");
    dialog.Flags = 0;
    EXPECT_EQ(driver.ToolTip(kFitEdit), std::nullopt);

    KCtlColor colors;  // only an edit that is read-only but asks as an edit is grey
    EXPECT_FALSE(dialog.OnCtlColor(driver.Control(kFitEdit), CTLCOLOR_EDIT, colors));
    platform.Window(driver.Control(kFitEdit))->style |= ES_READONLY;
    ASSERT_TRUE(dialog.OnCtlColor(driver.Control(kFitEdit), CTLCOLOR_EDIT, colors));
    EXPECT_EQ(std::tuple(colors.background, colors.stockBrush), std::tuple(0xC0C0C0U, LTGRAY_BRUSH));
  });
  char16_t buffer[256];
  dialog.Flags = KDIALOG_TOOLTIPS;
  EXPECT_EQ(dialog.GetToolTipText(32550, 1, buffer, 256), 0);  // a string without a line break
}

// Closing the dialog while it grows: its timers go with it, so its animation must go too.
TEST_F(KDialogTest, ClosingDuringAnAnimationEndsIt) {
  KDialog dialog(kFitDialog, nullptr);
  Open(dialog, [&] {
    FitToChildren(driver.Dialog(), FIT_RIGHT | FIT_BOTTOM | FIT_ANIMATE, FIT_MIRROR);
    driver.AdvanceClock(100);
  });
  EXPECT_EQ(WindowRectAnimation().GetSize(), 0);
}

}  // namespace
