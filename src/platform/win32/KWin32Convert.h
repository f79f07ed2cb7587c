// Conversions between the platform interface's types and Win32's: handles, rectangles, points, times and
// texts.
// char16_t and wchar_t have the same bits on Windows, so texts cross the boundary by a cast, here only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/KTypes.h"
#include "platform/KWinDefs.h"

inline HWND ToWin(KWnd window) { return reinterpret_cast<HWND>(window); }
inline HTREEITEM ToWin(KTreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
inline HIMAGELIST ToWin(KImageList images) { return reinterpret_cast<HIMAGELIST>(images); }
inline HMENU ToWin(KMenu menu) { return reinterpret_cast<HMENU>(menu); }
inline HCURSOR ToWin(KCursor cursor) { return reinterpret_cast<HCURSOR>(cursor); }
inline RECT ToWin(const KRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
inline POINT ToWin(KPoint point) { return {point.x, point.y}; }
inline SYSTEMTIME ToWin(const KSystemTime& time) {
  return {time.year, time.month, time.dayOfWeek, time.day, time.hour, time.minute, time.second, time.milliseconds};
}

inline KWnd FromWin(HWND window) { return reinterpret_cast<KWnd>(window); }
inline KTreeItem FromWin(HTREEITEM item) { return reinterpret_cast<KTreeItem>(item); }
inline KImageList FromWin(HIMAGELIST images) { return reinterpret_cast<KImageList>(images); }
inline KMenu FromWin(HMENU menu) { return reinterpret_cast<KMenu>(menu); }
inline KCursor FromWin(HCURSOR cursor) { return reinterpret_cast<KCursor>(cursor); }
inline KRect FromWin(const RECT& rect) {
  return {static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top), static_cast<int32_t>(rect.right),
          static_cast<int32_t>(rect.bottom)};
}
inline KPoint FromWin(const POINT& point) {
  return {static_cast<int32_t>(point.x), static_cast<int32_t>(point.y)};
}
inline KSystemTime FromWin(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDayOfWeek, time.wDay, time.wHour, time.wMinute, time.wSecond,
          time.wMilliseconds};
}

// A zero-terminated wide copy of a text, for the calls that take one.
class KWideZ {
 public:
  explicit KWideZ(std::u16string_view text) : text_(text) {}
  operator const wchar_t*() const { return reinterpret_cast<const wchar_t*>(text_.c_str()); }

 private:
  std::u16string text_;
};

// A text buffer of the module as the wide buffer a call fills, and a wide text the system returns.
inline wchar_t* AsWide(char16_t* buffer) { return reinterpret_cast<wchar_t*>(buffer); }
inline const char16_t* FromWide(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }
