// KDXControl: the control half of a binding: it finds its control in the dialog, names it by its label for
// messages, and moves values between the control and a KDXValue. It owns its data half.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/KDXData.h"
#include "framework/KDXValue.h"
#include "platform/KTypes.h"
#include "support/KObArray.h"

// Control kinds: the low byte of a binding's type word.
enum : uint32_t {
  KDXCTRL_EDIT = 0,           // edit field: its text
  KDXCTRL_LISTINDEX = 1,      // list box: index of the selected item
  KDXCTRL_LISTTEXT = 2,       // list box: text of the selected item
  KDXCTRL_COMBOINDEX = 3,     // combo box: index of the selected item
  KDXCTRL_COMBOTEXT = 4,      // combo box: text of the selected item, or the edit text
  KDXCTRL_CHECKBOX = 5,       // single check box: 0 or 1, no value while indeterminate
  KDXCTRL_CHECKGROUP = 6,     // group of check boxes: bit i = box i checked
  KDXCTRL_RADIOGROUP = 7,     // group of radio buttons: index of the checked one
  KDXCTRL_DATETIME = 8,       // date/time picker
  KDXCTRL_COMBODATA = 9,      // combo box: item data of the selected item
  KDXCTRL_LISTDATA = 10,      // list box: item data of the selected item
  KDXCTRL_CUSTOMLIST = 11,    // list-like custom control
  KDXCTRL_CUSTOMLIST2 = 12,
  KDXCTRL_SLIDER = 13,        // slider: its position
  KDXCTRL_MASK = 0x00FF,
};

class KDXControl : public KObject {
 public:
  KDXControl(uint32_t typeWord, int32_t controlId);
  ~KDXControl() override;

  // Stores the dialog and looks up the control window.
  virtual int32_t Attach(KWnd dialog);
  virtual int32_t GetID() const;
  // The static text before the control that labels it, or null.
  virtual KWnd GetLabelWindow() const;
  // The label for messages: LabelText, else the label window's text without accelerators and colon.
  // 0 (and `label` untouched) when there is neither.
  virtual int32_t GetLabel(std::u16string& label) const;
  virtual int32_t Show(bool show);
  virtual int32_t SetReadOnly(bool readOnly);
  virtual int32_t SetValue(const KDXValue& value) = 0;
  virtual int32_t GetValue(KDXValue& value) = 0;
  virtual int32_t ApplyRange();

  uint32_t ControlKind() const { return TypeWord & KDXCTRL_MASK; }

  KWnd Dialog = nullptr;
  uint32_t TypeWord;
  KWnd Control = nullptr;
  int32_t ControlId;
  std::u16string LabelText;  // an explicit label; empty means the label window's text
  std::unique_ptr<KDXData> Data;
};
