// KDXControl: the base control half: attaching, labels, showing and enabling.
#include "framework/KDXControl.h"

#include <algorithm>

#include "platform/KPlatform.h"
#include "support/StringHelpers.h"

namespace {

constexpr size_t kLabelLength = 255;

// A static control that shows plain text: left-aligned, centred, right-aligned or simple (one left-aligned
// line, type 11); left-aligned without word wrap (type 12) does not label a control.
bool IsLabel(KWnd window) {
  KPlatform& platform = Platform();
  if (platform.ClassName(window) != KCLASS_STATIC) return false;
  const uint32_t type = platform.GetStyle(window) & SS_TYPEMASK;
  return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE;
}

}  // namespace

KDXControl::KDXControl(uint32_t typeWord, int32_t controlId) : TypeWord(typeWord), ControlId(controlId) {}

KDXControl::~KDXControl() = default;

int32_t KDXControl::Attach(KWnd dialog) {
  Dialog = dialog;
  Control = dialog ? Platform().GetDlgItem(dialog, ControlId) : nullptr;
  return Control ? 1 : 0;
}

int32_t KDXControl::GetID() const { return ControlId; }

// The label is the nearest static text before the control within its group; a control that starts a
// group has none of its own.
KWnd KDXControl::GetLabelWindow() const {
  KPlatform& platform = Platform();
  const KWnd control = Dialog ? platform.GetDlgItem(Dialog, ControlId) : nullptr;
  if (!control || (platform.GetStyle(control) & WS_GROUP)) return nullptr;
  for (KWnd sibling = platform.GetPrevSibling(control); sibling; sibling = platform.GetPrevSibling(sibling)) {
    if (IsLabel(sibling)) return sibling;
    if (platform.GetStyle(sibling) & WS_GROUP) return nullptr;
  }
  return nullptr;
}

int32_t KDXControl::GetLabel(std::u16string& label) const {
  if (!LabelText.empty()) {
    label = LabelText;
    return 1;
  }
  const KWnd window = GetLabelWindow();
  if (!window) return 0;
  std::u16string text = Platform().GetText(window).substr(0, kLabelLength);
  TrimInPlace(text);
  if (!text.empty() && text.back() == u':') text.pop_back();
  text.push_back(0);
  StripAccelerators(text.data());
  label = text.c_str();
  return 1;
}

int32_t KDXControl::Show(bool show) {
  if (!Control) return 0;
  Platform().ShowWindow(Control, show);
  if (const KWnd label = GetLabelWindow()) Platform().ShowWindow(label, show);
  return 1;
}

int32_t KDXControl::SetReadOnly(bool readOnly) {
  if (!Control) return 0;
  Platform().EnableWindow(Control, !readOnly);
  return 1;
}

int32_t KDXControl::ApplyRange() { return 1; }
