// The dialog placement store ("pos.ini": one "Dlg<template>" value per dialog template) and the
// keep-on-screen correction that moves a restored window back onto a monitor's work area.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/KTypes.h"

// KeepOnScreen flag bits.
enum : uint32_t {
  KEEPONSCREEN_WIDTH = 0x1,       // the whole width must lie on a monitor (else 32 pixels suffice)
  KEEPONSCREEN_HEIGHT = 0x2,      // the whole height must lie on a monitor (else the caption strip)
  KEEPONSCREEN_FIRSTONLY = 0x4,   // only the first monitor counts
  KEEPONSCREEN_MARKER = 0x8,      // set together with a fit bit by a restored "x" or "y" marker
  KEEPONSCREEN_TESTONLY = 0x10,   // report, never move
};

// The folder that holds "pos.ini". The add-in hands in its data folder (the host's site folder): the
// framework sits below the rules layer and cannot ask the host itself. Empty means the bare file name.
void SetPlacementFolder(std::u16string_view folder);
// The section name: the module's application name, cut to 31 characters when it is first used.
void SetPlacementApplicationName(std::u16string_view name);
// The profile file the placements are written to.
std::u16string PlacementProfilePath();

// Writes the dialog's normal rectangle under the template's key, relative to the reference window (or the
// dialog's owner) with the markers of the monitors it fits. Returns 1 when the value was written.
int32_t SavePlacement(KWnd dialog, uint32_t templateId, KWnd reference);
// Applies the stored placement (or centres the dialog when there is none); `minimum` is null for no
// minimum size. Returns 1 when a stored placement was applied, 0 when the dialog was centred.
int32_t RestorePlacement(KWnd dialog, uint32_t templateId, KWnd reference, const KSize* minimum);
// Returns 1 when the window already lies acceptably on a monitor, else 0 (after moving it, unless
// KEEPONSCREEN_TESTONLY).
int32_t KeepOnScreen(KWnd window, uint32_t flags);
// Copies up to `maximum` monitor rectangles (work areas when `workAreas`) and returns the count; with no
// array, the number of monitors. A system that lists no monitor gives its primary work area, count 1.
int32_t EnumWorkAreas(KRect* rects, int32_t maximum, bool workAreas);
