// KDragTreeCtrl: a tree view whose nodes are dragged and dropped within the tree. The control does the
// mechanics (drag image, capture, cursors, feedback, auto-scroll, Escape and Control); its parent decides
// everything through the notifications DRAGTREE_BEGINDRAG, DRAGTREE_DRAGOVER and DRAGTREE_DROP.
#pragma once

#include <cstdint>

#include "platform/KWindowSink.h"

// Where a drop goes relative to its target.
enum : int32_t {
  DRAGTREE_ON = 1,
  DRAGTREE_BEFORE = 2,
  DRAGTREE_AFTER = 4,
};

// Notification codes sent to the parent, each with an NMDRAGTREE as the notification's record.
enum : uint32_t {
  DRAGTREE_BEGINDRAG = 200,  // may `item` be dragged? non-zero allows it
  DRAGTREE_DRAGOVER = 201,   // the parent sets target (null refuses), copy and position
  DRAGTREE_DROP = 202,       // `item` was dropped at target
};

struct NMDRAGTREE {
  KWnd hwndFrom = nullptr;  // the tree
  int32_t idFrom = 0;
  uint32_t code = 0;
  KTreeItem item = nullptr;    // the dragged node
  KTreeItem target = nullptr;  // the target node, or none
  int32_t copy = 0;            // copy rather than move
  int32_t position = 0;        // DRAGTREE_* bits
  KWnd window = nullptr;       // always none
};

class KDragTreeCtrl : public KWindowSink {
 public:
  static constexpr uintptr_t kScrollTimer = 1;
  static constexpr uint32_t kScrollInterval = 75;  // milliseconds
  static constexpr int32_t kScrollZone = 20;       // pixels from the top or bottom edge

  KDragTreeCtrl() = default;
  KDragTreeCtrl(const KDragTreeCtrl&) = delete;
  KDragTreeCtrl& operator=(const KDragTreeCtrl&) = delete;
  ~KDragTreeCtrl() override;

  // Takes over the events of an existing tree view (a dialog's control) and loads the cursors.
  int32_t Attach(KWnd tree);
  void Detach();
  KWnd GetHwnd() const { return tree_; }

  // Starts dragging `item` from `point` (client coordinates); 0 when its drag image cannot be made.
  int32_t BeginDrag(KTreeItem item, KPoint point);
  // Ends a drag; without cancel, drops on the accepted target if there is one.
  void EndDrag(bool cancel);
  bool IsDragging() const { return dragging_; }
  KTreeItem Target() const { return target_; }
  int32_t Copy() const { return copy_; }
  int32_t Position() const { return position_; }

  // The parent's decisions; a derived class may answer them itself instead.
  virtual intptr_t CanBeginDrag(KTreeItem item);
  virtual KTreeItem QueryDropTarget(KTreeItem item);
  virtual void DropItem(KTreeItem item, KTreeItem target, int32_t copy, int32_t position);

  // A position of several bits resolved by where the point lies in the target's row, t being that place
  // in twelfths of the row's height (0 at the top).
  static int32_t ResolvePosition(int32_t position, int32_t twelfths);

  bool OnNotify(KNotify& notify) override;
  bool OnMouseMove(uint32_t keyFlags, KPoint point) override;
  bool OnKeyDown(uint32_t virtualKey) override;
  // The drop and the copy state follow the tree's own handling of the button and the key.
  void AfterLButtonUp(uint32_t keyFlags, KPoint point) override;
  void AfterKeyUp(uint32_t virtualKey) override;
  bool OnCancelMode() override;
  bool OnTimer(uintptr_t timerId) override;

 private:
  intptr_t Notify(uint32_t code, NMDRAGTREE& record);
  void ClearFeedback();
  void ShowFeedback(KPoint point);
  void UpdateCopyFromKey();
  void SetDropCursor();

  KWnd tree_ = nullptr;
  bool dragging_ = false;
  KImageList dragImage_ = nullptr;
  KTreeItem dragged_ = nullptr;
  KTreeItem target_ = nullptr;
  int32_t copy_ = 0;
  int32_t position_ = 0;
  uintptr_t timer_ = 0;
  KCursor moveCursor_ = nullptr;
  KCursor copyCursor_ = nullptr;
  KCursor noDropCursor_ = nullptr;
};
