// Date/time picker bindings: date, time of day or both in the file-time text form, and the no-date state.
#include "framework/KDXControlDateTimePick.h"

#include <gtest/gtest.h>

#include "framework/KDXControlSet.h"
#include "framework/KDXDataNumerical.h"
#include "platform/ControlKindsDialog.h"

namespace {

class KDXControlDateTimePickTest : public ::testing::Test, public KControlKindsTest {
 protected:
  KSystemTime Shown(int32_t id) {
    KSystemTime time;
    EXPECT_TRUE(platform.DateTimeGet(driver.Control(id), time));
    return time;
  }

  KWindowSink sink;
};

TEST_F(KDXControlDateTimePickTest, FileTimesRoundTripInEachModeAndKeepThePickersOtherPart) {
  struct Case {
    int32_t mode;
    KSystemTime shown;  // the picker starts at 2000-01-01 12:00:00
  };
  const Case cases[] = {
      {0, {2024, 2, 4, 29, 12, 0, 0, 0}},
      {1, {2000, 1, 6, 1, 13, 45, 10, 0}},
      {2, {2024, 2, 4, 29, 13, 45, 10, 0}},
  };
  const uint64_t leapDay = KDXFileTimeFromSystemTime({2024, 2, 0, 29, 13, 45, 10, 0});
  for (const Case& c : cases) {
    RunKindsDialog(sink, [&](KWnd dialog) {
      KDXControlSet set;
      set.Attach(dialog);
      ASSERT_EQ(set.Add(0x1108, kKindsPicker, nullptr, c.mode), 1);
      uint64_t fileTime = leapDay;
      EXPECT_EQ(set.SetData(kKindsPicker, &fileTime), 1);
      EXPECT_EQ(Shown(kKindsPicker), c.shown) << c.mode;
      EXPECT_EQ(set.GetData(kKindsPicker, &fileTime), 1);
      EXPECT_EQ(fileTime, leapDay) << c.mode;  // the variable keeps the part the mode does not show
    });
  }
}

TEST_F(KDXControlDateTimePickTest, NoDateIsAnEmptyTextOnlyAPickerWithTheStyleShowsAndBadTextIsRefused) {
  RunKindsDialog(sink, [&](KWnd dialog) {
    KDXControlSet set;
    set.Attach(dialog);
    set.Add(0x1108, kKindsPicker, nullptr, 2);
    set.Add(0x1108, kKindsDateOnly, nullptr, 2);
    uint64_t none = 0;
    EXPECT_EQ(set.SetData(kKindsPicker, &none), 1);
    KSystemTime time;
    EXPECT_FALSE(platform.DateTimeGet(driver.Control(kKindsPicker), time));
    EXPECT_EQ(set.SetData(kKindsDateOnly, &none), 0);
    EXPECT_EQ(Shown(kKindsDateOnly).year, 2000);

    const KSystemTime picked{2023, 7, 0, 14, 8, 30, 0, 0};
    driver.SetDateTime(kKindsPicker, &picked);
    uint64_t fileTime = 0;
    EXPECT_EQ(set.GetData(kKindsPicker, &fileTime), 1);
    EXPECT_EQ(KDXFileTimeText(fileTime, 2), u"2023-07-14 08:30:00");
    driver.SetDateTime(kKindsPicker, nullptr);  // the user unchecks the date
    EXPECT_EQ(set.GetData(kKindsPicker, &fileTime), 1);
    EXPECT_EQ(fileTime, 0U);

    KDXControlSet texts;  // a text variable: the same form, date and time
    texts.Attach(dialog);
    texts.Add(0x0B08, kKindsDateOnly, nullptr, -1);
    std::u16string text = u"1999-12-31 23:59:58";
    EXPECT_EQ(texts.SetData(kKindsDateOnly, &text), 1);
    text.clear();
    EXPECT_EQ(texts.GetData(kKindsDateOnly, &text), 1);
    EXPECT_EQ(text, u"1999-12-31 23:59:58");
    text = u"tomorrow";
    EXPECT_EQ(texts.SetData(kKindsDateOnly, &text), 0);
  });
}

}  // namespace
