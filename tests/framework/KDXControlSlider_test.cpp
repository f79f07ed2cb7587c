// Slider bindings: the position within the range that the binding's minimum and maximum give the slider.
#include "framework/KDXControlSlider.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

using KDXControlSliderTest = KBindingTest;

TEST_F(KDXControlSliderTest, PositionsRoundTripWithinTheBindingsRange) {
  KDXControl* slider = Bind(0x010D, kKindsSlider);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(set.SetRange(kKindsSlider, 10, 20), 0);  // no dialog yet: the range waits for the slider
  InDialog([&](KWnd) {
    int32_t minimum = 0, maximum = 0;
    platform.SliderGetRange(driver.Control(kKindsSlider), minimum, maximum);
    EXPECT_EQ(std::make_pair(minimum, maximum), std::make_pair(10, 20));
    const std::pair<int32_t, int32_t> cases[] = {{10, 10}, {20, 20}, {21, 20}, {9, 10}};
    for (auto [shown, readBack] : cases) {
      int32_t position = shown;
      EXPECT_EQ(set.SetData(kKindsSlider, &position), 1);
      EXPECT_EQ(GetData(set, kKindsSlider, 0), std::pair(1, readBack)) << shown;
    }
    driver.MoveSlider(kKindsSlider, 12);
    EXPECT_EQ(GetData(set, kKindsSlider, 0), std::pair(1, 12));
    slider->Data->Minimum.clear();  // an open range leaves the slider's own
    slider->Data->Maximum = u"50";
    EXPECT_EQ(slider->ApplyRange(), 1);
    platform.SliderGetRange(driver.Control(kKindsSlider), minimum, maximum);
    EXPECT_EQ(maximum, 20);
  });
}

}  // namespace
