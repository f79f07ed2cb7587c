// The resources of one module as a resource source: the module's own, or those of a resource library.
#pragma once

#include <memory>

#include "support/KResourceSource.h"

class KModuleResources : public KResourceSource {
 public:
  // module: the handle the window system knows (HMODULE on Windows, else null); tables: the compiled tables
  // where there are no native resources, else null.
  KModuleResources(void* module, const KResourceTable* tables) : module_(module), tables_(tables) {}

  bool GetString(uint32_t id, std::u16string& text) const override;
  void* ModuleHandle() const override { return module_; }
  const KResourceTable* Tables() const override { return tables_; }

  // The resources linked into the module that holds this code.
  static std::unique_ptr<KResourceSource> Own();

 private:
  void* module_;
  const KResourceTable* tables_;
};
