// The placement store and the keep-on-screen correction: arithmetic over window rectangles, monitor work
// areas and profile strings of the platform.
#include "framework/KPlacement.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "platform/KPlatform.h"
#include "support/KFormat.h"
#include "support/ScanFields.h"

namespace {

constexpr int32_t kMaxMonitors = 8;
constexpr size_t kSectionLength = 31;
constexpr uint32_t kValueLength = 80;
constexpr int32_t kVisiblePart = 32;  // pixels of a window that must stay on a monitor
constexpr char16_t kProfileFile[] = u"pos.ini";
#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

struct KPlacementStore {
  std::u16string folder;
  std::u16string applicationName = u"ZAKRegExChecks";
  std::u16string section;  // filled at the first save or restore
};

KPlacementStore& Store() {
  static KPlacementStore store;
  return store;
}

const std::u16string& Section() {
  KPlacementStore& store = Store();
  if (store.section.empty()) store.section = store.applicationName.substr(0, kSectionLength);
  return store.section;
}

std::u16string Key(uint32_t templateId) { return KFormat(u"Dlg%d", static_cast<int>(templateId)); }

// The rectangle the window has when restored; its current rectangle when that cannot be read.
KRect NormalRect(KWnd window) {
  KWindowPlacement placement;
  return Platform().GetWindowPlacement(window, placement) ? placement.normal : Platform().GetWindowRect(window);
}

// The window placements are relative to: the live reference window, else the dialog's owner.
KWnd ReferenceOf(KWnd dialog, KWnd reference) {
  return reference && Platform().IsWindow(reference) ? reference : Platform().GetParent(dialog);
}

bool Inside(const KRect& inner, const KRect& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

int64_t IntersectionArea(const KRect& a, const KRect& b) {
  const int64_t width = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
  const int64_t height = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// Minus the distance between the centres, for windows that miss a monitor entirely.
int64_t CentreDistanceScore(const KRect& a, const KRect& b) {
  const double dx = (int64_t{a.left} + a.right) / 2 - (int64_t{b.left} + b.right) / 2;
  const double dy = (int64_t{a.top} + a.bottom) / 2 - (int64_t{b.top} + b.bottom) / 2;
  return -static_cast<int64_t>(std::sqrt(dx * dx + dy * dy));
}

// The area a window's rectangle must lie in on monitor `area`: without the fit flags it may hang over
// the edges as long as 32 pixels stay on the monitor.
KRect AcceptedArea(const KRect& area, const KRect& window, uint32_t flags) {
  KRect accepted = area;
  if (!(flags & KEEPONSCREEN_WIDTH)) {
    accepted.left = area.left - window.Width() + kVisiblePart;
    accepted.right = area.right + window.Width() - kVisiblePart;
  }
  if (!(flags & KEEPONSCREEN_HEIGHT)) {
    accepted.top = area.top - window.Height() + kVisiblePart;
    accepted.bottom = area.bottom + window.Height() - kVisiblePart;
  }
  return accepted;
}

// Moves the rectangle into the area; left and top win for a rectangle larger than the area.
KRect MovedInto(KRect rect, const KRect& area) {
  if (rect.right > area.right) rect = rect.Offset(area.right - rect.right, 0);
  if (rect.bottom > area.bottom) rect = rect.Offset(0, area.bottom - rect.bottom);
  if (rect.left < area.left) rect = rect.Offset(area.left - rect.left, 0);
  if (rect.top < area.top) rect = rect.Offset(0, area.top - rect.top);
  return rect;
}

}  // namespace

void SetPlacementFolder(std::u16string_view folder) { Store().folder = folder; }

void SetPlacementApplicationName(std::u16string_view name) {
  Store().applicationName = name;
  Store().section.clear();
}

std::u16string PlacementProfilePath() {
  const std::u16string& folder = Store().folder;
  if (folder.empty()) return kProfileFile;
  std::u16string path = folder;
  if (path.back() != kSeparator) path += kSeparator;
  return path + kProfileFile;
}

int32_t SavePlacement(KWnd dialog, uint32_t templateId, KWnd reference) {
  KPlatform& platform = Platform();
  KRect rect = NormalRect(dialog);
  const KWnd relativeTo = ReferenceOf(dialog, reference);
  std::u16string markers;
  if (relativeTo && !(platform.GetStyle(relativeTo) & WS_MINIMIZE)) {
    KRect areas[kMaxMonitors];
    const int32_t count = EnumWorkAreas(areas, kMaxMonitors, true);
    bool fitsWidth = false;
    bool fitsHeight = false;
    for (int32_t i = 0; i < count; ++i) {
      fitsWidth = fitsWidth || (rect.left >= areas[i].left && rect.right <= areas[i].right);
      fitsHeight = fitsHeight || (rect.top >= areas[i].top && rect.bottom <= areas[i].bottom);
    }
    const KRect origin = NormalRect(relativeTo);
    rect = rect.Offset(-origin.left, -origin.top);
    markers = u",r";
    if (fitsWidth) markers += u'x';
    if (fitsHeight) markers += u'y';
  }
  const std::u16string value =
      KFormat(u"%d,%d,%d,%d", rect.left, rect.top, rect.Width(), rect.Height()) + markers;
  return platform.WriteProfileValue(PlacementProfilePath(), Section(), Key(templateId), value) ? 1 : 0;
}

int32_t RestorePlacement(KWnd dialog, uint32_t templateId, KWnd reference, const KSize* minimum) {
  KPlatform& platform = Platform();
  const std::u16string value =
      platform.ReadProfileValue(PlacementProfilePath(), Section(), Key(templateId), u"", kValueLength);
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  char16_t markers[7] = {};
  if (ScanFields(value, u"%d,%d,%d,%d,%7s", &left, &top, &width, &height, KScanText(markers)) < 4) {
    platform.CenterWindow(dialog);
    return 0;
  }
  if (minimum) {
    width = std::max(width, minimum->cx);
    height = std::max(height, minimum->cy);
  }
  // A fixed frame keeps the template's size; so does a stored size of nothing.
  if (!(platform.GetStyle(dialog) & WS_THICKFRAME) || width == 0 || height == 0) {
    const KRect current = NormalRect(dialog);
    width = current.Width();
    height = current.Height();
  }
  const std::u16string_view marker(markers);
  uint32_t flags = 0;
  if (marker.starts_with(u'r')) {
    if (const KWnd relativeTo = ReferenceOf(dialog, reference)) {
      const KRect origin = NormalRect(relativeTo);
      left += origin.left;
      top += origin.top;
    }
  }
  if (marker.find(u'x') != std::u16string_view::npos) flags = KEEPONSCREEN_WIDTH | KEEPONSCREEN_MARKER;
  if (marker.find(u'y') != std::u16string_view::npos) flags |= KEEPONSCREEN_HEIGHT | KEEPONSCREEN_MARKER;
  platform.MoveWindow(dialog, {left, top, left + width, top + height});
  KeepOnScreen(dialog, flags);
  return 1;
}

int32_t KeepOnScreen(KWnd window, uint32_t flags) {
  KPlatform& platform = Platform();
  const KRect windowRect = platform.GetWindowRect(window);
  KRect rect = windowRect;
  if (!(flags & KEEPONSCREEN_HEIGHT)) rect.bottom = rect.top + platform.GetSystemMetrics(SM_CYCAPTION);
  KRect areas[kMaxMonitors];
  int32_t count = EnumWorkAreas(areas, kMaxMonitors, true);
  if (count == 0) return 0;
  if (flags & KEEPONSCREEN_FIRSTONLY) count = 1;
  int64_t best = INT32_MIN;
  KRect candidate = rect;
  for (int32_t i = 0; i < count; ++i) {
    const KRect accepted = AcceptedArea(areas[i], rect, flags);
    if (Inside(rect, accepted)) return 1;
    int64_t score = IntersectionArea(areas[i], rect);
    if (score == 0) score = CentreDistanceScore(areas[i], rect);
    if (score > best) {
      best = score;
      candidate = MovedInto(rect, accepted);
    }
  }
  if (flags & KEEPONSCREEN_TESTONLY) return 0;
  // A corrected edge never sits at exactly 0: it goes to 1.
  if (candidate.left == 0) candidate.left = 1;
  if (candidate.top == 0) candidate.top = 1;
  platform.MoveWindow(window, {candidate.left, candidate.top, candidate.left + windowRect.Width(),
                               candidate.top + windowRect.Height()});
  return 0;
}

int32_t EnumWorkAreas(KRect* rects, int32_t maximum, bool workAreas) {
  KPlatform& platform = Platform();
  const std::vector<KMonitorInfo> monitors = platform.EnumMonitors();
  if (monitors.empty()) {
    if (rects && maximum >= 1) rects[0] = platform.PrimaryWorkArea();
    return 1;
  }
  if (!rects) return static_cast<int32_t>(monitors.size());
  int32_t count = 0;
  for (const KMonitorInfo& monitor : monitors) {
    if (count >= maximum) break;
    rects[count++] = workAreas ? monitor.workArea : monitor.monitor;
  }
  return count;
}
