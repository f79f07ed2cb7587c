// KDXControlSlider: a slider (trackbar) bound to a value: its position, within the range that the binding's
// minimum and maximum give it (control kind 13).
#pragma once

#include <cstdint>

#include "framework/KDXControl.h"

class KDXControlSlider : public KDXControl {
 public:
  using KDXControl::KDXControl;

  // A range set before the dialog existed takes effect once the slider is found.
  int32_t Attach(KWnd dialog) override;
  // The value's number as the position; the slider keeps it within its range.
  int32_t SetValue(const KDXValue& value) override;
  int32_t GetValue(KDXValue& value) override;
  // The binding's minimum and maximum, when both are given, become the slider's range.
  int32_t ApplyRange() override;
};
