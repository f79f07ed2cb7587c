// Control groups: found by walking the dialog's children in sibling order, then changed member by member.
#include "framework/KControlGroup.h"

#include "platform/KPlatform.h"

namespace {

bool StartsGroup(KWnd control) { return Platform().GetStyle(control) & WS_GROUP; }

}  // namespace

std::vector<KWnd> ControlGroup(KWnd dialog, int32_t id) {
  KPlatform& platform = Platform();
  KWnd first = platform.GetDlgItem(dialog, id);
  if (!first) return {};
  // Back to the nearest group start; the first sibling when no control starts a group.
  while (!StartsGroup(first)) {
    const KWnd previous = platform.GetPrevSibling(first);
    if (!previous) break;
    first = previous;
  }
  std::vector<KWnd> members{first};
  for (KWnd next = platform.GetNextSibling(first); next && !StartsGroup(next); next = platform.GetNextSibling(next)) {
    members.push_back(next);
  }
  return members;
}

int32_t EnableGroup(KWnd dialog, int32_t id, bool enable) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  for (KWnd member : members) Platform().EnableWindow(member, enable);
  return members.empty() ? 0 : 1;
}

int32_t ShowGroup(KWnd dialog, int32_t id, bool show) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  for (KWnd member : members) Platform().ShowWindow(member, show);
  return members.empty() ? 0 : 1;
}

int32_t SetGroupRadioIndex(KWnd dialog, int32_t id, int32_t index) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  for (size_t i = 0; i < members.size(); ++i) {
    Platform().SetCheck(members[i], static_cast<int32_t>(i) == index ? BST_CHECKED : BST_UNCHECKED);
  }
  return members.empty() ? 0 : 1;
}

int32_t GetGroupRadioIndex(KWnd dialog, int32_t id) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  int32_t index = -1;
  for (size_t i = 0; i < members.size(); ++i) {
    if (Platform().GetCheck(members[i]) == BST_CHECKED) index = static_cast<int32_t>(i);
  }
  return index;
}

int32_t SetGroupBits(KWnd dialog, int32_t id, uint32_t mask) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  for (size_t i = 0; i < members.size(); ++i) {
    Platform().SetCheck(members[i], (mask >> (i % 32)) & 1 ? BST_CHECKED : BST_UNCHECKED);
  }
  return members.empty() ? 0 : 1;
}

uint32_t GetGroupBits(KWnd dialog, int32_t id) {
  const std::vector<KWnd> members = ControlGroup(dialog, id);
  uint32_t bits = 0;
  for (size_t i = 0; i < members.size(); ++i) {
    if (Platform().GetCheck(members[i]) == BST_CHECKED) bits |= 1U << (i % 32);
  }
  return bits;
}

int32_t SetCheckBoxThreeState(KWnd dialog, int32_t id, bool threeState) {
  KPlatform& platform = Platform();
  const KWnd box = platform.GetDlgItem(dialog, id);
  if (!box || (platform.GetStyle(box) & BS_TYPEMASK) == BS_OWNERDRAW) return 0;
  platform.SetButtonStyle(box, threeState ? BS_AUTO3STATE : BS_AUTOCHECKBOX);
  return 1;
}
