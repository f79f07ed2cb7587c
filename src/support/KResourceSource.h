// Where the module's strings, dialogs, menus, bitmaps and cursors come from: its own resources until the
// host names a resource library (a translation of them), which then serves every later request.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct KResourceTable;  // the compiled tables of a resource script (support/KResourceTable.h)

class KResourceSource {
 public:
  virtual ~KResourceSource() = default;
  // The string with that id; false when the source has none.
  virtual bool GetString(uint32_t id, std::u16string& text) const = 0;
  // The module that holds the resources as the window system knows it (HMODULE on Windows), or null.
  virtual void* ModuleHandle() const = 0;
  // The resource tables where the window system has no native resources (headless platform), or null.
  virtual const KResourceTable* Tables() const = 0;
};

// The current source; the module's own resources until SetResourceSource replaces them.
const KResourceSource& ResourceSource();
void SetResourceSource(std::unique_ptr<KResourceSource> source);
// The string with that id from the current source; empty when it has none.
std::u16string ResourceString(uint32_t id);
