// Control groups of a dialog: the run of controls in tab order from a control with the group style up to
// the next one. Any member's identifier names the group.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/KTypes.h"

// The members of the group of control `id`, in tab order; empty when the dialog has no such control.
std::vector<KWnd> ControlGroup(KWnd dialog, int32_t id);

// Each returns 1, or 0 when the dialog has no control `id`.
int32_t EnableGroup(KWnd dialog, int32_t id, bool enable);
int32_t ShowGroup(KWnd dialog, int32_t id, bool show);
// Checks member `index` and unchecks the others; -1 unchecks all.
int32_t SetGroupRadioIndex(KWnd dialog, int32_t id, int32_t index);
// The index of the last checked member (the indeterminate state does not count); -1 for none.
int32_t GetGroupRadioIndex(KWnd dialog, int32_t id);
// Member i is checked when bit (i mod 32) of mask is set.
int32_t SetGroupBits(KWnd dialog, int32_t id, uint32_t mask);
uint32_t GetGroupBits(KWnd dialog, int32_t id);
// Switches an automatic check box between three states and two; an owner-drawn button gives 0.
int32_t SetCheckBoxThreeState(KWnd dialog, int32_t id, bool threeState);
