// KDXControlListCombo: list and combo box selections, and the number of a list-like custom control, as
// binding values.
#include "framework/KDXControlListCombo.h"

#include "framework/KDXDataNumerical.h"
#include "platform/KPlatform.h"
#include "support/KFormat.h"

bool KDXControlListCombo::IsCustom() const {
  return ControlKind() == KDXCTRL_CUSTOMLIST || ControlKind() == KDXCTRL_CUSTOMLIST2;
}

bool KDXControlListCombo::IsTextKind() const {
  return ControlKind() == KDXCTRL_LISTTEXT || ControlKind() == KDXCTRL_COMBOTEXT;
}

bool KDXControlListCombo::IsDataKind() const {
  return ControlKind() == KDXCTRL_LISTDATA || ControlKind() == KDXCTRL_COMBODATA;
}

int32_t KDXControlListCombo::Attach(KWnd dialog) {
  const int32_t attached = KDXControl::Attach(dialog);
  const uint32_t kind = ControlKind();
  const bool combo = kind == KDXCTRL_COMBOINDEX || kind == KDXCTRL_COMBOTEXT || kind == KDXCTRL_COMBODATA;
  DropDownList = combo && Control && (Platform().GetStyle(Control) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
  return attached;
}

int32_t KDXControlListCombo::ItemOfData(uint32_t data) const {
  KPlatform& platform = Platform();
  const int32_t count = platform.ListCount(Control);
  for (int32_t i = 0; i < count; ++i) {
    if (static_cast<uint32_t>(platform.ListGetItemData(Control, i)) == data) return i;
  }
  return -1;
}

// Item data is compared as 32 bits, so a signed and an unsigned variable name the same item.
int32_t KDXControlListCombo::ItemOf(std::u16string_view text) const {
  if (IsTextKind()) return Platform().ListFindStringExact(Control, -1, text);
  if (IsDataKind()) return ItemOfData(static_cast<uint32_t>(KDXTextToInt64(text)));
  return KDXTextToInt32(text);
}

int32_t KDXControlListCombo::Selection() const {
  if (!IsCustom()) return Platform().ListGetCurSel(Control);
  const uint32_t message = ControlKind() == KDXCTRL_CUSTOMLIST ? KDXMSG_GETVALUE : KDXMSG_GETVALUE2;
  return static_cast<int32_t>(Platform().SendPrivateMessage(Control, message, 0, 0));
}

void KDXControlListCombo::Select(int32_t index) const {
  if (!IsCustom()) {
    Platform().ListSetCurSel(Control, index);
    return;
  }
  const uint32_t message = ControlKind() == KDXCTRL_CUSTOMLIST ? KDXMSG_SETVALUE : KDXMSG_SETVALUE2;
  Platform().SendPrivateMessage(Control, message, static_cast<uintptr_t>(intptr_t{index}), 0);
}

int32_t KDXControlListCombo::SetValue(const KDXValue& value) {
  if (!Control) return 0;
  WasSet = value.IsSet;
  if (ControlKind() == KDXCTRL_COMBOTEXT && !DropDownList) {
    Platform().SetText(Control, value.Text);
  } else {
    Select(value.IsSet ? ItemOf(value.Text) : -1);
  }
  return 1;
}

int32_t KDXControlListCombo::GetValue(KDXValue& value) {
  value.Unset();
  if (!Control) return 0;
  KPlatform& platform = Platform();
  if (ControlKind() == KDXCTRL_COMBOTEXT && !DropDownList) {
    const std::u16string text = platform.GetText(Control);
    if (!text.empty() || WasSet) value.Set(text);
    return 1;
  }
  const int32_t index = Selection();
  if (index < 0) {
    if (WasSet && !IsTextKind()) value.Set(u"-1");
  } else if (IsTextKind()) {
    value.Set(platform.ListGetText(Control, index));
  } else {
    value.Set(KFormat(u"%d", IsDataKind() ? static_cast<int32_t>(platform.ListGetItemData(Control, index)) : index));
  }
  return 1;
}
