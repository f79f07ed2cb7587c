// Edit field bindings made read-only: the field keeps its text and stays enabled, but takes no typing.
#include "framework/KDXControlEdit.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

using KDXControlEditTest = KBindingTest;

TEST_F(KDXControlEditTest, AReadOnlyFieldShowsItsValueButTakesNoTyping) {
  InDialog([&](KWnd) {
    KDXControl* edit = Bind(0x0B00, kKindsEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->SetReadOnly(true), 1);
    std::u16string text = u"shown";
    EXPECT_EQ(set.SetData(kKindsEdit, &text), 1);
    EXPECT_FALSE(driver.TypeInto(kKindsEdit, u"x"));
    EXPECT_TRUE(driver.IsEnabled(kKindsEdit));
    EXPECT_EQ(platform.GetStyle(driver.Control(kKindsEdit)) & ES_READONLY, ES_READONLY);

    EXPECT_EQ(edit->SetReadOnly(false), 1);
    EXPECT_TRUE(driver.ReplaceText(kKindsEdit, u"typed"));
    EXPECT_EQ(GetData(set, kKindsEdit, text), std::pair(1, std::u16string(u"typed")));
  });
}

}  // namespace
