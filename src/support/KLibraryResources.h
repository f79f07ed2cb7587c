// A resource library (a translation of the module's resources) loaded from a path the host names.
#pragma once

#include <memory>
#include <string>

#include "support/KModuleResources.h"

class KLibraryResources : public KModuleResources {
 public:
  // Takes over the loaded library and unloads it when destroyed.
  KLibraryResources(void* library, void* module, const KResourceTable* tables)
      : KModuleResources(module, tables), library_(library) {}
  ~KLibraryResources() override;
  KLibraryResources(const KLibraryResources&) = delete;
  KLibraryResources& operator=(const KLibraryResources&) = delete;

 private:
  void* library_;
};

// The resource library at that path, or null when it does not load (or, without native resources, holds no
// resource tables).
std::unique_ptr<KResourceSource> LoadResourceLibrary(const std::u16string& path);
