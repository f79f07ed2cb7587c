// Geometry and handle types of the platform interface: pixels as signed 32-bit numbers, window-system
// objects as opaque handles that the Win32 backend casts to and from HWND, HTREEITEM, HIMAGELIST, ...
#pragma once

#include <cstdint>
#include <string>

struct KPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const KPoint&, const KPoint&) = default;
};

struct KSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const KSize&, const KSize&) = default;
};

// Left and top are inside, right and bottom just outside, as in Win32.
struct KRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Contains(KPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  KPoint TopLeft() const { return {left, top}; }
  KRect Offset(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const KRect&, const KRect&) = default;
};

// Opaque handles; null means none. Each backend owns what they point at.
struct KWndObject;
struct KTreeItemObject;
struct KImageListObject;
struct KMenuObject;
struct KCursorObject;
using KWnd = KWndObject*;            // a window or control (HWND)
using KTreeItem = KTreeItemObject*;  // a tree-view node (HTREEITEM)
using KImageList = KImageListObject*;  // an image list, also a drag image (HIMAGELIST)
using KMenu = KMenuObject*;          // a menu or popup menu (HMENU)
using KCursor = KCursorObject*;      // a cursor (HCURSOR)

// The special insert positions and parent of a tree view, with the numbers Win32 gives TVI_ROOT,
// TVI_FIRST and TVI_LAST so that the Win32 backend passes them through.
inline KTreeItem TreeRoot() { return reinterpret_cast<KTreeItem>(static_cast<intptr_t>(-0x10000)); }
inline KTreeItem TreeFirst() { return reinterpret_cast<KTreeItem>(static_cast<intptr_t>(-0x0FFFF)); }
inline KTreeItem TreeLast() { return reinterpret_cast<KTreeItem>(static_cast<intptr_t>(-0x0FFFE)); }

// A colour as Win32 stores it: 0x00BBGGRR.
constexpr uint32_t KRgb(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} | (uint32_t{green} << 8) | (uint32_t{blue} << 16);
}

// The standard cursors, numbered as Win32 numbers IDC_ARROW, IDC_WAIT, IDC_CROSS and IDC_NO.
enum class KStdCursor : uint32_t { Arrow = 32512, Wait = 32514, Cross = 32515, No = 32648 };

// The class names of the standard controls.
inline constexpr char16_t KCLASS_BUTTON[] = u"Button";
inline constexpr char16_t KCLASS_EDIT[] = u"Edit";
inline constexpr char16_t KCLASS_STATIC[] = u"Static";
inline constexpr char16_t KCLASS_LISTBOX[] = u"ListBox";
inline constexpr char16_t KCLASS_COMBOBOX[] = u"ComboBox";
inline constexpr char16_t KCLASS_TREEVIEW[] = u"SysTreeView32";
inline constexpr char16_t KCLASS_DATETIMEPICK[] = u"SysDateTimePick32";
inline constexpr char16_t KCLASS_TRACKBAR[] = u"msctls_trackbar32";

struct KMonitorInfo {
  KRect monitor;   // the whole display, screen coordinates
  KRect workArea;  // without task bars
  bool primary = false;
};

// What GetWindowPlacement reports: the rectangle the window has when restored, and how it is shown now.
struct KWindowPlacement {
  KRect normal;              // screen coordinates
  uint32_t showCommand = 1;  // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
};

// One node to insert into a tree view; parent TreeRoot() or null for a top-level node.
struct KTreeInsert {
  KTreeItem parent = nullptr;
  KTreeItem insertAfter = TreeLast();  // TreeFirst(), TreeLast() or a sibling
  std::u16string text;
  int32_t image = 0;
  int32_t selectedImage = 0;
  void* data = nullptr;
};

// An edit control's selection in UTF-16 units; start == end is the caret alone.
struct KTextRange {
  int32_t start = 0;
  int32_t end = 0;
  friend bool operator==(const KTextRange&, const KTextRange&) = default;
};

// A calendar date and time of day as a date/time picker holds it, the fields of Win32's SYSTEMTIME.
struct KSystemTime {
  uint16_t year = 0;
  uint16_t month = 0;      // 1 to 12
  uint16_t dayOfWeek = 0;  // 0 Sunday to 6 Saturday; ignored when a picker is set
  uint16_t day = 0;        // 1 to 31
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  friend bool operator==(const KSystemTime&, const KSystemTime&) = default;
};
