// The in-memory tree view's state and geometry.
#include "platform/headless/KHeadlessTree.h"

#include <algorithm>

#include "platform/KWinDefs.h"

namespace {

constexpr int32_t kImageWidth = 16 + 3;  // an image and the gap before the label
constexpr int32_t kLabelPadding = 4;

}  // namespace

KHeadlessTree::KHeadlessTree(uint32_t style, int32_t clientWidth, int32_t clientHeight)
    : style_(style), width_(clientWidth), height_(clientHeight) {}

KHeadlessTree::Item* KHeadlessTree::Find(KTreeItem handle) const {
  const auto* item = reinterpret_cast<const Item*>(handle);
  return live_.count(item) ? const_cast<Item*>(item) : nullptr;
}

std::vector<std::unique_ptr<KHeadlessTree::Item>>& KHeadlessTree::SiblingsOf(Item* parent) {
  return parent ? parent->children : roots_;
}

KHeadlessTree::Item* KHeadlessTree::Insert(const KTreeInsert& insert) {
  Item* parent = insert.parent == TreeRoot() ? nullptr : Find(insert.parent);
  if (insert.parent && insert.parent != TreeRoot() && !parent) return nullptr;
  auto& siblings = SiblingsOf(parent);
  auto position = siblings.end();
  if (insert.insertAfter == TreeFirst()) {
    position = siblings.begin();
  } else if (insert.insertAfter != TreeLast()) {
    // A sibling to insert after; anything else (TVI_SORT, a stranger) appends, as the tree view does.
    auto after = std::find_if(siblings.begin(), siblings.end(),
                              [&](const auto& s) { return Handle(s.get()) == insert.insertAfter; });
    if (after != siblings.end()) position = after + 1;
  }
  auto item = std::make_unique<Item>();
  item->parent = parent;
  item->text = insert.text;
  item->image = insert.image;
  item->selectedImage = insert.selectedImage;
  item->data = insert.data;
  Item* raw = item.get();
  siblings.insert(position, std::move(item));
  live_.insert(raw);
  return raw;
}

void KHeadlessTree::Forget(const Item* item) {
  for (const auto& child : item->children) Forget(child.get());
  live_.erase(item);
}

void KHeadlessTree::Remove(Item* item) {
  for (Item** pointer : {&selected, &dropHighlight, &insertMark, &editing}) {
    if (*pointer && IsWithin(*pointer, item)) *pointer = nullptr;
  }
  Forget(item);
  auto& siblings = SiblingsOf(item->parent);
  siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](const auto& s) { return s.get() == item; }));
  ClampScroll();
}

void KHeadlessTree::RemoveAll() {
  selected = dropHighlight = insertMark = editing = nullptr;
  live_.clear();
  roots_.clear();
  scrollPos_ = 0;
}

bool KHeadlessTree::IsWithin(const Item* item, const Item* ancestor) {
  for (; item; item = item->parent) {
    if (item == ancestor) return true;
  }
  return false;
}

KHeadlessTree::Item* KHeadlessTree::Next(const Item* item, uint32_t relation) const {
  const auto& siblings = item && item->parent ? item->parent->children : roots_;
  auto index = [&]() -> ptrdiff_t {
    for (size_t i = 0; i < siblings.size(); ++i) {
      if (siblings[i].get() == item) return static_cast<ptrdiff_t>(i);
    }
    return -1;
  };
  const std::vector<Item*> rows = Rows();
  const int32_t row = item ? RowOf(item) : -1;
  switch (relation) {
    case TVGN_ROOT:
      return roots_.empty() ? nullptr : roots_.front().get();
    case TVGN_NEXT: {
      const ptrdiff_t i = item ? index() : -1;
      return i >= 0 && static_cast<size_t>(i + 1) < siblings.size() ? siblings[i + 1].get() : nullptr;
    }
    case TVGN_PREVIOUS: {
      const ptrdiff_t i = item ? index() : -1;
      return i > 0 ? siblings[i - 1].get() : nullptr;
    }
    case TVGN_PARENT:
      return item ? item->parent : nullptr;
    case TVGN_CHILD:
      if (!item) return roots_.empty() ? nullptr : roots_.front().get();
      return item->children.empty() ? nullptr : item->children.front().get();
    case TVGN_CARET:
      return selected;
    case TVGN_DROPHILITE:
      return dropHighlight;
    case TVGN_FIRSTVISIBLE:
      return scrollPos_ < static_cast<int32_t>(rows.size()) ? rows[scrollPos_] : nullptr;
    case TVGN_NEXTVISIBLE:
      return row >= 0 && row + 1 < static_cast<int32_t>(rows.size()) ? rows[row + 1] : nullptr;
    case TVGN_PREVIOUSVISIBLE:
      return row > 0 ? rows[row - 1] : nullptr;
    case TVGN_LASTVISIBLE:
      return rows.empty() ? nullptr : rows.back();
    default:
      return nullptr;
  }
}

void KHeadlessTree::SetExpanded(Item* item, bool expanded) {
  item->expanded = expanded;
  if (!expanded && selected && selected != item && IsWithin(selected, item)) selected = item;
  ClampScroll();
}

void KHeadlessTree::EnsureVisible(const Item* item) {
  for (Item* parent = item->parent; parent; parent = parent->parent) parent->expanded = true;
  const int32_t row = RowOf(item);
  if (row < scrollPos_) {
    ScrollTo(row);
  } else if (row >= scrollPos_ + PageRows()) {
    ScrollTo(row - PageRows() + 1);
  }
}

std::vector<KHeadlessTree::Item*> KHeadlessTree::Rows() const {
  std::vector<Item*> rows;
  auto add = [&rows](const auto& self, const std::vector<std::unique_ptr<Item>>& items) -> void {
    for (const auto& item : items) {
      rows.push_back(item.get());
      if (item->expanded) self(self, item->children);
    }
  };
  add(add, roots_);
  return rows;
}

int32_t KHeadlessTree::RowOf(const Item* item) const {
  const std::vector<Item*> rows = Rows();
  const auto found = std::find(rows.begin(), rows.end(), item);
  return found == rows.end() ? -1 : static_cast<int32_t>(found - rows.begin());
}

int32_t KHeadlessTree::PageRows() const { return std::max(1, height_ / kRowHeight); }

int32_t KHeadlessTree::ScrollLimit() const {
  return std::max(0, static_cast<int32_t>(Rows().size()) - PageRows());
}

void KHeadlessTree::ScrollTo(int32_t row) { scrollPos_ = std::clamp(row, 0, ScrollLimit()); }

void KHeadlessTree::ClampScroll() { ScrollTo(scrollPos_); }

void KHeadlessTree::Scroll(uint32_t request) {
  switch (request) {
    case SB_LINEUP: ScrollTo(scrollPos_ - 1); break;
    case SB_LINEDOWN: ScrollTo(scrollPos_ + 1); break;
    case SB_PAGEUP: ScrollTo(scrollPos_ - PageRows()); break;
    case SB_PAGEDOWN: ScrollTo(scrollPos_ + PageRows()); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(ScrollLimit()); break;
    default: break;
  }
}

int32_t KHeadlessTree::Depth(const Item* item) const {
  int32_t depth = 0;
  for (const Item* parent = item->parent; parent; parent = parent->parent) ++depth;
  return depth;
}

// Root nodes start at the left edge unless the tree draws lines or buttons at the root.
int32_t KHeadlessTree::LabelLeft(const Item* item) const {
  const int32_t rootLevel = (style_ & TVS_LINESATROOT) ? 1 : 0;
  return kIndent * (Depth(item) + rootLevel) + (hasImages_ ? kImageWidth : 0);
}

bool KHeadlessTree::ItemRect(const Item* item, bool textOnly, KRect& rect) const {
  const int32_t row = RowOf(item);
  if (row < 0) return false;
  const int32_t top = (row - scrollPos_) * kRowHeight;
  if (top < 0 || top >= height_) return false;
  rect = {0, top, width_, top + kRowHeight};
  if (textOnly) {
    rect.left = LabelLeft(item);
    rect.right = rect.left + kCharWidth * static_cast<int32_t>(item->text.size()) + kLabelPadding;
  }
  return true;
}

KHeadlessTree::Item* KHeadlessTree::HitTest(KPoint point, uint32_t& flags) const {
  flags = 0;
  if (point.y < 0) flags |= TVHT_ABOVE;
  if (point.y >= height_) flags |= TVHT_BELOW;
  if (point.x < 0) flags |= TVHT_TOLEFT;
  if (point.x >= width_) flags |= TVHT_TORIGHT;
  if (flags) return nullptr;
  const std::vector<Item*> rows = Rows();
  const int32_t row = scrollPos_ + point.y / kRowHeight;
  if (row >= static_cast<int32_t>(rows.size())) {
    flags = TVHT_NOWHERE;
    return nullptr;
  }
  Item* item = rows[row];
  const int32_t label = LabelLeft(item);
  const int32_t icon = hasImages_ ? label - kImageWidth : label;
  KRect text;
  ItemRect(item, true, text);
  if (point.x >= text.right) {
    flags = TVHT_ONITEMRIGHT;
  } else if (point.x >= label) {
    flags = TVHT_ONITEMLABEL;
  } else if (point.x >= icon) {
    flags = TVHT_ONITEMICON;
  } else if ((style_ & TVS_HASBUTTONS) && !item->children.empty() && point.x >= icon - kIndent) {
    flags = TVHT_ONITEMBUTTON;
  } else {
    flags = TVHT_ONITEMINDENT;
  }
  return item;
}

void KHeadlessTree::SetClientSize(int32_t width, int32_t height) {
  width_ = width;
  height_ = height;
  ClampScroll();
}
