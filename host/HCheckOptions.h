// The check options of a run: the module's custom check is always switched on in this host.
#pragma once

#include "addin/HostInterfaces.h"

class HCheckOptions final : public ICheckOptions {
 public:
  int32_t ZAKCALL Unused0() override { return 0; }
  int32_t ZAKCALL IsCheckOn(int32_t option, int32_t* isOn) override {
    if (isOn == nullptr) return 1;
    *isOn = option == CUSTOM_CHECK_REGEX ? 1 : 0;
    return 0;
  }
};
