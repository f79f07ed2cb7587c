// KDXDataString: wide-character buffers and string objects bound to controls, with length validation.
#pragma once

#include <cstdint>
#include <string>

#include "framework/KDXData.h"

class KDXDataString : public KDXData {
 public:
  using KDXData::KDXData;

  // The common text of the variables; unset when they differ or (string objects) when there is none.
  int32_t Format(KDXValue& value, const KDXVariables* variables) override;
  // Writes the text (empty for an unset value) into every variable, cut to Param characters.
  int32_t Parse(const KDXValue& value, const KDXVariables* variables) override;
  int32_t Validate(const KDXValue& value, std::u16string& message) override;
};
