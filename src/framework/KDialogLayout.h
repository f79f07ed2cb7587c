// Dialog layout functions: fitting a dialog to its controls, moving a window's client area (at once or
// animated), dialog units, and shortcuts to a dialog's controls.
#pragma once

#include <cstdint>

#include "platform/KTypes.h"

// FitToChildren flag bits.
enum : uint32_t {
  FIT_LEFT = 0x1,
  FIT_TOP = 0x2,
  FIT_RIGHT = 0x4,
  FIT_BOTTOM = 0x8,
  FIT_PIXELS = 0x10,     // margins in pixels instead of dialog units
  FIT_HIDDEN = 0x20,     // hidden children count too
  FIT_ANIMATE = 0x100,   // animate the change
};

// The margin that gives a side the gap of the opposite side.
inline constexpr int32_t FIT_MIRROR = -1;

// number * numerator / denominator rounded half away from zero; -1 for a zero denominator (Win32's MulDiv).
int32_t KMulDiv(int32_t number, int32_t numerator, int32_t denominator);

// Resizes the dialog so that its client area fits its (visible) children with the margin on each side
// the flags name. Growing left or up moves the children, not the dialog. 0 when no child counts.
int32_t FitToChildren(KWnd dialog, uint32_t flags, int32_t margin);
// Gives the window the client rectangle `client` (screen coordinates), keeping its frame; 1.
int32_t MoveClientRect(KWnd window, const KRect& client, bool animate);
// Moves a window to a rectangle in screen coordinates, whether it is a top-level window or a control.
void MoveWindowOnScreen(KWnd window, const KRect& screenRect);
// Low 16 bits: pixels of 4 horizontal dialog units; high 16 bits: pixels of 8 vertical ones.
uint32_t DialogUnitSize(KWnd dialog);
// The control's window rectangle relative to `reference` (a null or all-zero reference is the dialog's
// client area on screen, and an all-zero one is filled in); id 0 gives the dialog's own window rectangle
// on screen. 0 when the control is missing.
int32_t GetDlgItemRect(KWnd dialog, int32_t id, KRect& out, KRect* reference);
// Moves the focus to the control the way the dialog manager does and returns the dialog manager's answer
// to that request; 0 when there is no such control.
int32_t GotoDlgItem(KWnd dialog, int32_t id);
// Enables or disables the control; returns it, or null when the dialog has none with that id.
KWnd EnableDlgItem(KWnd dialog, int32_t id, bool enable);
