// KWin32Platform: the platform interface on USER32, GDI32, COMCTL32 and KERNEL32, the backend of the
// Windows DLL. Dialogs come from the resource source's module; KWin32MessageRouter delivers their events.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KPlatform.h"
#include "platform/win32/KWin32MessageRouter.h"

class KWin32Platform final : public KPlatform {
 public:
  intptr_t RunModalDialog(uint32_t templateId, KWnd owner, KWindowSink& sink) override;
  void EndDialog(KWnd dialog, intptr_t result) override;
  void SetWindowSink(KWnd window, KWindowSink* sink) override;
  intptr_t SendNotify(KNotify& notify) override;
  void PostCommand(KWnd window, int32_t id, uint32_t code) override;
  KRect MapDialogRect(KWnd dialog, const KRect& units) override;
  int32_t GetDefaultId(KWnd dialog) override;
  void SetDefaultId(KWnd dialog, int32_t id) override;
  intptr_t NextDlgCtl(KWnd dialog, KWnd control) override;
  KWnd GetNextDlgTabItem(KWnd dialog, KWnd control, bool previous) override;
  KWnd GetNextDlgGroupItem(KWnd dialog, KWnd control, bool previous) override;
  void CenterWindow(KWnd window) override;
  void EnableToolTips(KWnd dialog, bool enable) override;
  bool IsWindow(KWnd window) override;
  KWnd GetParent(KWnd window) override;
  KWnd GetDlgItem(KWnd dialog, int32_t id) override;
  int32_t GetDlgCtrlId(KWnd window) override;
  KWnd GetFirstChild(KWnd window) override;
  KWnd GetNextSibling(KWnd window) override;
  KWnd GetPrevSibling(KWnd window) override;
  std::u16string ClassName(KWnd window) override;
  uint32_t GetStyle(KWnd window) override;
  uint32_t GetExStyle(KWnd window) override;
  void SetButtonStyle(KWnd button, uint32_t type) override;
  std::u16string GetText(KWnd window) override;
  void SetText(KWnd window, std::u16string_view text) override;
  uint32_t GetCheck(KWnd button) override;
  void SetCheck(KWnd button, uint32_t state) override;
  void ShowWindow(KWnd window, bool show) override;
  bool IsWindowVisible(KWnd window) override;
  void EnableWindow(KWnd window, bool enable) override;
  bool IsWindowEnabled(KWnd window) override;
  KRect GetWindowRect(KWnd window) override;
  KRect GetClientRect(KWnd window) override;
  KPoint ClientToScreen(KWnd window, KPoint point) override;
  KPoint ScreenToClient(KWnd window, KPoint point) override;
  void MoveWindow(KWnd window, const KRect& rect) override;
  bool GetWindowPlacement(KWnd window, KWindowPlacement& placement) override;
  void InvalidateWindow(KWnd window, bool erase) override;
  void UpdateWindow(KWnd window) override;
  KWnd GetFocus() override;
  void SetFocus(KWnd window) override;
  KTextRange GetSelection(KWnd edit) override;
  void SetSelection(KWnd edit, KTextRange range) override;
  void ReplaceSelection(KWnd edit, std::u16string_view text, bool canUndo) override;
  void ScrollCaret(KWnd edit) override;
  void LimitText(KWnd edit, int32_t maxLength) override;
  void SetEditReadOnly(KWnd edit, bool readOnly) override;
  int32_t ListCount(KWnd list) override;
  int32_t ListAddString(KWnd list, std::u16string_view text) override;
  int32_t ListInsertString(KWnd list, int32_t index, std::u16string_view text) override;
  int32_t ListDeleteString(KWnd list, int32_t index) override;
  int32_t ListGetCurSel(KWnd list) override;
  bool ListSetCurSel(KWnd list, int32_t index) override;
  std::u16string ListGetText(KWnd list, int32_t index) override;
  int32_t ListFindStringExact(KWnd list, int32_t start, std::u16string_view text) override;
  intptr_t ListGetItemData(KWnd list, int32_t index) override;
  bool ListSetItemData(KWnd list, int32_t index, intptr_t data) override;
  intptr_t SendPrivateMessage(KWnd control, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  bool DateTimeGet(KWnd picker, KSystemTime& time) override;
  bool DateTimeSet(KWnd picker, const KSystemTime* time) override;
  void SliderSetRange(KWnd slider, int32_t minimum, int32_t maximum) override;
  void SliderGetRange(KWnd slider, int32_t& minimum, int32_t& maximum) override;
  int32_t SliderGetPos(KWnd slider) override;
  void SliderSetPos(KWnd slider, int32_t position, bool redraw) override;
  KTreeItem TreeInsertItem(KWnd tree, const KTreeInsert& insert) override;
  bool TreeDeleteItem(KWnd tree, KTreeItem item) override;
  bool TreeDeleteAllItems(KWnd tree) override;
  std::u16string TreeGetText(KWnd tree, KTreeItem item) override;
  void TreeSetText(KWnd tree, KTreeItem item, std::u16string_view text) override;
  void TreeGetImage(KWnd tree, KTreeItem item, int32_t& image, int32_t& selectedImage) override;
  void TreeSetImage(KWnd tree, KTreeItem item, int32_t image, int32_t selectedImage) override;
  void* TreeGetData(KWnd tree, KTreeItem item) override;
  void TreeSetData(KWnd tree, KTreeItem item, void* data) override;
  bool TreeIsBold(KWnd tree, KTreeItem item) override;
  void TreeSetBold(KWnd tree, KTreeItem item, bool bold) override;
  bool TreeExpand(KWnd tree, KTreeItem item, uint32_t action) override;
  bool TreeIsExpanded(KWnd tree, KTreeItem item) override;
  KTreeItem TreeGetNextItem(KWnd tree, KTreeItem item, uint32_t relation) override;
  bool TreeSelectItem(KWnd tree, KTreeItem item, uint32_t relation) override;
  void TreeEnsureVisible(KWnd tree, KTreeItem item) override;
  void TreeSetInsertMark(KWnd tree, KTreeItem item, bool after) override;
  KTreeItem TreeHitTest(KWnd tree, KPoint point, uint32_t& flags) override;
  bool TreeGetItemRect(KWnd tree, KTreeItem item, bool textOnly, KRect& rect) override;
  void TreeSetImageList(KWnd tree, KImageList images, uint32_t kind) override;
  KWnd TreeEditLabel(KWnd tree, KTreeItem item) override;
  KWnd TreeGetEditControl(KWnd tree) override;
  void TreeEndEditLabelNow(KWnd tree, bool cancel) override;
  KImageList TreeCreateDragImage(KWnd tree, KTreeItem item) override;
  int32_t GetScrollPos(KWnd window, int32_t bar) override;
  int32_t GetScrollLimit(KWnd window, int32_t bar) override;
  void Scroll(KWnd window, int32_t bar, uint32_t request) override;
  KImageList LoadImageList(uint32_t bitmapId, int32_t width, uint32_t transparent) override;
  int32_t ImageCount(KImageList images) override;
  void DestroyImageList(KImageList images) override;
  bool DragImageBegin(KImageList images, int32_t index, KPoint hotSpot) override;
  bool DragImageEnter(KWnd lockWindow, KPoint point) override;
  bool DragImageMove(KPoint point) override;
  bool DragImageShow(bool show) override;
  bool DragImageLeave(KWnd lockWindow) override;
  void DragImageEnd() override;
  KMenu LoadMenuResource(uint32_t menuId) override;
  KMenu GetSubMenu(KMenu menu, int32_t position) override;
  void DestroyMenu(KMenu menu) override;
  void EnableMenuItem(KMenu menu, uint32_t command, bool enable) override;
  void CheckMenuItem(KMenu menu, uint32_t command, bool check) override;
  uint32_t TrackPopupMenu(KMenu popup, KPoint screenPoint, KWnd owner) override;
  int32_t ShowMessageBox(KWnd owner, std::u16string_view text, std::u16string_view caption,
                         uint32_t type) override;
  void RequestHelp(KWnd window, uint32_t command, uintptr_t data) override;
  uintptr_t SetTimer(KWnd window, uintptr_t timerId, uint32_t interval, KTimerProc callback) override;
  bool KillTimer(KWnd window, uintptr_t timerId) override;
  uint32_t TickCount() override;
  void Pause(uint32_t milliseconds) override;
  KCursor LoadResourceCursor(uint32_t cursorId) override;
  KCursor StandardCursor(KStdCursor cursor) override;
  KCursor SetCursor(KCursor cursor) override;
  KPoint GetCursorPos() override;
  KWnd SetCapture(KWnd window) override;
  void ReleaseCapture() override;
  KWnd GetCapture() override;
  int16_t GetKeyState(uint32_t virtualKey) override;
  std::vector<KMonitorInfo> EnumMonitors() override;
  KRect PrimaryWorkArea() override;
  int32_t MonitorFromRect(const KRect& rect) override;
  int32_t MonitorFromPoint(KPoint point) override;
  int32_t GetSystemMetrics(int32_t index) override;
  std::u16string ReadProfileValue(std::u16string_view path, std::u16string_view section,
                                  std::u16string_view key, std::u16string_view fallback,
                                  uint32_t maxLength) override;
  bool WriteProfileValue(std::u16string_view path, std::u16string_view section, std::u16string_view key,
                         std::u16string_view value) override;

 private:
  struct Monitor {
    HMONITOR handle;
    KMonitorInfo info;
  };
  static BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors);
  std::vector<Monitor> Monitors() const;
  int32_t MonitorIndex(HMONITOR monitor) const;
  // The modal loop of one dialog: the sink sees keys first, then the dialog manager.
  void RunModalLoop(KWin32Modal& modal);
  bool PreTranslate(const KWin32Modal& modal, MSG& message);

  std::vector<KWin32Modal*> modal_;  // the running modal dialogs, innermost last
};
