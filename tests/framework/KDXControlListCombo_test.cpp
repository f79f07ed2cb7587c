// List and combo box bindings: selection by index, text and item data, the set flag, editable and
// drop-down-list combo boxes, and the custom list controls' private messages.
#include "framework/KDXControlListCombo.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"

namespace {

class KDXControlListComboTest : public KBindingTest {
 protected:
  // Each list holds one, two, three with the item data 10, 20, 30.
  void InFilledDialog(const std::function<void()>& script) {
    InDialog([&](KWnd) {
      for (int32_t id : {kKindsList, kKindsDropList, kKindsCombo}) Fill(id, {u"one", u"two", u"three"});
      script();
    });
  }
  int32_t Selection(int32_t id) { return platform.ListGetCurSel(driver.Control(id)); }
};

TEST_F(KDXControlListComboTest, EachKindSelectsByItsValueAndReadsItBack) {
  // The string data kind carries every kind's value text unchanged.
  struct Case { uint32_t typeWord; int32_t id; const char16_t* shown; int32_t selected; const char16_t* readBack; };
  const Case cases[] = {  // readBack null: no value
      {0x0B01, kKindsList, u"2", 2, u"2"},
      {0x0B01, kKindsList, u"3", -1, u"-1"},  // the first index past the end: nothing selected, but set
      {0x0B02, kKindsList, u"TWO", 1, u"two"},  // the whole text, in any case
      {0x0B02, kKindsList, u"tw", -1, nullptr},        {0x0B0A, kKindsList, u"30", 2, u"30"},
      {0x0B0A, kKindsList, u"99", -1, u"-1"},          {0x0B03, kKindsDropList, u"2", 2, u"2"},
      {0x0B04, kKindsDropList, u"three", 2, u"three"}, {0x0B04, kKindsDropList, u"four", -1, nullptr},
      {0x0B04, kKindsCombo, u"four", 0, u"four"},  // an editable combo box takes the text itself
      {0x0B09, kKindsDropList, u"20", 1, u"20"},       {0x0B09, kKindsCombo, u"10", 0, u"10"},
  };
  InFilledDialog([&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << std::hex << c.typeWord << " " << std::dec << c.id << " " << c.selected);
      KDXControlSet own;
      ASSERT_NE(BindAlone(own, c.typeWord, c.id), nullptr);
      platform.ListSetCurSel(driver.Control(c.id), 0);
      std::u16string shown = c.shown;
      EXPECT_EQ(own.SetData(c.id, &shown), 1);
      EXPECT_EQ(Selection(c.id), c.selected);
      // A string variable takes the empty text for no value.
      EXPECT_EQ(GetData(own, c.id, std::u16string(u"untouched")),
                std::pair(c.readBack ? 1 : 0, std::u16string(c.readBack ? c.readBack : u"")));
    }
  });
}

TEST_F(KDXControlListComboTest, NoValueClearsTheSelectionOrTextAndStaysUnsetUntilTheUserChooses) {
  InFilledDialog([&] {
    KDXControl* list = Bind(0x0101, kKindsList);
    KDXControl* combo = Bind(0x0B04, kKindsCombo);
    platform.ListSetCurSel(driver.Control(kKindsList), 2);
    platform.SetText(driver.Control(kKindsCombo), u"old");
    list->SetValue({});
    combo->SetValue({});
    const std::u16string untouched = u"untouched";
    EXPECT_EQ(std::tuple(Selection(kKindsList), GetData(set, kKindsList, 5), GetData(set, kKindsCombo, untouched)),
              std::tuple(-1, std::pair(0, 5), std::pair(0, std::u16string())));

    driver.SelectListItem(kKindsList, 1);
    driver.TypeComboText(kKindsCombo, u"typed");
    EXPECT_EQ(GetData(set, kKindsList, 5), std::pair(1, 1));
    EXPECT_EQ(GetData(set, kKindsCombo, untouched), std::pair(1, std::u16string(u"typed")));
    combo->SetValue({1, u""});  // set, though empty: still a value
    EXPECT_EQ(GetData(set, kKindsCombo, untouched), std::pair(1, std::u16string()));
  });
}

// Item data matches as 32 bits; the custom lists use their own messages.
TEST_F(KDXControlListComboTest, ItemDataAndCustomLists) {
  struct CustomList : KWindowSink {
    bool OnPrivateMessage(uint32_t message, uintptr_t wParam, intptr_t, intptr_t& result) override {
      messages.push_back(message);
      if (message == KDXMSG_SETVALUE || message == KDXMSG_SETVALUE2) number = static_cast<intptr_t>(wParam);
      result = number;
      return true;
    }
    std::vector<uint32_t> messages;
    intptr_t number = -1;
  } custom;
  InFilledDialog([&] {
    platform.ListSetItemData(driver.Control(kKindsDropList), 1, intptr_t{0xFFFFFFFF});
    Bind(0x0509, kKindsDropList);
    uint32_t data = 0xFFFFFFFF;  // the braced tuples evaluate in order: an answer, then what it changed
    EXPECT_EQ((std::tuple{set.SetData(kKindsDropList, &data), Selection(kKindsDropList)}), std::tuple(1, 1));
    EXPECT_EQ(GetData(set, kKindsDropList, 0U), std::pair(1, 0xFFFFFFFFU));

    platform.SetWindowSink(driver.Control(kKindsCustom), &custom);
    for (uint32_t kind : {KDXCTRL_CUSTOMLIST, KDXCTRL_CUSTOMLIST2}) {
      KDXControlSet own;
      KDXControl* binding = BindAlone(own, 0x0100 | kind, kKindsCustom);
      KDXValue value;
      EXPECT_EQ((std::tuple{binding->SetValue({1, u"4"}), binding->GetValue(value), value.Text}),
                std::tuple(1, 1, u"4"));
    }
    EXPECT_EQ(custom.messages, (std::vector<uint32_t>{0x2340, 0x2341, 0x2342, 0x2343}));
    platform.SetWindowSink(driver.Control(kKindsCustom), nullptr);
  });
}

}  // namespace
