// A translation unit as the module's token: it hands out the unit's texts on request.
#pragma once

#include "HUnit.h"
#include "addin/HostInterfaces.h"

class HToken final : public IHostToken {
 public:
  // The unit is borrowed for the duration of one ZAKFN_CheckToken call.
  void SetUnit(const HUnit* unit) { m_unit = unit; }
  const HUnit* Unit() const { return m_unit; }

  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }
  int32_t ZAKCALL Unused5() override { return 0; }
  int32_t ZAKCALL GetText(int32_t property, VARIANT* out, int32_t side) override;

 private:
  const HUnit* m_unit = nullptr;
};
