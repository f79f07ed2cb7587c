// ZAKFN_Setup: the rule editor, run modally; 0 when the user closes it with OK.
#include <cstdint>

#include "addin/ExportGuard.h"
#include "addin/ZakExport.h"
#include "editor/CSetupDlg.h"
#include "platform/KWinDefs.h"

ZAK_EXPORT int32_t ZAKFN_Setup() {
  return GuardExport(1, [] {
    CSetupDlg dialog(nullptr);
    return dialog.DoModal() == IDOK ? 0 : 1;
  });
}
