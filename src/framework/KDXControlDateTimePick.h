// KDXControlDateTimePick: a date/time picker bound to a value: its date, time of day or both as text, in the
// form that file-time variables are shown in (control kind 8).
#pragma once

#include <cstdint>

#include "framework/KDXControl.h"

class KDXControlDateTimePick : public KDXControl {
 public:
  using KDXControl::KDXControl;

  // No value or the empty text puts the picker into its no-date state; a text the mode cannot read, or a
  // state the picker does not have, fails. The part of the time the mode leaves out stays as it was.
  int32_t SetValue(const KDXValue& value) override;
  // A picker without a date gives a set value with the empty text.
  int32_t GetValue(KDXValue& value) override;

 private:
  // What the text holds: the file-time data kind's Param (0 date, 1 time of day, 2 both); 2 for other kinds.
  int32_t Mode() const;
};
