// KDragTreeCtrl: the drag state machine over the platform's tree view, drag image, capture and timer.
#include "framework/KDragTreeCtrl.h"

#include <cmath>

#include "platform/KPlatform.h"

namespace {

constexpr uint32_t kMoveCursorId = 28603;
constexpr uint32_t kCopyCursorId = 28604;

bool ControlKeyDown() { return Platform().GetKeyState(VK_CONTROL) < 0; }

}  // namespace

KDragTreeCtrl::~KDragTreeCtrl() { Detach(); }

int32_t KDragTreeCtrl::Attach(KWnd tree) {
  KPlatform& platform = Platform();
  if (!platform.IsWindow(tree)) return 0;
  tree_ = tree;
  platform.SetWindowSink(tree, this);
  moveCursor_ = platform.LoadResourceCursor(kMoveCursorId);
  copyCursor_ = platform.LoadResourceCursor(kCopyCursorId);
  noDropCursor_ = platform.StandardCursor(KStdCursor::No);
  return 1;
}

void KDragTreeCtrl::Detach() {
  if (!tree_) return;
  EndDrag(true);
  if (Platform().IsWindow(tree_)) Platform().SetWindowSink(tree_, nullptr);
  tree_ = nullptr;
}

intptr_t KDragTreeCtrl::Notify(uint32_t code, NMDRAGTREE& record) {
  KPlatform& platform = Platform();
  record.hwndFrom = tree_;
  record.idFrom = platform.GetDlgCtrlId(tree_);
  record.code = code;
  KNotify notify;
  notify.from = tree_;
  notify.id = record.idFrom;
  notify.code = code;
  notify.item = record.item;
  notify.record = &record;
  return platform.SendNotify(notify);
}

intptr_t KDragTreeCtrl::CanBeginDrag(KTreeItem item) {
  NMDRAGTREE record{.item = item, .copy = copy_, .position = position_};
  return Notify(DRAGTREE_BEGINDRAG, record);
}

KTreeItem KDragTreeCtrl::QueryDropTarget(KTreeItem item) {
  NMDRAGTREE record{.item = dragged_, .target = item, .copy = copy_, .position = position_};
  Notify(DRAGTREE_DRAGOVER, record);
  copy_ = record.copy;
  position_ = record.position;
  return record.target;
}

void KDragTreeCtrl::DropItem(KTreeItem item, KTreeItem target, int32_t copy, int32_t position) {
  NMDRAGTREE record{.item = item, .target = target, .copy = copy, .position = position};
  Notify(DRAGTREE_DROP, record);
}

int32_t KDragTreeCtrl::ResolvePosition(int32_t position, int32_t twelfths) {
  switch (position) {
    case DRAGTREE_ON | DRAGTREE_BEFORE:
      return twelfths < 4 ? DRAGTREE_BEFORE : DRAGTREE_ON;
    case DRAGTREE_ON | DRAGTREE_AFTER:
      return twelfths < 8 ? DRAGTREE_ON : DRAGTREE_AFTER;
    case DRAGTREE_BEFORE | DRAGTREE_AFTER:
      return twelfths < 6 ? DRAGTREE_BEFORE : DRAGTREE_AFTER;
    case DRAGTREE_ON | DRAGTREE_BEFORE | DRAGTREE_AFTER:
      return twelfths < 4 ? DRAGTREE_BEFORE : twelfths < 8 ? DRAGTREE_ON : DRAGTREE_AFTER;
    default:
      return position;
  }
}

int32_t KDragTreeCtrl::BeginDrag(KTreeItem item, KPoint point) {
  KPlatform& platform = Platform();
  dragImage_ = platform.TreeCreateDragImage(tree_, item);
  if (!dragImage_) return 0;
  platform.DragImageBegin(dragImage_, 0, {0, 0});
  dragging_ = true;
  dragged_ = item;
  target_ = nullptr;
  platform.DragImageEnter(nullptr, platform.ClientToScreen(tree_, point));
  platform.SetCapture(tree_);
  timer_ = platform.SetTimer(tree_, kScrollTimer, kScrollInterval, nullptr);
  return 1;
}

void KDragTreeCtrl::EndDrag(bool cancel) {
  if (!dragging_) return;
  KPlatform& platform = Platform();
  dragging_ = false;  // first, so that the capture's loss does not end the drag a second time
  platform.KillTimer(tree_, timer_);
  platform.DragImageLeave(nullptr);
  platform.DragImageEnd();
  platform.ReleaseCapture();
  platform.DestroyImageList(dragImage_);
  dragImage_ = nullptr;
  ClearFeedback();
  if (!cancel && target_) DropItem(dragged_, target_, copy_, position_);
}

void KDragTreeCtrl::ClearFeedback() {
  Platform().TreeSetInsertMark(tree_, nullptr, false);
  Platform().TreeSelectItem(tree_, nullptr, TVGN_DROPHILITE);
}

