// A dialog with one control of each kind the bindings serve beyond edits and buttons (list boxes, combo
// boxes of both styles, date/time pickers, a slider, a custom control), served with the module's own
// resources while a test runs, and a runner that shows it on the headless platform.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/headless/KHeadlessDriver.h"
#include "support/KResourceSource.h"
#include "support/KResourceTable.h"

inline constexpr uint32_t kKindsDialog = 9002;
inline constexpr int32_t kKindsList = 200;         // LBS_NOTIFY, named "LISTBOX" as a template may
inline constexpr int32_t kKindsSortedList = 201;   // LBS_SORT
inline constexpr int32_t kKindsDropList = 202;     // CBS_DROPDOWNLIST
inline constexpr int32_t kKindsCombo = 203;        // CBS_DROPDOWN: an edit of its own
inline constexpr int32_t kKindsPicker = 204;       // DTS_SHOWNONE
inline constexpr int32_t kKindsDateOnly = 205;     // no no-date state
inline constexpr int32_t kKindsSlider = 206;
inline constexpr int32_t kKindsEdit = 207;
inline constexpr int32_t kKindsCustom = 208;

class KControlKindsResources : public KResourceSource {
 public:
  KControlKindsResources() {
    const KResourceTable* own = ModuleResourceTable();
    dialogs_.assign(own->dialogs.begin(), own->dialogs.end());
    dialogs_.push_back({kKindsDialog, WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 240, 200, u"Kinds", u"", 8,
                        kControls});
    table_ = *own;
    table_.dialogs = dialogs_;
  }
  bool GetString(uint32_t id, std::u16string& text) const override {
    const char16_t* found = table_.FindString(id);
    if (found) text = found;
    return found != nullptr;
  }
  void* ModuleHandle() const override { return nullptr; }
  const KResourceTable* Tables() const override { return &table_; }

 private:
  static constexpr uint32_t kShown = WS_VISIBLE | WS_TABSTOP;
  static constexpr KDialogControl kControls[] = {
      {-1, u"Static", u"&Fruit:", SS_LEFT | WS_VISIBLE | WS_GROUP, 0, 4, 4, 40, 8},
      {kKindsList, u"LISTBOX", u"", LBS_NOTIFY | WS_BORDER | kShown, 0, 50, 4, 80, 40},
      {kKindsSortedList, u"ListBox", u"", LBS_SORT | WS_BORDER | kShown, 0, 140, 4, 80, 40},
      {kKindsDropList, u"COMBOBOX", u"", CBS_DROPDOWNLIST | kShown, 0, 50, 50, 80, 60},
      {kKindsCombo, u"ComboBox", u"", CBS_DROPDOWN | kShown, 0, 140, 50, 80, 60},
      {kKindsPicker, u"SysDateTimePick32", u"", DTS_SHOWNONE | kShown, 0, 50, 70, 80, 14},
      {kKindsDateOnly, u"SysDateTimePick32", u"", kShown, 0, 140, 70, 80, 14},
      {kKindsSlider, u"msctls_trackbar32", u"", kShown, 0, 50, 90, 170, 14},
      {kKindsEdit, u"Edit", u"", WS_BORDER | kShown, 0, 50, 110, 170, 12},
      {kKindsCustom, u"KindsCustom", u"", kShown, 0, 50, 130, 170, 14},
      {IDOK, u"Button", u"OK", BS_DEFPUSHBUTTON | kShown, 0, 180, 180, 50, 14},
  };
  std::vector<KDialogTemplate> dialogs_;
  KResourceTable table_;
};

// A clean headless platform serving the dialog above; RunKindsDialog shows it with `sink` and ends it
// after `script`.
class KControlKindsTest {
 public:
  KControlKindsTest() { SetResourceSource(std::make_unique<KControlKindsResources>()); }
  ~KControlKindsTest() { SetResourceSource(nullptr); }
  KControlKindsTest(const KControlKindsTest&) = delete;
  KControlKindsTest& operator=(const KControlKindsTest&) = delete;

  void RunKindsDialog(KWindowSink& sink, const std::function<void(KWnd dialog)>& script) {
    driver.OnNextDialog([this, script](KWnd dialog) {
      script(dialog);
      if (platform.IsWindow(dialog)) platform.EndDialog(dialog, IDOK);
    });
    platform.RunModalDialog(kKindsDialog, nullptr, sink);
  }
  // Adds items to a list or combo box; the n-th item added carries the item data 10 n.
  void Fill(int32_t id, std::initializer_list<const char16_t*> texts) {
    const KWnd list = driver.Control(id);
    for (const char16_t* text : texts) {
      const int32_t index = platform.ListAddString(list, text);
      platform.ListSetItemData(list, index, 10 * platform.ListCount(list));
    }
  }

  KHeadlessDriver driver;
  KHeadlessPlatform& platform = driver.State();
};
