// The events a window system delivers to a window: the dialog implements KWindowSink to receive them, and a
// control whose behaviour the framework extends (the drag tree) gets its own sink with SetWindowSink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/KTypes.h"

// A control notification (WM_NOTIFY). The tree view fills the fields its code names; a notification sent
// with SendNotify may carry a record of the sender's own kind in `record`.
struct KNotify {
  KWnd from = nullptr;   // the control that sends it
  int32_t id = 0;        // its control id
  uint32_t code = 0;     // TVN_SELCHANGINGW, TVN_BEGINLABELEDITW, ... or the sender's own code
  KTreeItem item = nullptr;     // selection: the new node; label edit, drag, expand: the node concerned
  KTreeItem oldItem = nullptr;  // selection: the node selected before
  uint32_t action = 0;          // selection: TVC_*; expansion: TVE_*
  KPoint point;                 // TVN_BEGINDRAGW: where the drag started, client coordinates
  const char16_t* text = nullptr;  // TVN_ENDLABELEDITW: the edited text, null when the edit was cancelled
  uint32_t key = 0;                // TVN_KEYDOWN: the virtual key
  void* record = nullptr;          // a notification of the sender's own kind: its record
  intptr_t result = 0;             // the answer: TRUE refuses TVN_SELCHANGINGW and TVN_BEGINLABELEDITW,
                                   // TRUE accepts the text of TVN_ENDLABELEDITW
};

// A help request (WM_HELP), for F1 on a control.
struct KHelpInfo {
  int32_t contextType = 0;  // HELPINFO_WINDOW or HELPINFO_MENUITEM
  int32_t controlId = 0;    // the control or menu item
  KWnd control = nullptr;
  uint32_t contextId = 0;   // the control's help context id
  KPoint mouse;             // screen coordinates
};

// The answer to a colour request of a child control (WM_CTLCOLOR*).
struct KCtlColor {
  uint32_t background = 0;  // KRgb colour of the text background
  int32_t stockBrush = 0;   // the stock brush that paints the control's background (LTGRAY_BRUSH, ...)
};

// The characters a tool-tip text request holds in its own buffer, terminator included (NMTTDISPINFOW).
inline constexpr size_t KTOOLTIP_BUFFER = 80;

// The answer to a tool-tip text request (TTN_GETDISPINFOW); negative numbers keep the tip's settings.
struct KToolTip {
  std::u16string text;
  int32_t maxWidth = -1;     // pixels
  int32_t autoPopTime = -1;  // milliseconds the tip stays
};

// Every handler that returns bool returns true when it handled the event; false lets the window system do
// its own (default) processing after the call, as a window procedure that calls DefWindowProc would.
// Mouse points are client coordinates of the window the sink belongs to; key flags are MK_* bits.
class KWindowSink {
 public:
  virtual ~KWindowSink() = default;

  // A dialog's first event: its controls exist. `self` is the dialog. True lets the platform put the
  // focus on the first tab stop (WM_INITDIALOG returning TRUE).
  virtual bool OnInitDialog(KWnd /*self*/) { return true; }
  // WM_COMMAND: a command, or a control's notification (BN_CLICKED, EN_CHANGE) with the control.
  virtual bool OnCommand(int32_t /*id*/, uint32_t /*code*/, KWnd /*control*/) { return false; }
  // WM_NOTIFY. A control's own sink sees its notifications first (reflection); when it handles them the
  // parent does not see them.
  virtual bool OnNotify(KNotify& /*notify*/) { return false; }
  // WM_TIMER of a timer set without a callback.
  virtual bool OnTimer(uintptr_t /*timerId*/) { return false; }
  virtual bool OnKeyDown(uint32_t /*virtualKey*/) { return false; }
  virtual bool OnKeyUp(uint32_t /*virtualKey*/) { return false; }
  // Keys reach the dialog first, before the dialog manager handles Tab, Enter, Escape and the arrow keys
  // and before the focused control sees them (PreTranslateMessage); true consumes the key.
  virtual bool PreTranslateKey(KWnd /*focus*/, uint32_t /*virtualKey*/) { return false; }
  virtual bool OnMouseMove(uint32_t /*keyFlags*/, KPoint /*point*/) { return false; }
  virtual bool OnLButtonDown(uint32_t /*keyFlags*/, KPoint /*point*/) { return false; }
  virtual bool OnLButtonUp(uint32_t /*keyFlags*/, KPoint /*point*/) { return false; }
  // A control's sink after the window system's own processing of a button-up or key-up that OnLButtonUp or
  // OnKeyUp left to it, for handlers that must act on what that processing did.
  virtual void AfterLButtonUp(uint32_t /*keyFlags*/, KPoint /*point*/) {}
  virtual void AfterKeyUp(uint32_t /*virtualKey*/) {}
  // WM_CANCELMODE: the system asks the window to end any capture or drag.
  virtual bool OnCancelMode() { return false; }
  // WM_CAPTURECHANGED: the window lost the mouse capture to `newCapture` (null: released).
  virtual void OnCaptureChanged(KWnd /*newCapture*/) {}
  // WM_DESTROY: the window still exists with all its children.
  virtual void OnDestroy() {}
  // Non-client button presses (WM_NCLBUTTONDOWN/UP); hitTest HTHELP is the caption's help button.
  virtual bool OnNcLButtonDown(uint32_t /*hitTest*/, KPoint /*screenPoint*/) { return false; }
  virtual bool OnNcLButtonUp(uint32_t /*hitTest*/, KPoint /*screenPoint*/) { return false; }
  // WM_CTLCOLOR*: the colours of a child control; kind is CTLCOLOR_EDIT, CTLCOLOR_STATIC, ... as Win32 sends
  // it (a read-only or disabled edit asks with CTLCOLOR_STATIC).
  virtual bool OnCtlColor(KWnd /*control*/, uint32_t /*kind*/, KCtlColor& /*colors*/) { return false; }
  // WM_HELP.
  virtual bool OnHelp(const KHelpInfo& /*info*/) { return false; }
  // WM_SIZING: the frame is dragged at `edge` (WMSZ_*); the handler may change the proposed screen rect.
  virtual bool OnSizing(uint32_t /*edge*/, KRect& /*rect*/) { return false; }
  // WM_ENDSESSION: the user logs off or shuts down; `ending` is true when it really ends.
  virtual void OnEndSession(bool /*ending*/) {}
  // A tool tip asks for its text: a control id (isCommand false) or a command id (true).
  virtual bool OnToolTipText(uint32_t /*id*/, bool /*isCommand*/, KToolTip& /*tip*/) { return false; }
  // A message of the window's own (WM_USER and above), as a custom control receives it; `result` is the answer.
  virtual bool OnPrivateMessage(uint32_t /*message*/, uintptr_t /*wParam*/, intptr_t /*lParam*/,
                                intptr_t& /*result*/) {
    return false;
  }
};
