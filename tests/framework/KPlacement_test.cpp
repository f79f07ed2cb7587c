// The placement store through "pos.ini" and the keep-on-screen correction on several monitor layouts.
#include "framework/KPlacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/FrameworkTestDialogs.h"
#include "support/KFormat.h"

namespace {

// Two 1000 x 800 monitors side by side, each with a task bar of 40 pixels at the bottom.
const std::vector<KMonitorInfo> kTwoMonitors = {
    {{0, 0, 1000, 800}, {0, 0, 1000, 760}, true},
    {{1000, 0, 2000, 800}, {1000, 0, 2000, 760}, false},
};

class KPlacementTest : public ::testing::Test, public KFrameworkTest {
 protected:
  KPlacementTest() {
    folder = std::filesystem::temp_directory_path() /
             ("ip_placement_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    SetPlacementFolder(folder.u16string());
  }
  ~KPlacementTest() override {
    SetPlacementFolder(u"");
    std::filesystem::remove_all(folder);
  }
  std::u16string Stored(uint32_t templateId) {
    return platform.ReadProfileValue(PlacementProfilePath(), u"ZAKRegExChecks", KFormat(u"Dlg%u", templateId), u"",
                                     80);
  }
  // A window of the given screen rectangle: the fit dialog moved there.
  KRect Corrected(const KRect& start, uint32_t flags, int32_t* result = nullptr) {
    KRect end;
    RunDialog(kFitDialog, sink, [&](KWnd dialog) {
      platform.MoveWindow(dialog, start);
      const int32_t answer = KeepOnScreen(dialog, flags);
      if (result) *result = answer;
      end = platform.GetWindowRect(dialog);
    });
    return end;
  }

  std::filesystem::path folder;
  KPlainSink sink;
};

TEST_F(KPlacementTest, ProfilePathJoinsTheFolderAndPosIni) {
  EXPECT_EQ(PlacementProfilePath(), (folder / "pos.ini").u16string());
  SetPlacementFolder(u"");
  EXPECT_EQ(PlacementProfilePath(), u"pos.ini");
}

TEST_F(KPlacementTest, RoundTripRelativeToTheOwner) {
  const KWnd owner = driver.CreateOwnerWindow({100, 50, 900, 650});
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    platform.MoveWindow(dialog, {140, 80, 460, 280});
    EXPECT_EQ(SavePlacement(dialog, kFitDialog, nullptr), 1);
  }, owner);
  EXPECT_EQ(Stored(kFitDialog), u"40,30,320,200,rxy");

  platform.MoveWindow(owner, {300, 100, 1100, 700});
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    EXPECT_EQ(RestorePlacement(dialog, kFitDialog, nullptr, nullptr), 1);
    // The frame is fixed: the position follows the owner, the size stays the template's.
    const KRect rect = platform.GetWindowRect(dialog);
    EXPECT_EQ(rect.TopLeft(), (KPoint{340, 130}));
    EXPECT_EQ(rect.Width(), 306);
  }, owner);
}

TEST_F(KPlacementTest, MarkersRecordWhichEdgesFitAWorkArea) {
  driver.SetMonitors(kTwoMonitors);
  const KWnd owner = driver.CreateOwnerWindow({0, 0, 800, 600});
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    platform.MoveWindow(dialog, {900, 700, 1200, 900});  // across both monitors, below the work areas
    SavePlacement(dialog, kFitDialog, nullptr);
    EXPECT_EQ(Stored(kFitDialog), u"900,700,300,200,r");
    platform.MoveWindow(dialog, {1100, 100, 1400, 300});
    SavePlacement(dialog, kFitDialog, nullptr);
    EXPECT_EQ(Stored(kFitDialog), u"1100,100,300,200,rxy");
  }, owner);
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    platform.MoveWindow(dialog, {10, 10, 310, 210});
    SavePlacement(dialog, kFitDialog, nullptr);  // no owner: absolute, no markers
  });
  EXPECT_EQ(Stored(kFitDialog), u"10,10,300,200");
}

TEST_F(KPlacementTest, NoStoredValueCentresTheDialog) {
  const KWnd owner = driver.CreateOwnerWindow({0, 0, 1000, 800});
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    EXPECT_EQ(RestorePlacement(dialog, kFitDialog, nullptr, nullptr), 0);
    const KRect rect = platform.GetWindowRect(dialog);
    EXPECT_EQ(rect.left, (1000 - rect.Width()) / 2);
    EXPECT_EQ(rect.top, (800 - rect.Height()) / 2);
  }, owner);
}

TEST_F(KPlacementTest, AbsoluteValueOffEveryMonitorIsMovedBack) {
  driver.SetMonitors(kTwoMonitors);
  platform.WriteProfileValue(PlacementProfilePath(), u"ZAKRegExChecks", u"Dlg9001", u"2500,300,500,302");
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    RestorePlacement(dialog, kFitDialog, nullptr, nullptr);
    // Flags 0: 32 pixels of the width must reach onto the second monitor.
    EXPECT_EQ(platform.GetWindowRect(dialog).left, 2000 - 32);
    EXPECT_EQ(platform.GetWindowRect(dialog).top, 300);
  });
}

// Each case: where the window starts (300 x 200), the flags, the answer and where it ends.
struct KeepCase {
  const char* what;
  KRect start;
  uint32_t flags;
  int32_t answer;
  KPoint end;
};

TEST_F(KPlacementTest, KeepOnScreenScoresTheMonitorsAndMovesIntoTheBest) {
  driver.SetMonitors(kTwoMonitors);
  const KeepCase cases[] = {
      {"acceptable on the second monitor", {1500, 100, 1800, 300}, 0x3, 1, {1500, 100}},
      {"32 pixels of width suffice", {-268, 100, 32, 300}, 0, 1, {-268, 100}},
      {"31 pixels do not", {-269, 100, 31, 300}, 0, 0, {-268, 100}},
      {"whole width demanded", {-10, 100, 290, 300}, 0x9, 0, {1, 100}},
      {"overlap decides: more on the second", {880, 100, 1180, 300}, 0x1, 0, {1000, 100}},
      {"nearest centre when off all", {2500, 2000, 2800, 2200}, 0x3, 0, {1700, 560}},
      {"only the first monitor", {1500, 100, 1800, 300}, 0x7, 0, {700, 100}},
      {"test only never moves", {-500, 100, -200, 300}, 0x11, 0, {-500, 100}},
      {"height below the work area", {100, 700, 400, 900}, 0x2, 0, {100, 560}},
      {"a corrected 0 becomes 1", {-400, -400, -100, -200}, 0x3, 0, {1, 1}},
  };
  for (const KeepCase& c : cases) {
    int32_t answer = -1;
    const KRect end = Corrected(c.start, c.flags, &answer);
    EXPECT_EQ(answer, c.answer) << c.what;
    EXPECT_EQ(end.TopLeft(), c.end) << c.what;
    EXPECT_EQ(end.Width(), 300) << c.what;
  }
}

TEST_F(KPlacementTest, EnumWorkAreasCountsAndCopies) {
  driver.SetMonitors(kTwoMonitors);
  KRect rects[2];
  EXPECT_EQ(EnumWorkAreas(nullptr, 0, true), 2);
  EXPECT_EQ(EnumWorkAreas(rects, 1, true), 1);
  EXPECT_EQ(rects[0], (KRect{0, 0, 1000, 760}));
  EXPECT_EQ(EnumWorkAreas(rects, 2, false), 2);
  EXPECT_EQ(rects[1], (KRect{1000, 0, 2000, 800}));
}

}  // namespace
