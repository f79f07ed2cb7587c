// CWindowRectAnimation: animated moves of windows from one window rectangle to another over 333 ms,
// driven by a 5 ms timer per window and an ease-out curve computed from the clock.
#pragma once

#include <cstdint>

#include "platform/KTypes.h"
#include "support/KObArray.h"

// One running animation.
class CWRAItem : public KObject {
 public:
  uintptr_t TimerId = 0;  // unique among running animations
  KWnd Window = nullptr;
  KRect StartRect;  // screen
  KRect EndRect;    // screen
  uint32_t StartTime = 0;  // platform clock, milliseconds
};

// The running animations; it owns its items, and each removes itself when it ends.
class CWindowRectAnimation : public KTypedPtrArray<CWRAItem> {
 public:
  static constexpr uint32_t kDuration = 333;  // milliseconds
  static constexpr uint32_t kStepInterval = 5;

  CWindowRectAnimation() { SetOwnsElements(true); }

  // Ends any animation of the window where it is, starts a new one and returns its timer identifier.
  uintptr_t Start(KWnd window, const KRect& from, const KRect& to);
  // Ends the window's animation where it is; nothing when it has none.
  void Stop(KWnd window);
  // One timer tick: moves the window along the curve; the last step puts it at the end and ends it.
  void Step(KWnd window, uintptr_t timerId);

  // Percent of the way covered after `percentOfTime` percent of the duration: 75 at 50, 100 from 100 on.
  static int32_t EaseOut(int32_t percentOfTime);

 private:
  int FindTimer(uintptr_t timerId) const;
  void Remove(int index);
};

// The process-wide animations.
CWindowRectAnimation& WindowRectAnimation();
