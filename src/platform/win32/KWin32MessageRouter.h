// KWin32MessageRouter: the window procedures of the Win32 backend. They turn the messages of the module's
// dialogs and of subclassed controls into calls on the sinks, and keep what lives per window.
#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/KPlatform.h"

// One run of a modal dialog; its loop ends once `ended` is set.
struct KWin32Modal {
  KWindowSink* sink = nullptr;
  HWND dialog = nullptr;  // known from WM_INITDIALOG on
  bool ended = false;
  intptr_t result = -1;
};

class KWin32MessageRouter {
 public:
  // The dialog procedure of every dialog the backend creates; WM_INITDIALOG carries its KWin32Modal.
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  KWindowSink* Sink(HWND window) const;
  // A dialog's sink is replaced; any other window is subclassed while it has a sink.
  void SetSink(HWND window, KWindowSink* sink);
  // WM_NOTIFY to `parent`, which its sink receives as this very record.
  intptr_t SendNotify(HWND parent, KNotify& notify);
  uintptr_t SetTimer(HWND window, uintptr_t timerId, uint32_t interval, KTimerProc callback);
  bool KillTimer(HWND window, uintptr_t timerId);
  // A tool-tip control over the dialog's children, asking the dialog for its texts.
  void SetToolTips(HWND dialog, bool enable);

 private:
  struct Window {
    KWindowSink* sink = nullptr;
    bool subclassed = false;
    HWND toolTips = nullptr;
  };

  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  static VOID CALLBACK TimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD time);
  // Hands one message to the sink; false when the sink leaves it to the window's default processing.
  bool Dispatch(KWindowSink& sink, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool Notify(KWindowSink& sink, HWND window, NMHDR& header, LRESULT& result);
  void Forget(HWND window);

  std::unordered_map<HWND, Window> windows_;
  std::map<std::pair<HWND, uintptr_t>, KTimerProc> timerCallbacks_;
  const NMHDR* sentHeader_ = nullptr;  // the notification SendNotify is delivering, and its record
  KNotify* sentNotify_ = nullptr;
};

// The one router of the process (one user-interface thread).
KWin32MessageRouter& Router();
