// The Win32 window procedures: messages of dialogs and subclassed controls become sink calls.
#include "platform/win32/KWin32MessageRouter.h"

#include <algorithm>
#include <type_traits>

#include "platform/win32/KWin32Convert.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4B57;  // "KW": this router's subclass of a control

// Mouse messages carry signed 16-bit client coordinates.
KPoint PointOf(LPARAM lParam) {
  return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
}

// Messages whose dialog-procedure result is the answer itself rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

// A control notification as the sink sees it; unknown codes carry the sender's record.
KNotify Translate(NMHDR& header) {
  KNotify notify;
  notify.from = FromWin(header.hwndFrom);
  notify.id = static_cast<int32_t>(header.idFrom);
  notify.code = header.code;
  switch (header.code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGW:
    case TVN_DELETEITEMW: {
      const auto& tree = reinterpret_cast<const NMTREEVIEWW&>(header);
      notify.item = FromWin(header.code == TVN_DELETEITEMW ? tree.itemOld.hItem : tree.itemNew.hItem);
      notify.oldItem = FromWin(tree.itemOld.hItem);
      notify.action = tree.action;
      notify.point = FromWin(tree.ptDrag);
      break;
    }
    case TVN_BEGINLABELEDITW:
    case TVN_ENDLABELEDITW: {
      const auto& label = reinterpret_cast<const NMTVDISPINFOW&>(header);
      notify.item = FromWin(label.item.hItem);
      notify.text = header.code == TVN_ENDLABELEDITW ? FromWide(label.item.pszText) : nullptr;
      break;
    }
    case TVN_KEYDOWN:
      notify.key = reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey;
      break;
    default:
      notify.record = &header;
      break;
  }
  return notify;
}

// A tool's text: tools are the dialog's controls (TTF_IDISHWND) or commands.
bool ToolTipText(KWindowSink& sink, NMTTDISPINFOW& info) {
  const bool byWindow = (info.uFlags & TTF_IDISHWND) != 0;
  const auto id = static_cast<uint32_t>(byWindow ? ::GetDlgCtrlID(reinterpret_cast<HWND>(info.hdr.idFrom))
                                                 : static_cast<int>(info.hdr.idFrom));
  KToolTip tip;
  if (!sink.OnToolTipText(id, !byWindow, tip) || tip.text.empty()) return false;
  const HWND toolTips = info.hdr.hwndFrom;
  if (tip.maxWidth >= 0) ::SendMessageW(toolTips, TTM_SETMAXTIPWIDTH, 0, tip.maxWidth);
  if (tip.autoPopTime >= 0) {
    ::SendMessageW(toolTips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(tip.autoPopTime, 0));
  }
  static_assert(std::extent_v<decltype(NMTTDISPINFOW::szText)> == KTOOLTIP_BUFFER);
  const size_t length = std::min(tip.text.size(), KTOOLTIP_BUFFER - 1);
  std::copy_n(tip.text.data(), length, info.szText);
  info.szText[length] = 0;
  info.lpszText = info.szText;
  info.hinst = nullptr;
  return true;
}

}  // namespace

KWin32MessageRouter& Router() {
  static KWin32MessageRouter router;
  return router;
}

KWindowSink* KWin32MessageRouter::Sink(HWND window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : found->second.sink;
}

void KWin32MessageRouter::SetSink(HWND window, KWindowSink* sink) {
  if (!::IsWindow(window)) return;
  const auto found = windows_.find(window);
  if (found != windows_.end() && !found->second.subclassed) {
    found->second.sink = sink;
  } else if (sink) {
    ::SetWindowSubclass(window, SubclassProc, kSubclassId, 0);
    windows_[window] = {sink, true, nullptr};
  } else if (found != windows_.end()) {
    ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    windows_.erase(found);
  }
}

void KWin32MessageRouter::Forget(HWND window) {
  windows_.erase(window);
  std::erase_if(timerCallbacks_, [window](const auto& entry) { return entry.first.first == window; });
}

