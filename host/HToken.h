// A translation unit as the module's token: it hands out the unit's texts on request.
#pragma once

#include <string>

#include "HUnit.h"
#include "addin/HostInterfaceBases.h"

class HToken final : public KHostTokenBase {
 public:
  // The unit is borrowed for the duration of one ZAKFN_CheckToken call.
  void SetUnit(const HUnit* unit) { m_unit = unit; }
  const HUnit* Unit() const { return m_unit; }

  int32_t ZAKCALL GetText(int32_t property, VARIANT* out, int32_t side) override;

 private:
  const HUnit* m_unit = nullptr;
  std::u16string m_wide;  // the last text converted, kept for its storage
};
