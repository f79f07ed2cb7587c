// Slider bindings: the position within the range that the binding's minimum and maximum give the slider.
#include "framework/KDXControlSlider.h"

#include <gtest/gtest.h>

#include "framework/KDXControlSet.h"
#include "platform/ControlKindsDialog.h"

namespace {

class KDXControlSliderTest : public ::testing::Test, public KControlKindsTest {
 protected:
  KWindowSink sink;
};

TEST_F(KDXControlSliderTest, PositionsRoundTripWithinTheBindingsRange) {
  struct Case {
    int32_t shown;
    int32_t readBack;
  };
  const Case cases[] = {{15, 15}, {10, 10}, {20, 20}, {25, 20}, {-3, 10}};
  RunKindsDialog(sink, [&](KWnd dialog) {
    KDXControlSet set;
    ASSERT_EQ(set.Add(0x010D, kKindsSlider, nullptr, -1), 1);
    EXPECT_EQ(set.SetRange(kKindsSlider, 10, 20), 0);  // no dialog yet: the range waits for the slider
    set.Attach(dialog);
    int32_t minimum = 0;
    int32_t maximum = 0;
    platform.SliderGetRange(driver.Control(kKindsSlider), minimum, maximum);
    EXPECT_EQ(minimum, 10);
    EXPECT_EQ(maximum, 20);
    for (const Case& c : cases) {
      int32_t position = c.shown;
      EXPECT_EQ(set.SetData(kKindsSlider, &position), 1);
      EXPECT_EQ(set.GetData(kKindsSlider, &position), 1);
      EXPECT_EQ(position, c.readBack) << c.shown;
    }
    driver.MoveSlider(kKindsSlider, 12);
    int32_t position = 0;
    set.GetData(kKindsSlider, &position);
    EXPECT_EQ(position, 12);
    set.Find(kKindsSlider)->Data->Minimum.clear();  // an open range leaves the slider's own
    set.Find(kKindsSlider)->Data->Maximum = u"50";
    EXPECT_EQ(set.Find(kKindsSlider)->ApplyRange(), 1);
    platform.SliderGetRange(driver.Control(kKindsSlider), minimum, maximum);
    EXPECT_EQ(maximum, 20);
  });
}

}  // namespace
