// KDXControlCheckBoxRadio: check states of a box or of a control group as binding values.
#include "framework/KDXControlCheckBoxRadio.h"

#include "framework/KControlGroup.h"
#include "framework/KDXDataNumerical.h"
#include "platform/KPlatform.h"
#include "support/KFormat.h"

bool KDXControlCheckBoxRadio::IsGroup() const {
  return ControlKind() == KDXCTRL_CHECKGROUP || ControlKind() == KDXCTRL_RADIOGROUP;
}

int32_t KDXControlCheckBoxRadio::Show(bool show) {
  return IsGroup() ? ShowGroup(Dialog, ControlId, show) : KDXControl::Show(show);
}

int32_t KDXControlCheckBoxRadio::SetReadOnly(bool readOnly) {
  return IsGroup() ? EnableGroup(Dialog, ControlId, !readOnly) : KDXControl::SetReadOnly(readOnly);
}

int32_t KDXControlCheckBoxRadio::SetValue(const KDXValue& value) {
  const int32_t number = KDXTextToInt32(value.Text);
  switch (ControlKind()) {
    case KDXCTRL_CHECKBOX:
      SetCheckBoxThreeState(Dialog, ControlId, !value.IsSet);
      Platform().SetCheck(Control, !value.IsSet ? BST_INDETERMINATE : number ? BST_CHECKED : BST_UNCHECKED);
      break;
    case KDXCTRL_CHECKGROUP:
      SetGroupBits(Dialog, ControlId, static_cast<uint32_t>(number));
      break;
    case KDXCTRL_RADIOGROUP:
      SetGroupRadioIndex(Dialog, ControlId, value.IsSet ? number : -1);
      break;
    default:
      break;
  }
  return 1;
}

int32_t KDXControlCheckBoxRadio::GetValue(KDXValue& value) {
  if (!Dialog) return 0;
  value.Unset();
  switch (ControlKind()) {
    case KDXCTRL_CHECKBOX: {
      const uint32_t state = Platform().GetCheck(Control);
      if (state != BST_INDETERMINATE) value.Set(KFormat(u"%lu", state));
      break;
    }
    case KDXCTRL_CHECKGROUP:
      value.Set(KFormat(u"%lu", GetGroupBits(Dialog, ControlId)));
      break;
    case KDXCTRL_RADIOGROUP:
      if (const int32_t index = GetGroupRadioIndex(Dialog, ControlId); index != -1) value.Set(KFormat(u"%lu", index));
      break;
    default:
      break;
  }
  return 1;
}
