// Bindings on the rule editor's layout: transfers both ways, bit and radio bindings, three-state boxes,
// labels and the validation messages that name the controls by them.
#include "framework/KDXControlSet.h"

#include <gtest/gtest.h>

#include "framework/FrameworkTestDialogs.h"
#include "resource.h"

namespace {

// The rule editor's method group: its first button and its fourth.
enum : int32_t { kMethod = IDC_CHECK_EXIST_IF_IN_SOURCE, kNoChecking = IDC_CHECK_NONE };

class KDXControlSetTest : public KFrameworkTest {
 protected:
  // The rule editor's bindings: no variables at registration, each passed with its transfer.
  void InEditor(const std::function<void()>& script) {
    RunDialog(IDD_SETUP, sink, [&](KWnd dialog) {
      set.Attach(dialog);
      const std::tuple<uint32_t, int32_t, int32_t> bindings[] = {
          {0x0B00, IDC_NAME, -1},  {0x0B00, IDC_PATTERN, -1}, {0x0D05, IDC_ACTIVE, -1}, {0x0107, kMethod, -1},
          {0x1005, IDC_COUNT, 2}, {0x1005, IDC_TEXT, 4},     {0x1005, IDC_ORDER, 8}};
      for (const auto& [typeWord, id, param] : bindings) set.Add(typeWord, id, nullptr, param);
      set.SetRange(IDC_NAME, 1, 80);
      set.SetRange(IDC_PATTERN, 1, 2000);
      script();
    });
  }
  // Validates `id` (0: all) and returns the message it showed, empty for none.
  std::u16string Validate(int32_t id, int32_t result) {
    const size_t before = platform.shownMessageBoxes.size();
    EXPECT_EQ(set.Validate(id), result);
    return platform.shownMessageBoxes.size() > before ? platform.shownMessageBoxes.back().text : u"";
  }

