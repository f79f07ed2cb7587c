// KDXControlSlider: a slider's position and range as a binding's value and range.
#include "framework/KDXControlSlider.h"

#include "framework/KDXDataNumerical.h"
#include "platform/KPlatform.h"
#include "support/KFormat.h"

int32_t KDXControlSlider::Attach(KWnd dialog) {
  const int32_t attached = KDXControl::Attach(dialog);
  if (attached) ApplyRange();
  return attached;
}

int32_t KDXControlSlider::SetValue(const KDXValue& value) {
  if (!Control) return 0;
  Platform().SliderSetPos(Control, KDXTextToInt32(value.Text), true);
  return 1;
}

int32_t KDXControlSlider::GetValue(KDXValue& value) {
  if (!Control) return 0;
  value.Set(KFormat(u"%d", Platform().SliderGetPos(Control)));
  return 1;
}

int32_t KDXControlSlider::ApplyRange() {
  if (!Control) return 0;
  if (!Data || Data->Minimum.empty() || Data->Maximum.empty()) return 1;
  Platform().SliderSetRange(Control, KDXTextToInt32(Data->Minimum), KDXTextToInt32(Data->Maximum));
  return 1;
}
