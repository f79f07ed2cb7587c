// Date/time picker bindings: date, time of day or both in the file-time text form, and the no-date state.
#include "framework/KDXControlDateTimePick.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"
#include "framework/KDXDataNumerical.h"

namespace {

class KDXControlDateTimePickTest : public KBindingTest {
 protected:
  KSystemTime Shown(int32_t id) {
    KSystemTime time;
    EXPECT_TRUE(platform.DateTimeGet(driver.Control(id), time));
    return time;
  }
};

TEST_F(KDXControlDateTimePickTest, FileTimesRoundTripInEachModeAndKeepThePickersOtherPart) {
  const KSystemTime shown[] = {
      // mode 0, 1 and 2; the picker starts at 2000-01-01 12:00:00
      {2024, 2, 4, 29, 12, 0, 0, 0},
      {2000, 1, 6, 1, 13, 45, 10, 0},
      {2024, 2, 4, 29, 13, 45, 10, 0},
  };
  const uint64_t leapDay = KDXFileTimeFromSystemTime({2024, 2, 0, 29, 13, 45, 10, 0});
  for (int32_t mode = 0; mode < 3; ++mode) {
    InDialog([&](KWnd) {
      KDXControlSet own;
      ASSERT_NE(BindAlone(own, 0x1108, kKindsPicker, mode), nullptr);
      uint64_t fileTime = leapDay;
      EXPECT_EQ(own.SetData(kKindsPicker, &fileTime), 1);
      EXPECT_EQ(Shown(kKindsPicker), shown[mode]) << mode;
      // The variable keeps the part the mode does not show.
      EXPECT_EQ(GetData(own, kKindsPicker, fileTime), std::pair(1, leapDay)) << mode;
    });
  }
}

// No date is 0, and only a picker with the no-date style shows it.
TEST_F(KDXControlDateTimePickTest, NoDateAndTextVariables) {
  InDialog([&](KWnd) {
    Bind(0x1108, kKindsPicker, 2);
    Bind(0x1108, kKindsDateOnly, 2);
    uint64_t none = 0;
    EXPECT_EQ(set.SetData(kKindsPicker, &none), 1);
    KSystemTime time;
    EXPECT_FALSE(platform.DateTimeGet(driver.Control(kKindsPicker), time));
    EXPECT_EQ(set.SetData(kKindsDateOnly, &none), 0);
    EXPECT_EQ(Shown(kKindsDateOnly).year, 2000);

    const KSystemTime picked{2023, 7, 0, 14, 8, 30, 0, 0};
    driver.SetDateTime(kKindsPicker, &picked);
    const auto [answer, fileTime] = GetData(set, kKindsPicker, uint64_t{0});
    EXPECT_EQ(std::pair(answer, KDXFileTimeText(fileTime, 2)),
              std::pair(1, std::u16string(u"2023-07-14 08:30:00")));
    driver.SetDateTime(kKindsPicker, nullptr);  // the user unchecks the date
    EXPECT_EQ(GetData(set, kKindsPicker, fileTime), std::pair(1, uint64_t{0}));

    KDXControlSet asText;  // a text variable uses one form for date and time and refuses bad text
    ASSERT_NE(BindAlone(asText, 0x0B08, kKindsDateOnly), nullptr);
    std::u16string text = u"1999-12-31 23:59:58";
    EXPECT_EQ(asText.SetData(kKindsDateOnly, &text), 1);
    EXPECT_EQ(GetData(asText, kKindsDateOnly, std::u16string()), std::pair(1, text));
    text = u"tomorrow";
    EXPECT_EQ(asText.SetData(kKindsDateOnly, &text), 0);
  });
}

}  // namespace