  KDXControlSet set;
};

// A failure names the field by its label in an OK box and focuses the field; the length limits are the
// editor's tests.
TEST_F(KDXControlSetTest, ValidationMessagesNameTheControlByItsLabel) {
  InEditor([&] {
    std::u16string shown = u"Rule";  // a rule shown: from now on an empty field holds an empty value
    for (int32_t id : {IDC_NAME, IDC_PATTERN}) set.SetData(id, &shown);
    platform.SetText(driver.Control(IDC_PATTERN), u"");
    EXPECT_EQ(Validate(0, 0), u"Please enter Text to search.");
    EXPECT_EQ(std::tuple(platform.GetFocus(), platform.shownMessageBoxes.back().type),
              std::tuple(driver.Control(IDC_PATTERN), MB_OK));
    set.Find(IDC_NAME)->Data->Minimum.clear();  // a maximum alone leaves the minimum empty in the message
    platform.SetText(driver.Control(IDC_NAME), std::u16string(81, u'n'));
    EXPECT_EQ(Validate(IDC_NAME, 0),
              u"Pattern Name:\nInvalid text length.\n(Valid range from  to 80 characters)");
    EXPECT_EQ(Validate(4242, 0), u"");  // no such binding
  });
}

// The label is the nearest static text before the control that shows text: left, centred, right or simple.
// Its first 255 characters are read.
TEST_F(KDXControlSetTest, OnlyTextStylesOfStaticsLabelAControl) {
  const std::pair<uint32_t, int32_t> styles[] = {{SS_LEFT, 1},   {SS_CENTER, 1},         {SS_RIGHT, 1},
                                                 {SS_SIMPLE, 1}, {SS_LEFTNOWORDWRAP, 0}, {SS_ICON, 0}};
  RunDialog(kFitDialog, sink, [&](KWnd dialog) {
    set.Attach(dialog);
    set.Add(0x0B00, kFitEdit, nullptr, -1);
    for (const auto& [style, found] : styles) {
      platform.Window(driver.Control(kFitLabel))->style = WS_VISIBLE | WS_GROUP | style;
      std::u16string label = u"none";
      EXPECT_EQ(set.Find(kFitEdit)->GetLabel(label), found) << style;
      EXPECT_EQ(label, found ? u"Label" : u"none") << style;
    }
    platform.Window(driver.Control(kFitLabel))->style = WS_VISIBLE | WS_GROUP | SS_LEFT;
    for (const size_t length : {255u, 256u}) {
      platform.SetText(driver.Control(kFitLabel), std::u16string(length - 1, u'a') + u"b");
      std::u16string label;
      set.Find(kFitEdit)->GetLabel(label);
      EXPECT_EQ(label, std::u16string(length - 1, u'a') + (length == 255 ? u"b" : u"")) << length;
    }
  });
}

// Kinds outside the tables make no binding; a numeric one asks for a value before checking its range and
// keeps an explicit label.
TEST_F(KDXControlSetTest, NumericBindingAsksForAValueBeforeTheRangeAndKeepsAnExplicitLabel) {
  InEditor([&] {
    const int before = set.Bindings().GetSize();
    EXPECT_EQ(set.Add(0x0000, IDC_NAME, nullptr, -1), 0);  // data kind 0
    EXPECT_EQ(set.Add(0x120E, IDC_NAME, nullptr, -1), 0);  // both kinds beyond the tables
    EXPECT_EQ(set.Bindings().GetSize(), before);
    EXPECT_EQ(set.SetRange(4242, 1, 2), 0);
    int32_t count = 20;
    ASSERT_EQ(set.Add(0x0100, 4242, &count, -1), 1);  // a control the dialog lacks
    EXPECT_EQ(set.SetData(4242, &count), 0);
    ASSERT_EQ(set.Add(0x0100, IDC_NAME, &count, -1), 1);  // a second binding of the name field
    KDXControl* numeric = set.Bindings()[set.Bindings().GetSize() - 1];
    numeric->LabelText = u"Count";
    numeric->Data->Minimum = u"10";
    numeric->Data->Maximum = u"50";
    numeric->SetValue({1, u""});  // shown from a set value, then left empty
    KDXValue value;
    numeric->GetValue(value);
    std::u16string message;  // a braced list evaluates in order: the answer, then the message
    EXPECT_EQ((std::tuple{numeric->Data->Validate(value, message), message}), std::tuple(0, u"Please enter %1."));
    for (const auto& [text, valid] : {std::pair{u"9", 0}, {u"10", 1}, {u"50", 1}, {u"51", 0}})
      EXPECT_EQ(numeric->Data->Validate({1, text}, message), valid) << valid;
    EXPECT_EQ(message, u"%1:\nInvalid value.\n(Valid range from 10 to 50)");
    std::u16string label;
    EXPECT_EQ((std::tuple{numeric->GetLabel(label), label}), std::tuple(1, u"Count"));
  });
}

// Three boxes own a bit each of one variable; the others stay.
TEST_F(KDXControlSetTest, BitBoxesShareOneVariable) {
  InEditor([&] {
    int32_t flags = 0x6 | 0x100;
    for (int32_t id : {IDC_COUNT, IDC_TEXT, IDC_ORDER}) set.SetData(id, &flags);
    EXPECT_EQ(driver.Check(IDC_COUNT) | driver.Check(IDC_TEXT) << 1 | driver.Check(IDC_ORDER) << 2, 0x3U);
    platform.SetCheck(driver.Control(IDC_TEXT), BST_UNCHECKED);
    EXPECT_EQ(set.StoreBound(0), 1);  // no variables bound: nothing written
    for (int32_t id : {IDC_COUNT, IDC_TEXT, IDC_ORDER}) EXPECT_EQ(set.GetData(id, &flags), 1);
    EXPECT_EQ(flags, 0x2 | 0x100);
  });
}

// A radio group or a check box with nothing to show reads back as no value and leaves the variable alone.
TEST_F(KDXControlSetTest, RadioGroupGivesTheCheckedIndexAndACheckBoxShowsNoValueAsIndeterminate) {
  InEditor([&] {
    int32_t method = 3;
    set.SetData(kMethod, &method);
    EXPECT_EQ(driver.Check(IDC_CHECK_MUST_EXIST), BST_CHECKED);
    EXPECT_EQ(driver.Check(kNoChecking), BST_UNCHECKED);
    platform.SetCheck(driver.Control(IDC_CHECK_MUST_EXIST), BST_UNCHECKED);
    EXPECT_EQ(GetData(set, kMethod, 7), std::pair(0, 7));
    platform.SetCheck(driver.Control(kNoChecking), BST_CHECKED);
    EXPECT_EQ(GetData(set, kMethod, 7), std::pair(1, 0));

    set.Find(IDC_ACTIVE)->SetValue({});
    EXPECT_EQ(std::tuple(driver.Check(IDC_ACTIVE), platform.GetStyle(driver.Control(IDC_ACTIVE)) & BS_TYPEMASK),
              std::tuple(BST_INDETERMINATE, BS_AUTO3STATE));
    EXPECT_EQ(GetData(set, IDC_ACTIVE, 5), std::pair(0, 5));
    int32_t value = 1;
    set.SetData(IDC_ACTIVE, &value);
    EXPECT_EQ(platform.GetStyle(driver.Control(IDC_ACTIVE)) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    driver.Click(IDC_ACTIVE);
    EXPECT_EQ(GetData(set, IDC_ACTIVE, 1), std::pair(1, 0));

    std::u16string first = u"one", second = u"two";  // two strings that differ give no value: the field is emptied
    KDXControl* name = set.Find(IDC_NAME);
    name->Data->Variables = {&first, &second};
    KDXValue shown;
    name->Data->Format(shown, nullptr);
    name->SetValue(shown);
    EXPECT_EQ(driver.Text(IDC_NAME), u"");
    EXPECT_EQ(set.StoreBound(IDC_NAME), 1);  // still unset: two variables keep their texts
    EXPECT_EQ(first + second, u"onetwo");
  });
}

}  // namespace
