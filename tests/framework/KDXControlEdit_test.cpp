// Edit field bindings made read-only: the field keeps its text and stays enabled, but takes no typing.
#include "framework/KDXControlEdit.h"

#include <gtest/gtest.h>

#include "framework/KDXControlSet.h"
#include "platform/ControlKindsDialog.h"

namespace {

class KDXControlEditTest : public ::testing::Test, public KControlKindsTest {};

TEST_F(KDXControlEditTest, AReadOnlyFieldShowsItsValueButTakesNoTyping) {
  KWindowSink sink;
  RunKindsDialog(sink, [&](KWnd dialog) {
    KDXControlSet set;
    set.Attach(dialog);
    set.Add(0x0B00, kKindsEdit, nullptr, -1);
    KDXControl* edit = set.Find(kKindsEdit);
    EXPECT_EQ(edit->SetReadOnly(true), 1);
    std::u16string text = u"shown";
    EXPECT_EQ(set.SetData(kKindsEdit, &text), 1);
    EXPECT_FALSE(driver.TypeInto(kKindsEdit, u"x"));
    EXPECT_TRUE(driver.IsEnabled(kKindsEdit));
    EXPECT_EQ(platform.GetStyle(driver.Control(kKindsEdit)) & ES_READONLY, ES_READONLY);

    EXPECT_EQ(edit->SetReadOnly(false), 1);
    EXPECT_TRUE(driver.ReplaceText(kKindsEdit, u"typed"));
    EXPECT_EQ(set.GetData(kKindsEdit, &text), 1);
    EXPECT_EQ(text, u"typed");
  });
}

}  // namespace
