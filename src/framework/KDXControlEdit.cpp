// KDXControlEdit: an edit field's text in and out of a binding.
#include "framework/KDXControlEdit.h"

#include "platform/KPlatform.h"

int32_t KDXControlEdit::SetReadOnly(bool readOnly) {
  if (!Control) return 0;
  Platform().SetEditReadOnly(Control, readOnly);
  return 1;
}

int32_t KDXControlEdit::SetValue(const KDXValue& value) {
  if (!Control) return 0;
  WasSet = value.IsSet;
  Platform().SetText(Control, value.IsSet ? value.Text : std::u16string());
  return 1;
}

int32_t KDXControlEdit::GetValue(KDXValue& value) {
  if (!Control) return 0;
  const std::u16string text = Platform().GetText(Control);
  if (text.empty() && !WasSet) {
    value.Unset();
  } else {
    value.Set(text);
  }
  return 1;
}
