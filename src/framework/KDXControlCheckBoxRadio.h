// KDXControlCheckBoxRadio: a single check box (kind 5), a group of check boxes (6) or a group of radio
// buttons (7) bound to a value.
#pragma once

#include <cstdint>

#include "framework/KDXControl.h"

class KDXControlCheckBoxRadio : public KDXControl {
 public:
  using KDXControl::KDXControl;

  // Groups show, hide, enable and disable all their members.
  int32_t Show(bool show) override;
  int32_t SetReadOnly(bool readOnly) override;
  // A single box shows no value as the indeterminate state of a three-state box.
  int32_t SetValue(const KDXValue& value) override;
  int32_t GetValue(KDXValue& value) override;

 private:
  bool IsGroup() const;
};
