// KDialog: modal run, placement save and restore around the dialog's life, and the events it handles for
// every dialog of the module.
#include "framework/KDialog.h"

#include <algorithm>

#include "framework/CWindowRectAnimation.h"
#include "framework/KPlacement.h"
#include "platform/KPlatform.h"
#include "support/KResourceSource.h"

namespace {

constexpr uint32_t kHelpTopicBase = 0x20000;
constexpr uint32_t kControlHelpBase = 0x80000;
constexpr uint32_t kReadOnlyBackground = 0xC0C0C0;
constexpr int32_t kToolTipBuffer = 256;
constexpr size_t kCommandStringLength = 1024;
constexpr int32_t kToolTipWidth = 180;
constexpr int32_t kToolTipDelay = 10000;

bool DragsLeftEdge(uint32_t edge) { return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT; }
bool DragsRightEdge(uint32_t edge) {
  return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
}
bool DragsTopEdge(uint32_t edge) { return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT; }
bool DragsBottomEdge(uint32_t edge) {
  return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

// Copies text into buffer, cut to capacity - 1 characters and terminated.
void CopyBounded(char16_t* buffer, int32_t capacity, std::u16string_view text) {
  const size_t length = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::copy_n(text.data(), length, buffer);
  buffer[length] = 0;
}

}  // namespace

int32_t KDialog::DefaultHelpMode = KDIALOG_HELP_CONTEXT;

KDialog::KDialog(uint32_t templateId, KWnd parent) : HelpId(templateId), templateId_(templateId), parent_(parent) {}

intptr_t KDialog::DoModal() { return Platform().RunModalDialog(templateId_, parent_, *this); }

void KDialog::EndDialog(intptr_t result) { Platform().EndDialog(hwnd_, result); }

void KDialog::OnOK() { EndDialog(IDOK); }

void KDialog::OnCancel() { EndDialog(IDCANCEL); }

bool KDialog::OnInitDialog(KWnd self) {
  hwnd_ = self;
  if (StartDisabled) {
    Flags |= KDIALOG_NOPLACEMENT;
    Platform().EnableWindow(self, false);
  }
  if (!(Flags & KDIALOG_NOPLACEMENT)) {
    const KSize minimum{MinWidth, MinHeight};
    RestorePlacement(self, templateId_, PlacementRef, MinWidth && MinHeight ? &minimum : nullptr);
  }
  if (Flags & KDIALOG_TOOLTIPS) Platform().EnableToolTips(self, true);
  return true;
}

bool KDialog::OnCommand(int32_t id, uint32_t code, KWnd control) {
  if (control && code != BN_CLICKED) return false;
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    case KDIALOG_ID_HELP:
      if (HelpId) Platform().RequestHelp(hwnd_, HELP_CONTEXT, kHelpTopicBase + HelpId);
      return true;
    default:
      return false;
  }
}

// A window's timers die with it, so a resize animation still running would never take its last step.
void KDialog::OnDestroy() {
  WindowRectAnimation().Stop(hwnd_);
  if (!(Flags & KDIALOG_NOPLACEMENT)) SavePlacement(hwnd_, templateId_, PlacementRef);
}

// Logging off saves even a dialog that does not remember its placement otherwise.
void KDialog::OnEndSession(bool ending) {
  if (ending) SavePlacement(hwnd_, templateId_, PlacementRef);
}

bool KDialog::OnNcLButtonDown(uint32_t hitTest, KPoint) {
  if (hitTest != HTHELP) return false;
  HelpPressed = 1;
  return HelpMode == KDIALOG_HELP_COMMAND || HelpMode == KDIALOG_HELP_NONE;
}

bool KDialog::OnNcLButtonUp(uint32_t hitTest, KPoint) {
  if (hitTest == HTHELP && HelpMode == KDIALOG_HELP_NONE) return true;
  if (hitTest == HTHELP && HelpMode == KDIALOG_HELP_COMMAND && HelpPressed) {
    Platform().PostCommand(hwnd_, KDIALOG_ID_HELP, 0);
    return true;
  }
  HelpPressed = 0;
  return false;
}

bool KDialog::OnCtlColor(KWnd control, uint32_t kind, KCtlColor& colors) {
  if (kind != CTLCOLOR_EDIT || !(Platform().GetStyle(control) & ES_READONLY)) return false;
  colors.background = kReadOnlyBackground;
  colors.stockBrush = LTGRAY_BRUSH;
  return true;
}

bool KDialog::OnHelp(const KHelpInfo& info) {
  if (HelpMode != KDIALOG_HELP_CONTEXT || info.controlId == 0) return false;
  if (!(Platform().GetExStyle(hwnd_) & WS_EX_CONTEXTHELP)) return false;
  Platform().RequestHelp(hwnd_, HELP_CONTEXTPOPUP, kControlHelpBase + static_cast<uint32_t>(info.controlId));
  return true;
}

bool KDialog::OnSizing(uint32_t edge, KRect& rect) {
  if (MinWidth == 0 && MinHeight == 0 && SizeLock == 0) return false;
  const int32_t excess = rect.Width() - MinWidth;
  if (excess < 0 || (SizeLock & KDIALOG_LOCKWIDTH)) {
    if (DragsLeftEdge(edge)) rect.left += excess;
    if (DragsRightEdge(edge)) rect.right -= excess;
  }
  if (rect.Height() < MinHeight || (SizeLock & KDIALOG_LOCKHEIGHT)) {
    if (DragsTopEdge(edge)) rect.top = rect.bottom - MinHeight;
    if (DragsBottomEdge(edge)) rect.bottom = rect.top + MinHeight;
  }
  return true;
}

bool KDialog::OnToolTipText(uint32_t id, bool isCommand, KToolTip& tip) {
  char16_t buffer[kToolTipBuffer] = {};
  if (!GetToolTipText(id, isCommand ? 1 : 0, buffer, kToolTipBuffer) || !buffer[0]) return false;
  tip.text = std::u16string_view(buffer).substr(0, KTOOLTIP_BUFFER - 1);  // what the request holds
  tip.maxWidth = kToolTipWidth;
  tip.autoPopTime = kToolTipDelay;
  return true;
}

// A command's tip is what follows the first line break of its string (the prompt comes before it).
int32_t KDialog::GetToolTipText(uint32_t id, int32_t isCommand, char16_t* buffer, int32_t capacity) {
  if (!(Flags & KDIALOG_TOOLTIPS) || capacity < 1) return 0;
  if (!isCommand) {
    KPlatform& platform = Platform();
    CopyBounded(buffer, capacity, platform.GetText(platform.GetDlgItem(hwnd_, static_cast<int32_t>(id))));
    return 1;
  }
  std::u16string text;
  ResourceSource().GetString(id, text);
  text.resize(std::min(text.size(), kCommandStringLength - 1));
  const size_t lineBreak = text.find(u'\n');
  if (lineBreak == std::u16string::npos) return 0;
  CopyBounded(buffer, capacity, std::u16string_view(text).substr(lineBreak + 1));
  return 1;
}
