// Dialog layout functions: rectangle arithmetic over the platform's window and client rectangles.
#include "framework/KDialogLayout.h"

#include <algorithm>
#include <climits>

#include "framework/CWindowRectAnimation.h"
#include "platform/KPlatform.h"

namespace {

KRect ClientRectOnScreen(KWnd window) {
  KPlatform& platform = Platform();
  const KPoint origin = platform.ClientToScreen(window, {0, 0});
  return platform.GetClientRect(window).Offset(origin.x, origin.y);
}

// The screen rectangle that holds the children that count.
KRect ChildBounds(KWnd dialog, bool withHidden) {
  KPlatform& platform = Platform();
  KRect bounds{INT32_MAX, INT32_MAX, -INT32_MAX, -INT32_MAX};
  for (KWnd child = platform.GetFirstChild(dialog); child; child = platform.GetNextSibling(child)) {
    // The child's own visibility: the dialog itself may not be shown yet.
    if (!withHidden && !(platform.GetStyle(child) & WS_VISIBLE)) continue;
    const KRect rect = platform.GetWindowRect(child);
    bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top), std::max(bounds.right, rect.right),
              std::max(bounds.bottom, rect.bottom)};
  }
  return bounds;
}

// Moves every child by (dx, dy) inside the dialog whose client area lies at `client` on screen.
void MoveChildren(KWnd dialog, const KRect& client, int32_t dx, int32_t dy) {
  KPlatform& platform = Platform();
  for (KWnd child = platform.GetFirstChild(dialog); child; child = platform.GetNextSibling(child)) {
    platform.MoveWindow(child, platform.GetWindowRect(child).Offset(dx - client.left, dy - client.top));
  }
  platform.InvalidateWindow(dialog, true);
}

}  // namespace

int32_t KMulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return -1;
  int64_t product = int64_t{number} * numerator;
  int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const int64_t rounded = product >= 0 ? (product + divisor / 2) / divisor : -((divisor / 2 - product) / divisor);
  return static_cast<int32_t>(rounded);
}

int32_t FitToChildren(KWnd dialog, uint32_t flags, int32_t margin) {
  const KRect bounds = ChildBounds(dialog, flags & FIT_HIDDEN);
  if (bounds.left == INT32_MAX) return 0;
  const KRect client = ClientRectOnScreen(dialog);
  const uint32_t units = (flags & FIT_PIXELS) ? (8U << 16) | 4U : DialogUnitSize(dialog);
  const int32_t marginX = KMulDiv(static_cast<int32_t>(units & 0xFFFF), margin, 4);
  const int32_t marginY = KMulDiv(static_cast<int32_t>(units >> 16), margin, 8);
  const bool mirror = margin == FIT_MIRROR;
  KRect fitted = client;
  // A mirrored margin gives each side the gap that the opposite side has now.
  if (flags & FIT_LEFT) fitted.left = bounds.left - (mirror ? client.right - bounds.right : marginX);
  if (flags & FIT_TOP) fitted.top = bounds.top - (mirror ? client.bottom - bounds.bottom : marginY);
  if (flags & FIT_RIGHT) fitted.right = bounds.right + (mirror ? bounds.left - client.left : marginX);
  if (flags & FIT_BOTTOM) fitted.bottom = bounds.bottom + (mirror ? bounds.top - client.top : marginY);
  const int32_t dx = client.left - fitted.left;
  const int32_t dy = client.top - fitted.top;
  if (dx != 0 || dy != 0) MoveChildren(dialog, client, dx, dy);
  const KRect target{client.left, client.top, client.left + fitted.Width(), client.top + fitted.Height()};
  MoveClientRect(dialog, target, flags & FIT_ANIMATE);
  return 1;
}

int32_t MoveClientRect(KWnd window, const KRect& client, bool animate) {
  KPlatform& platform = Platform();
  const KRect current = ClientRectOnScreen(window);
  const KRect frame = platform.GetWindowRect(window);
  const KRect target{client.left - (current.left - frame.left), client.top - (current.top - frame.top),
                     client.right - (current.right - frame.right), client.bottom - (current.bottom - frame.bottom)};
  if (animate) {
    WindowRectAnimation().Start(window, frame, target);
  } else {
    MoveWindowOnScreen(window, target);
  }
  return 1;
}

void MoveWindowOnScreen(KWnd window, const KRect& screenRect) {
  KPlatform& platform = Platform();
  const KWnd parent = platform.GetParent(window);
  if (!parent || !(platform.GetStyle(window) & WS_CHILD)) {
    platform.MoveWindow(window, screenRect);
    return;
  }
  const KPoint origin = platform.ClientToScreen(parent, {0, 0});
  platform.MoveWindow(window, screenRect.Offset(-origin.x, -origin.y));
}

uint32_t DialogUnitSize(KWnd dialog) {
  const KRect pixels = Platform().MapDialogRect(dialog, {0, 0, 1000, 1000});
  const auto x = static_cast<uint32_t>(KMulDiv(pixels.Width(), 4, 1000));
  const auto y = static_cast<uint32_t>(KMulDiv(pixels.Height(), 8, 1000));
  return (x & 0xFFFF) | (y << 16);
}

int32_t GetDlgItemRect(KWnd dialog, int32_t id, KRect& out, KRect* reference) {
  KPlatform& platform = Platform();
  KRect own;
  KRect& origin = reference ? *reference : own;
  if (origin == KRect{}) {
    if (!platform.IsWindow(dialog)) return 0;
    origin = ClientRectOnScreen(dialog);
  }
  if (id == 0) {
    out = platform.GetWindowRect(dialog);
    return 1;
  }
  const KWnd control = platform.GetDlgItem(dialog, id);
  if (!control) return 0;
  out = platform.GetWindowRect(control).Offset(-origin.left, -origin.top);
  return 1;
}

int32_t GotoDlgItem(KWnd dialog, int32_t id) {
  const KWnd control = Platform().GetDlgItem(dialog, id);
  return control ? static_cast<int32_t>(Platform().NextDlgCtl(dialog, control)) : 0;
}

KWnd EnableDlgItem(KWnd dialog, int32_t id, bool enable) {
  const KWnd control = Platform().GetDlgItem(dialog, id);
  if (control) Platform().EnableWindow(control, enable);
  return control;
}
