// The module's own resources with one more dialog that a test lays out itself, served like the module's
// (the headless platform builds every dialog from these tables).
#pragma once

#include <vector>

#include "support/KModuleResources.h"
#include "support/KResourceTable.h"

class KTestDialogResources : public KModuleResources {
 public:
  explicit KTestDialogResources(const KDialogTemplate& added)
      : KModuleResources(nullptr, &table_), table_(*ModuleResourceTable()) {
    dialogs_.assign(table_.dialogs.begin(), table_.dialogs.end());
    dialogs_.push_back(added);
    table_.dialogs = dialogs_;
  }
  // The base holds the address of table_, and table_ points into dialogs_: a copy would point back here.
  KTestDialogResources(const KTestDialogResources&) = delete;
  KTestDialogResources& operator=(const KTestDialogResources&) = delete;

 private:
  KResourceTable table_;
  std::vector<KDialogTemplate> dialogs_;
};
