// The check run's exports: the host opens a run, hands over one token at a time and closes the run.
#include <cstdint>

#include "addin/ExportGuard.h"
#include "addin/HostInterfaces.h"
#include "addin/ZakExport.h"
#include "check/CRegExChecker.h"
#include "check/CheckEngine.h"

ZAK_EXPORT int32_t ZAKFN_BeginCheckTokens(int32_t, ICheckRun* run) {
  return GuardExport(0, [&] {
    CreateCheckEngine().Begin(run);
    return 0;
  });
}

ZAK_EXPORT int32_t ZAKFN_CheckToken(IHostToken* token, int32_t, ICheckOptions* options) {
  return GuardExport(0, [&] {
    int32_t isOn = 0;
    if (options != nullptr) options->IsCheckOn(CUSTOM_CHECK_REGEX, &isOn);
    // A token outside a run (no engine, or one whose run has ended) passes unreported.
    CRegExChecker* engine = CheckEngine();
    if (isOn != 0 && token != nullptr && engine != nullptr) engine->CheckToken(token);
    return 0;
  });
}

ZAK_EXPORT int32_t ZAKFN_EndCheckTokens(int32_t, ICheckRun* run) {
  return GuardExport(0, [&] {
    int32_t isFinal = 0;
    if (run != nullptr) run->IsFinal(&isFinal);
    // A run that is not the last keeps the engine, so the next begin reads no rule file.
    if (isFinal != 0) DestroyCheckEngine();
    if (CRegExChecker* engine = CheckEngine()) engine->End();
    return 0;
  });
}
