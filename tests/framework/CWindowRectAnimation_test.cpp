// The resize animation on the virtual clock: the ease-out curve, the end and replacing a running one
// (the animated fit is with the layout functions, closing a dialog during one with the dialog).
#include "framework/CWindowRectAnimation.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

using CWindowRectAnimationTest = KFrameworkTest;

TEST_F(CWindowRectAnimationTest, MovesAlongTheCurveAndEndsExactlyAtTheTarget) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    const KRect from{0, 0, 400, 200};
    const KRect to{400, 100, 1200, 500};
    platform.MoveWindow(dialog, from);
    const uintptr_t timer = WindowRectAnimation().Start(dialog, from, to);
    // Ticks come every 10 ms; a step at 167 ms (50 % of 333) finds the window 75 % of the way: ease-out.
    driver.AdvanceClock(167);
    WindowRectAnimation().Step(dialog, timer);
    EXPECT_EQ(platform.GetWindowRect(dialog), (KRect{300, 75, 1000, 425}));
    driver.AdvanceClock(164);  // 331 ms: 99 % of the time, 99 % of the way
    WindowRectAnimation().Step(dialog, timer);
    EXPECT_EQ(platform.GetWindowRect(dialog).right, 1192);
    driver.AdvanceClock(1);  // 332 ms rounds to 100 %: exactly at the end, and the animation is over
    WindowRectAnimation().Step(dialog, timer);
    EXPECT_EQ(std::tuple(platform.GetWindowRect(dialog), WindowRectAnimation().GetSize()), std::tuple(to, 0));
  });
}

TEST_F(CWindowRectAnimationTest, SecondStartReplacesTheRunningAnimation) {
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    const uintptr_t first = WindowRectAnimation().Start(dialog, {0, 0, 100, 100}, {100, 0, 200, 100});
    driver.AdvanceClock(100);
    const KRect midway = platform.GetWindowRect(dialog);
    const uintptr_t second = WindowRectAnimation().Start(dialog, midway, {0, 0, 100, 100});
    EXPECT_EQ(std::tuple(WindowRectAnimation().GetSize(), second),
              std::tuple(1, first));  // the identifier just freed
    driver.AdvanceClock(400);
    EXPECT_EQ(platform.GetWindowRect(dialog), (KRect{0, 0, 100, 100}));
  });
}

}  // namespace
