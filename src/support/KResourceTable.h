// The compiled form of a resource script where the window system has no native resources: constant tables
// of strings, dialog templates, menus, bitmaps and cursors, generated from the .rc at build time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

struct KResourceString {
  uint32_t id;
  const char16_t* text;
};

// One control of a dialog template; style bits and the rectangle (dialog units) exactly as Win32 reads them.
struct KDialogControl {
  int32_t id;  // -1 for controls without an id (IDC_STATIC)
  const char16_t* className;
  const char16_t* text;
  uint32_t style;
  uint32_t exStyle;
  int16_t x, y, cx, cy;
};

struct KDialogTemplate {
  uint32_t id;
  uint32_t style;
  uint32_t exStyle;
  int16_t x, y, cx, cy;
  const char16_t* caption;
  const char16_t* fontName;  // empty when the dialog names no font
  uint16_t fontSize;
  std::span<const KDialogControl> controls;
};

// Menu item flags, the Win32 MF_ values.
enum : uint32_t {
  KMENU_GRAYED = 0x0001,
  KMENU_INACTIVE = 0x0002,
  KMENU_CHECKED = 0x0008,
  KMENU_POPUP = 0x0010,
  KMENU_MENUBARBREAK = 0x0020,
  KMENU_MENUBREAK = 0x0040,
  KMENU_SEPARATOR = 0x0800,
  KMENU_HELP = 0x4000,
};

struct KMenuItem {
  const char16_t* text;  // empty for a separator
  uint32_t command;      // 0 for popups and separators
  uint32_t flags;        // KMENU_ bits
  const KMenuItem* children;
  uint32_t childCount;

  std::span<const KMenuItem> Children() const { return {children, childCount}; }
};

struct KMenuTemplate {
  uint32_t id;
  std::span<const KMenuItem> items;
};

// A bitmap (the .bmp file's bytes) or a cursor (the .cur file's bytes).
struct KBinaryResource {
  uint32_t id;
  std::span<const unsigned char> bytes;
};

struct KResourceTable {
  std::span<const KResourceString> strings;
  std::span<const KDialogTemplate> dialogs;
  std::span<const KMenuTemplate> menus;
  std::span<const KBinaryResource> bitmaps;
  std::span<const KBinaryResource> cursors;

  // The string with that id, or null.
  const char16_t* FindString(uint32_t id) const {
    const KResourceString* entry = FindById(strings, id);
    return entry ? entry->text : nullptr;
  }
  const KDialogTemplate* FindDialog(uint32_t id) const { return FindById(dialogs, id); }
  const KMenuTemplate* FindMenu(uint32_t id) const { return FindById(menus, id); }
  const KBinaryResource* FindBitmap(uint32_t id) const { return FindById(bitmaps, id); }
  const KBinaryResource* FindCursor(uint32_t id) const { return FindById(cursors, id); }

 private:
  // The tables are small; a linear search keeps them plain constant data.
  template <class T>
  static const T* FindById(std::span<const T> entries, uint32_t id) {
    for (const T& entry : entries) {
      if (entry.id == id) return &entry;
    }
    return nullptr;
  }
};

// The tables compiled into this module from its own resource script (builds without native resources).
const KResourceTable* ModuleResourceTable();
