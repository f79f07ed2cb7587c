// The holder of the current resource source: the module's own resources until a resource library replaces
// them.
#include "support/KResourceSource.h"

#include <utility>

#include "support/KModuleResources.h"

namespace {

std::unique_ptr<KResourceSource>& Current() {
  static std::unique_ptr<KResourceSource> source = KModuleResources::Own();
  return source;
}

}  // namespace

const KResourceSource& ResourceSource() { return *Current(); }

std::u16string ResourceString(uint32_t id) {
  std::u16string text;
  if (!ResourceSource().GetString(id, text)) text.clear();
  return text;
}

// A null source returns to the module's own resources.
void SetResourceSource(std::unique_ptr<KResourceSource> source) {
  Current() = source ? std::move(source) : KModuleResources::Own();
}