void KDragTreeCtrl::SetDropCursor() { Platform().SetCursor(copy_ ? copyCursor_ : moveCursor_); }

bool KDragTreeCtrl::OnNotify(KNotify& notify) {
  if (notify.from != tree_ || notify.code != TVN_BEGINDRAGW) return false;
  Platform().TreeSelectItem(tree_, notify.item, TVGN_CARET);
  if (CanBeginDrag(notify.item)) BeginDrag(notify.item, notify.point);
  return true;
}

bool KDragTreeCtrl::OnMouseMove(uint32_t keyFlags, KPoint point) {
  if (!dragging_) return false;
  KPlatform& platform = Platform();
  position_ = DRAGTREE_ON;
  copy_ = (keyFlags & MK_CONTROL) ? 1 : 0;
  platform.DragImageMove(platform.ClientToScreen(tree_, point));
  uint32_t hitFlags = 0;
  const KTreeItem hit = platform.TreeHitTest(tree_, point, hitFlags);
  if (!hit) {
    target_ = nullptr;
    ClearFeedback();
    platform.SetCursor(noDropCursor_);
    return false;
  }
  platform.DragImageShow(false);  // the tree changes under the image
  const KTreeItem target = QueryDropTarget(hit);
  if (!target) {
    target_ = nullptr;
    platform.SetCursor(noDropCursor_);
    ClearFeedback();
  } else {
    if (target != target_) {
      target_ = target;
      platform.TreeEnsureVisible(tree_, target);
    }
    SetDropCursor();
    ShowFeedback(point);
  }
  platform.DragImageShow(true);
  return false;
}

void KDragTreeCtrl::ShowFeedback(KPoint point) {
  KPlatform& platform = Platform();
  KRect row;
  if (position_ != DRAGTREE_ON && platform.TreeGetItemRect(tree_, target_, false, row) && row.Height() > 0) {
    const double twelfths = 12.0 * (point.y - row.top) / row.Height();
    position_ = ResolvePosition(position_, static_cast<int32_t>(std::lround(twelfths)));
  }
  if (position_ == DRAGTREE_ON) {
    platform.TreeSetInsertMark(tree_, nullptr, false);
    platform.TreeSelectItem(tree_, target_, TVGN_DROPHILITE);
  } else if (position_ == DRAGTREE_BEFORE || position_ == DRAGTREE_AFTER) {
    platform.TreeSetInsertMark(tree_, target_, position_ == DRAGTREE_AFTER);
    platform.TreeSelectItem(tree_, nullptr, TVGN_DROPHILITE);
  } else if (position_ == 0) {
    ClearFeedback();
  }
}

void KDragTreeCtrl::AfterLButtonUp(uint32_t, KPoint) { EndDrag(false); }

bool KDragTreeCtrl::OnCancelMode() {
  EndDrag(true);
  return false;
}

void KDragTreeCtrl::UpdateCopyFromKey() {
  if (!dragging_ || !target_) return;
  copy_ = ControlKeyDown() ? 1 : 0;
  SetDropCursor();
}

bool KDragTreeCtrl::OnKeyDown(uint32_t virtualKey) {
  KPlatform& platform = Platform();
  if (!dragging_) {
    if (virtualKey != VK_F2) return false;
    const KTreeItem selected = platform.TreeGetNextItem(tree_, nullptr, TVGN_CARET);
    if (!selected) return false;
    platform.TreeEditLabel(tree_, selected);
    return true;
  }
  if (virtualKey == VK_ESCAPE) {
    EndDrag(true);
    return true;
  }
  if (virtualKey == VK_CONTROL) UpdateCopyFromKey();
  return false;
}

void KDragTreeCtrl::AfterKeyUp(uint32_t) { UpdateCopyFromKey(); }

// Auto-scroll: while the cursor is within the zone at the top or bottom edge (or beyond it), one line per
// tick, and the feedback follows as if the mouse had moved.
bool KDragTreeCtrl::OnTimer(uintptr_t timerId) {
  if (!dragging_ || timerId != timer_) return false;
  KPlatform& platform = Platform();
  const KPoint cursor = platform.GetCursorPos();
  const KPoint origin = platform.ClientToScreen(tree_, {0, 0});
  const KRect area = platform.GetClientRect(tree_).Offset(origin.x, origin.y);
  const int32_t position = platform.GetScrollPos(tree_, SB_VERT);
  uint32_t direction = 0;
  if (cursor.y < area.top + kScrollZone && position >= 1) {
    direction = SB_LINEUP;
  } else if (cursor.y > area.bottom - kScrollZone && position < platform.GetScrollLimit(tree_, SB_VERT)) {
    direction = SB_LINEDOWN;
  } else {
    return true;
  }
  platform.DragImageMove(cursor);
  platform.DragImageShow(false);
  platform.Scroll(tree_, SB_VERT, direction);
  platform.DragImageShow(true);
  OnMouseMove(0, platform.ScreenToClient(tree_, cursor));
  return true;
}
