// KDXControlListCombo: a list box, a combo box or a list-like custom control bound to a value: the selected
// item's index, text or item data, or the text of an editable combo box (control kinds 1-4 and 9-12).
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/KDXControl.h"

// The private messages of the list-like custom controls: kind 11 puts its number in and takes it out with
// the first pair, kind 12 with the second. The number is an index, -1 for none.
enum : uint32_t {
  KDXMSG_SETVALUE = 0x2340,
  KDXMSG_GETVALUE = 0x2341,
  KDXMSG_SETVALUE2 = 0x2342,
  KDXMSG_GETVALUE2 = 0x2343,
};

class KDXControlListCombo : public KDXControl {
 public:
  using KDXControl::KDXControl;

  // Also notes whether the combo box of kinds 3, 4 and 9 is a drop-down list.
  int32_t Attach(KWnd dialog) override;
  // Selects the item the value names; no value, or a value no item has, leaves nothing selected. An editable
  // combo box of kind 4 takes the text itself (the empty text for no value).
  int32_t SetValue(const KDXValue& value) override;
  // Nothing selected gives no value, except that after a set value the index and item-data kinds give -1;
  // an editable combo box of kind 4 gives its text, no value only while it is empty and was never set.
  int32_t GetValue(KDXValue& value) override;

  int32_t WasSet = 0;        // the last value put into the control was set
  int32_t DropDownList = 0;  // the combo box has no edit of its own

 private:
  bool IsCustom() const;
  bool IsTextKind() const;
  bool IsDataKind() const;
  // The item the value's text names, -1 for none.
  int32_t ItemOf(std::u16string_view text) const;
  int32_t ItemOfData(uint32_t data) const;
  int32_t Selection() const;
  void Select(int32_t index) const;
};
