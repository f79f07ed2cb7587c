// KDXControlEdit: an edit field bound to a value: its text.
#pragma once

#include <cstdint>

#include "framework/KDXControl.h"

class KDXControlEdit : public KDXControl {
 public:
  using KDXControl::KDXControl;

  // The field's own read-only mode: it keeps its text, which the user can still select and copy.
  int32_t SetReadOnly(bool readOnly) override;
  int32_t SetValue(const KDXValue& value) override;
  // A field filled from a set value stays set when emptied (so validation can ask for a value); a field
  // filled from no value and left empty stays unset.
  int32_t GetValue(KDXValue& value) override;

  int32_t WasSet = 0;  // the last value put into the field was set
};
