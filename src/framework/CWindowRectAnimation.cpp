// CWindowRectAnimation: the animation list, its timers and the ease-out steps.
#include "framework/CWindowRectAnimation.h"

#include "framework/KDialogLayout.h"
#include "platform/KPlatform.h"

namespace {

void AnimationTimer(KWnd window, uintptr_t timerId) { WindowRectAnimation().Step(window, timerId); }

int32_t Along(int32_t start, int32_t end, int32_t percent) { return start + KMulDiv(percent, end - start, 100); }

}  // namespace

CWindowRectAnimation& WindowRectAnimation() {
  static CWindowRectAnimation animations;
  return animations;
}

int32_t CWindowRectAnimation::EaseOut(int32_t percentOfTime) {
  return percentOfTime < 100 ? (200 - percentOfTime) * percentOfTime / 100 : 100;
}

uintptr_t CWindowRectAnimation::Start(KWnd window, const KRect& from, const KRect& to) {
  Stop(window);
  uintptr_t timerId = 1;
  while (FindTimer(timerId) >= 0) ++timerId;
  auto* item = new CWRAItem;
  item->TimerId = timerId;
  item->Window = window;
  item->StartRect = from;
  item->EndRect = to;
  item->StartTime = Platform().TickCount();
  Add(item);
  Platform().SetTimer(window, timerId, kStepInterval, AnimationTimer);
  return timerId;
}

void CWindowRectAnimation::Stop(KWnd window) {
  for (int i = 0; i < GetSize(); ++i) {
    if (GetAt(i)->Window == window) {
      Remove(i);
      return;
    }
  }
}

void CWindowRectAnimation::Step(KWnd window, uintptr_t timerId) {
  const int index = FindTimer(timerId);
  if (index < 0) {
    Platform().KillTimer(window, timerId);
    return;
  }
  const CWRAItem* item = GetAt(index);
  const auto elapsed = static_cast<int32_t>(Platform().TickCount() - item->StartTime);
  const int32_t percent = EaseOut(KMulDiv(elapsed, 100, static_cast<int32_t>(kDuration)));
  const KRect& from = item->StartRect;
  const KRect& to = item->EndRect;
  MoveWindowOnScreen(item->Window, {Along(from.left, to.left, percent), Along(from.top, to.top, percent),
                                    Along(from.right, to.right, percent), Along(from.bottom, to.bottom, percent)});
  if (percent == 100) Remove(index);
}

int CWindowRectAnimation::FindTimer(uintptr_t timerId) const {
  for (int i = 0; i < GetSize(); ++i) {
    if (GetAt(i)->TimerId == timerId) return i;
  }
  return -1;
}

void CWindowRectAnimation::Remove(int index) {
  CWRAItem* item = GetAt(index);
  Platform().KillTimer(item->Window, item->TimerId);
  RemoveAt(index);
  delete item;
}
