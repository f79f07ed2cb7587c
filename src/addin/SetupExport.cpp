// ZAKFN_Setup until the rule editor exists: the set-up is never confirmed.
#include <cstdint>

#include "addin/ZakExport.h"

// The rule editor (CSetupDlg) replaces this body: it returns 0 when the user closes the dialog with OK.
ZAK_EXPORT int32_t ZAKFN_Setup() {
  return 1;
}
