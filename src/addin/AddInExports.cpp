// The module's registration exports: load table, description record, custom check option and the stubs.
#include <cstdint>

#include "addin/ZakExport.h"

ZAK_EXPORT int32_t ZAKFN_LoadAddIn(uint32_t* table13) {
  if (table13 == nullptr) return 0;
  table13[0] = 112;
  for (int i = 1; i <= 9; ++i) table13[i] = 110;
  for (int i = 10; i <= 12; ++i) table13[i] = 0;
  return 0;
}
