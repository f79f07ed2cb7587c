// The state of an in-memory tree view: nodes, selection, expansion, drop highlight, insertion mark and a
// scroll position over rows of a fixed height, with the geometry of rows, labels and hit tests. Sending the
// notifications is the platform's business; this class only keeps the state consistent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/KTypes.h"

class KHeadlessTree {
 public:
  // Row height and indent per level in pixels, and the width of a character of a label.
  static constexpr int32_t kRowHeight = 16;
  static constexpr int32_t kIndent = 19;
  static constexpr int32_t kCharWidth = 6;

  struct Item {
    Item* parent = nullptr;
    std::vector<std::unique_ptr<Item>> children;
    std::u16string text;
    int32_t image = 0;
    int32_t selectedImage = 0;
    void* data = nullptr;
    bool bold = false;
    bool expanded = false;
  };

  KHeadlessTree(uint32_t style, int32_t clientWidth, int32_t clientHeight);

  // Null when the handle names no live node of this tree.
  Item* Find(KTreeItem handle) const;
  static KTreeItem Handle(const Item* item) { return reinterpret_cast<KTreeItem>(const_cast<Item*>(item)); }

  Item* Insert(const KTreeInsert& insert);
  // Removes a node with its subtree; clears selection, highlight, mark and edit that pointed into it.
  void Remove(Item* item);
  void RemoveAll();
  // Whether `item` is `ancestor` or lies below it.
  static bool IsWithin(const Item* item, const Item* ancestor);

  Item* Next(const Item* item, uint32_t relation) const;  // TVGN_* relations
  void SetExpanded(Item* item, bool expanded);
  void EnsureVisible(const Item* item);

  // Rows: the nodes whose ancestors are all expanded, in display order.
  std::vector<Item*> Rows() const;
  int32_t RowOf(const Item* item) const;  // -1 when hidden under a collapsed node
  int32_t PageRows() const;
  int32_t ScrollPos() const { return scrollPos_; }
  int32_t ScrollLimit() const;
  void ScrollTo(int32_t row);
  void Scroll(uint32_t request);  // SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_TOP, SB_BOTTOM

  // The row or label of a node in view, partly or wholly; false for a node collapsed or scrolled away.
  bool ItemRect(const Item* item, bool textOnly, KRect& rect) const;
  Item* HitTest(KPoint point, uint32_t& flags) const;

  void SetClientSize(int32_t width, int32_t height);
  void SetHasImages(bool hasImages) { hasImages_ = hasImages; }
  bool HasImages() const { return hasImages_; }

  Item* selected = nullptr;
  Item* dropHighlight = nullptr;
  Item* insertMark = nullptr;
  bool insertMarkAfter = false;
  Item* editing = nullptr;  // the node whose label is edited in place
  KWnd editControl = nullptr;

 private:
  int32_t Depth(const Item* item) const;
  int32_t LabelLeft(const Item* item) const;
  void Forget(const Item* item);
  void ClampScroll();
  std::vector<std::unique_ptr<Item>>& SiblingsOf(Item* parent);

  uint32_t style_;
  int32_t width_;
  int32_t height_;
  bool hasImages_ = false;
  int32_t scrollPos_ = 0;
  std::vector<std::unique_ptr<Item>> roots_;
  std::unordered_set<const Item*> live_;
};
