// The placement store through "pos.ini" and the keep-on-screen correction on several monitor layouts.
#include "framework/KPlacement.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

// Two 1000 x 800 monitors side by side, each with a task bar of 40 pixels at the bottom.
const std::vector<KMonitorInfo> kTwoMonitors = {
    {{0, 0, 1000, 800}, {0, 0, 1000, 760}, true},
    {{1000, 0, 2000, 800}, {1000, 0, 2000, 760}, false},
};

class KPlacementTest : public KFrameworkTest {
 protected:
  KPlacementTest() { driver.SetMonitors(kTwoMonitors); }
  std::u16string Stored() {
    return platform.ReadProfileValue(PlacementProfilePath(), u"ZAKRegExChecks", u"Dlg9001", u"", 80);
  }
  // Runs the fit dialog moved to `rect` with the script.
  void At(const KRect& rect, const std::function<void(KWnd)>& script) {
    RunDialog(kFitDialog, sink, [&](KWnd dialog) {
      platform.MoveWindow(dialog, rect);
      script(dialog);
    });
  }

  KPlacementFolder store;
};

// Relative to the owner, with "x" and "y" when the edges lie within one work area, at its edges too.
TEST_F(KPlacementTest, MarkersRecordWhichEdgesFitAWorkAreaInPosIni) {
  EXPECT_EQ(PlacementProfilePath(), testhost::ToU16(store.dir.Path() / "pos.ini"));
  const auto save = [&](KWnd dialog) { EXPECT_EQ(SavePlacement(dialog, kFitDialog, nullptr), 1); };
  At({10, 10, 310, 210}, save);  // no owner and no active window: absolute, no markers
  EXPECT_EQ(Stored(), u"10,10,300,200");
  driver.CreateOwnerWindow({100, 50, 900, 650});  // from now on the owner of a dialog without one
  const std::pair<KRect, std::u16string> cases[] = {
      {{140, 80, 460, 280}, u"40,30,320,200,rxy"},
      {{900, 700, 1200, 900}, u"800,650,300,200,r"},  // across both monitors, below the work areas
      {{1000, 0, 1300, 760}, u"900,-50,300,760,rxy"},  // on the second work area's edges
  };
  for (const auto& [rect, value] : cases) {
    At(rect, save);
    EXPECT_EQ(Stored(), value);
  }
  SetPlacementFolder(u"");
  EXPECT_EQ(PlacementProfilePath(), u"pos.ini");
}

TEST_F(KPlacementTest, NoStoredValueCentresAndAnAbsoluteOneOffEveryMonitorIsMovedBack) {
  driver.CreateOwnerWindow({0, 0, 1000, 800});
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    EXPECT_EQ(RestorePlacement(dialog, kFitDialog, nullptr, nullptr), 0);
    const KRect rect = platform.GetWindowRect(dialog);
    EXPECT_EQ(rect.TopLeft(), (KPoint{(1000 - rect.Width()) / 2, (800 - rect.Height()) / 2}));
    platform.WriteProfileValue(PlacementProfilePath(), u"ZAKRegExChecks", u"Dlg9001", u"2500,300,500,302");
    EXPECT_EQ(RestorePlacement(dialog, kFitDialog, nullptr, nullptr), 1);
    // Flags 0: 32 pixels of the width must reach onto the second monitor.
    EXPECT_EQ(platform.GetWindowRect(dialog).TopLeft(), (KPoint{2000 - 32, 300}));
  });
}

TEST_F(KPlacementTest, KeepOnScreenScoresTheMonitorsAndMovesIntoTheBest) {
  // What the row shows, where the window starts, the flags, the answer and where the window ends.
  const std::tuple<const char*, KRect, uint32_t, int32_t, KPoint> cases[] = {  // windows of 300 x 200
      {"acceptable on the second monitor", {1500, 100, 1800, 300}, 0x3, 1, {1500, 100}},
      {"32 pixels of width suffice", {-268, 100, 32, 300}, 0, 1, {-268, 100}},
      {"31 pixels do not", {-269, 100, 31, 300}, 0, 0, {-268, 100}},
      {"whole width demanded", {-10, 100, 290, 300}, 0x9, 0, {1, 100}},
      {"whole, exactly on the work area", {0, 560, 300, 760}, 0x3, 1, {0, 560}},
      {"overlap decides: more on the second", {880, 100, 1180, 300}, 0x1, 0, {1000, 100}},
      {"nearest centre when off all", {2500, 2000, 2800, 2200}, 0x3, 0, {1700, 560}},
      {"only the first monitor", {1500, 100, 1800, 300}, 0x7, 0, {700, 100}},
      {"test only never moves", {-500, 100, -200, 300}, 0x11, 0, {-500, 100}},
      {"height below the work area", {100, 700, 400, 900}, 0x2, 0, {100, 560}},
      {"a corrected 0 becomes 1", {-400, -400, -100, -200}, 0x3, 0, {1, 1}},
  };
  for (const auto& [what, start, flags, answer, end] : cases)
    At(start, [&](KWnd dialog) {
      EXPECT_EQ(KeepOnScreen(dialog, flags), answer) << what;
      EXPECT_EQ(platform.GetWindowRect(dialog), (KRect{end.x, end.y, end.x + 300, end.y + 200})) << what;
    });
  // The monitors as the correction sees them (a braced list evaluates in order: the count, then the rectangle).
  KRect rects[2];
  EXPECT_EQ(EnumWorkAreas(nullptr, 0, true), 2);
  EXPECT_EQ((std::tuple{EnumWorkAreas(rects, 1, true), rects[0]}), std::tuple(1, KRect{0, 0, 1000, 760}));
  EXPECT_EQ((std::tuple{EnumWorkAreas(rects, 2, false), rects[1]}), std::tuple(2, KRect{1000, 0, 2000, 800}));
  driver.SetMonitors({});  // a system that lists none still has its primary work area, whole screen or not
  EXPECT_EQ(EnumWorkAreas(nullptr, 0, true), 1);
  EXPECT_EQ((std::tuple{EnumWorkAreas(rects, 2, false), rects[0]}), std::tuple(1, KRect{0, 0, 1000, 760}));
}

// Only the first eight monitors count: a window on the ninth is off them all.
TEST_F(KPlacementTest, EightMonitorsCount) {
  std::vector<KMonitorInfo> row;
  for (int32_t left = 0; left <= 8000; left += 1000) {
    const KRect screen{left, 0, left + 1000, 800};
    row.push_back({screen, screen});
  }
  driver.SetMonitors(row);
  for (const auto& [left, answer] : {std::pair{7000, 1}, {8000, 0}})
    At({left, 100, left + 300, 300}, [&](KWnd dialog) { EXPECT_EQ(KeepOnScreen(dialog, 0x3), answer) << left; });
}

}  // namespace