INT_PTR CALLBACK KWin32MessageRouter::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  KWin32MessageRouter& router = Router();
  if (message == WM_INITDIALOG) {
    auto* modal = reinterpret_cast<KWin32Modal*>(lParam);
    modal->dialog = dialog;
    router.windows_[dialog] = {modal->sink, false, nullptr};
  }
  if (message == WM_NCDESTROY) {
    router.Forget(dialog);
    return FALSE;
  }
  KWindowSink* sink = router.Sink(dialog);
  LRESULT result = 0;
  if (!sink || !router.Dispatch(*sink, dialog, message, wParam, lParam, result)) return FALSE;
  if (AnswersDirectly(message)) return result;
  ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

LRESULT CALLBACK KWin32MessageRouter::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR, DWORD_PTR) {
  KWin32MessageRouter& router = Router();
  if (message == WM_NCDESTROY) {
    router.Forget(window);
    ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  // A control holding the capture is dragging: Escape must reach it rather than cancel the dialog.
  if (message == WM_GETDLGCODE && ::GetCapture() == window) {
    return ::DefSubclassProc(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
  }
  KWindowSink* sink = router.Sink(window);
  LRESULT result = 0;
  if (sink && router.Dispatch(*sink, window, message, wParam, lParam, result)) return result;
  result = ::DefSubclassProc(window, message, wParam, lParam);
  // The sink may have gone with the default processing (a control destroyed by it).
  sink = router.Sink(window);
  if (sink && message == WM_LBUTTONUP) sink->AfterLButtonUp(static_cast<uint32_t>(wParam), PointOf(lParam));
  if (sink && message == WM_KEYUP) sink->AfterKeyUp(static_cast<uint32_t>(wParam));
  return result;
}

bool KWin32MessageRouter::Dispatch(KWindowSink& sink, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result) {
  const auto keys = static_cast<uint32_t>(wParam);
  switch (message) {
    case WM_INITDIALOG:
      result = sink.OnInitDialog(FromWin(window)) ? TRUE : FALSE;
      return true;
    case WM_COMMAND:
      return sink.OnCommand(LOWORD(wParam), HIWORD(wParam), FromWin(reinterpret_cast<HWND>(lParam)));
    case WM_NOTIFY:
      return Notify(sink, window, *reinterpret_cast<NMHDR*>(lParam), result);
    case WM_TIMER:
      return sink.OnTimer(wParam);
    case WM_KEYDOWN:
      return sink.OnKeyDown(keys);
    case WM_KEYUP:
      return sink.OnKeyUp(keys);
    case WM_MOUSEMOVE:
      return sink.OnMouseMove(keys, PointOf(lParam));
    case WM_LBUTTONDOWN:
      return sink.OnLButtonDown(keys, PointOf(lParam));
    case WM_LBUTTONUP:
      return sink.OnLButtonUp(keys, PointOf(lParam));
    case WM_CANCELMODE:
      return sink.OnCancelMode();
    case WM_CAPTURECHANGED:
      sink.OnCaptureChanged(FromWin(reinterpret_cast<HWND>(lParam)));
      return false;
    case WM_DESTROY:
      sink.OnDestroy();
      return false;
    case WM_NCLBUTTONDOWN:
      return sink.OnNcLButtonDown(keys, PointOf(lParam));
    case WM_NCLBUTTONUP:
      return sink.OnNcLButtonUp(keys, PointOf(lParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      // The CTLCOLOR_* kinds are numbered in the order of these messages.
      KCtlColor colors;
      const KWnd control = FromWin(reinterpret_cast<HWND>(lParam));
      if (!sink.OnCtlColor(control, message - WM_CTLCOLORMSGBOX, colors)) return false;
      ::SetBkColor(reinterpret_cast<HDC>(wParam), colors.background);
      result = reinterpret_cast<LRESULT>(::GetStockObject(colors.stockBrush));
      return true;
    }
    case WM_HELP: {
      const auto& help = *reinterpret_cast<const HELPINFO*>(lParam);
      const KHelpInfo info{help.iContextType, help.iCtrlId, FromWin(static_cast<HWND>(help.hItemHandle)),
                           static_cast<uint32_t>(help.dwContextId), FromWin(help.MousePos)};
      result = TRUE;
      return sink.OnHelp(info);
    }
    case WM_SIZING: {
      auto& proposed = *reinterpret_cast<RECT*>(lParam);
      KRect rect = FromWin(proposed);
      if (!sink.OnSizing(keys, rect)) return false;
      proposed = ToWin(rect);
      result = TRUE;
      return true;
    }
    case WM_ENDSESSION:
      sink.OnEndSession(wParam != FALSE);
      return false;
    default: {
      intptr_t answer = 0;
      if (message < WM_USER || !sink.OnPrivateMessage(message, wParam, lParam, answer)) return false;
      result = answer;
      return true;
    }
  }
}

bool KWin32MessageRouter::Notify(KWindowSink& sink, HWND window, NMHDR& header, LRESULT& result) {
  KNotify* sent = &header == sentHeader_ ? sentNotify_ : nullptr;
  if (sent) {
    if (!sink.OnNotify(*sent)) return false;
    result = sent->result;
    return true;
  }
  if (header.code == TTN_GETDISPINFOW) return ToolTipText(sink, reinterpret_cast<NMTTDISPINFOW&>(header));
  KNotify notify = Translate(header);
  // The control's own sink sees its notification first, as reflection does.
  KWindowSink* own = header.hwndFrom != window ? Sink(header.hwndFrom) : nullptr;
  const bool handled = (own && own->OnNotify(notify)) || sink.OnNotify(notify);
  if (handled) result = notify.result;
  return handled;
}

intptr_t KWin32MessageRouter::SendNotify(HWND parent, KNotify& notify) {
  NMHDR header{ToWin(notify.from), static_cast<UINT_PTR>(notify.id), notify.code};
  const NMHDR* outerHeader = std::exchange(sentHeader_, &header);
  KNotify* outerNotify = std::exchange(sentNotify_, &notify);
  const LRESULT result = ::SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  sentHeader_ = outerHeader;
  sentNotify_ = outerNotify;
  return result;
}

uintptr_t KWin32MessageRouter::SetTimer(HWND window, uintptr_t timerId, uint32_t interval,
                                        KTimerProc callback) {
  const std::pair key{window, timerId};
  if (callback) {
    timerCallbacks_[key] = callback;
  } else {
    timerCallbacks_.erase(key);
  }
  const uintptr_t set = ::SetTimer(window, timerId, interval, callback ? TimerProc : nullptr);
  if (!set) timerCallbacks_.erase(key);
  return set;
}

bool KWin32MessageRouter::KillTimer(HWND window, uintptr_t timerId) {
  timerCallbacks_.erase({window, timerId});
  return ::KillTimer(window, timerId) != FALSE;
}

VOID CALLBACK KWin32MessageRouter::TimerProc(HWND window, UINT, UINT_PTR timerId, DWORD) {
  const auto& callbacks = Router().timerCallbacks_;
  const auto found = callbacks.find({window, timerId});
  if (found == callbacks.end()) {
    ::KillTimer(window, timerId);
    return;
  }
  found->second(FromWin(window), timerId);
}

void KWin32MessageRouter::SetToolTips(HWND dialog, bool enable) {
  const auto found = windows_.find(dialog);
  if (found == windows_.end()) return;
  HWND& toolTips = found->second.toolTips;
  if (!enable) {
    if (toolTips) ::DestroyWindow(toolTips);
    toolTips = nullptr;
    return;
  }
  if (toolTips) return;
  toolTips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                               nullptr, nullptr);
  if (!toolTips) return;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    // The older structure size is understood by every version of the common controls.
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    ::SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}
