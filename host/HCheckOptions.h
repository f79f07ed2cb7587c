// The check options of a run: the module's custom check is always switched on in this host.
#pragma once

#include "addin/HostInterfaceBases.h"

class HCheckOptions final : public KCheckOptionsBase {
 public:
  int32_t ZAKCALL IsCheckOn(int32_t option, int32_t* isOn) override {
    if (isOn == nullptr) return 1;
    *isOn = option == CUSTOM_CHECK_REGEX ? 1 : 0;
    return 0;
  }
};
