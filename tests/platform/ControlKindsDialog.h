// Dialog 9002 with list boxes, combo boxes of both styles, date/time pickers, a slider, an edit and a custom
// control, served with the module's own resources, and a runner that shows it on the headless platform.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "common/KTestDialogResources.h"
#include "platform/headless/KHeadlessDriver.h"

// The list is named "LISTBOX", as a template may spell it; the picker has DTS_SHOWNONE, the date-only
// one no no-date state; the combo box has an edit of its own (CBS_DROPDOWN).
enum : int32_t { kKindsList = 200, kKindsSortedList, kKindsDropList, kKindsCombo, kKindsPicker, kKindsDateOnly };
enum : int32_t { kKindsSlider = 206, kKindsEdit, kKindsCustom };

class KControlKindsResources : public KTestDialogResources {
 public:
  KControlKindsResources()
      : KTestDialogResources({9002, WS_POPUP | WS_CAPTION, 0, 0, 0, 240, 200, u"Kinds", u"", 8, kControls}) {}

 private:
  static constexpr uint32_t kOn = WS_VISIBLE | WS_TABSTOP;
  static constexpr KDialogControl kControls[] = {
      {kKindsList, u"LISTBOX", u"", LBS_NOTIFY | kOn, 0, 50, 4, 80, 40},
      {kKindsSortedList, u"ListBox", u"", LBS_SORT | kOn, 0, 140, 4, 80, 40},
      {kKindsDropList, u"ComboBox", u"", CBS_DROPDOWNLIST | kOn, 0, 50, 50, 80, 60},
      {kKindsCombo, u"ComboBox", u"", CBS_DROPDOWN | kOn, 0, 140, 50, 80, 60},
      {kKindsPicker, u"SysDateTimePick32", u"", DTS_SHOWNONE | kOn, 0, 50, 70, 80, 14},
      {kKindsDateOnly, u"SysDateTimePick32", u"", kOn, 0, 140, 70, 80, 14},
      {kKindsSlider, u"msctls_trackbar32", u"", kOn, 0, 50, 90, 170, 14},
      {kKindsEdit, u"Edit", u"", kOn, 0, 50, 110, 170, 12},
      {kKindsCustom, u"KindsCustom", u"", kOn, 0, 50, 130, 170, 14},
  };
};

// A clean headless platform with the resources above. RunKindsDialog shows dialog 9002 with `sink` and
// ends it after `script`; Fill adds items to a list, the n-th added with the item data 10 n.
class KControlKindsTest {
 public:
  KControlKindsTest() { SetResourceSource(std::make_unique<KControlKindsResources>()); }
  ~KControlKindsTest() { SetResourceSource(nullptr); }
  KControlKindsTest(const KControlKindsTest&) = delete;
  KControlKindsTest& operator=(const KControlKindsTest&) = delete;

  void RunKindsDialog(KWindowSink& sink, const std::function<void(KWnd dialog)>& script) {
    driver.OnNextDialog([this, script](KWnd dialog) {
      script(dialog);
      platform.EndDialog(dialog, IDOK);
    });
    platform.RunModalDialog(9002, nullptr, sink);
  }
  void Fill(int32_t id, std::initializer_list<const char16_t*> texts) {
    for (const char16_t* text : texts) {
      const int32_t index = platform.ListAddString(driver.Control(id), text);
      platform.ListSetItemData(driver.Control(id), index, 10 * platform.ListCount(driver.Control(id)));
    }
  }

  KHeadlessDriver driver;
  KHeadlessPlatform& platform = driver.State();
};
