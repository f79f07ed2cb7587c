// The in-memory window system behind KPlatform on builds without Win32: windows and controls with state,
// dialogs from the resource tables, tree views, timers on a virtual clock, a configurable screen, and
// message boxes and menus answered from a script. Tests drive it through KHeadlessDriver.
//
// Metrics it works with (a 96-dpi Windows look): dialog base units 6 x 13 pixels, the average character
// of "MS Shell Dlg" 8 point, so x dialog units are MulDiv(x, 6, 4) pixels and y units MulDiv(y, 13, 8);
// caption 22 pixels; fixed (dialog) frame 3, sizing frame 4, WS_BORDER 1, client edge 2 pixels; tree rows
// 16 pixels; one 1920 x 1080 monitor with a 40-pixel task bar at the bottom until a test sets others;
// timers no faster than 10 milliseconds, as Win32's; sliders from 0 to 100 at 0 and date/time pickers at
// 2000-01-01 12:00:00 until they are set.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/KPlatform.h"
#include "platform/headless/KHeadlessTree.h"

struct KHeadlessListItem {
  std::u16string text;
  intptr_t data = 0;
};

struct KHeadlessWindow {
  KHeadlessWindow* parent = nullptr;  // the parent of a control
  KWnd owner = nullptr;               // the owner of a top-level window
  std::vector<std::unique_ptr<KHeadlessWindow>> children;  // sibling (tab) order
  std::u16string className;
  std::u16string text;
  int32_t id = 0;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  KRect rect;  // a control: in its parent's client coordinates; a top-level window: screen
  KWindowSink* sink = nullptr;
  uint32_t check = 0;
  KTextRange selection;
  int32_t textLimit = 30000;
  std::unique_ptr<KHeadlessTree> tree;
  std::vector<KHeadlessListItem> items;  // a list box's or combo box's list
  int32_t selectedItem = -1;
  std::optional<KSystemTime> dateTime;   // a date/time picker's value; none while it shows no date
  int32_t rangeMin = 0;                  // a slider's range and position
  int32_t rangeMax = 100;
  int32_t position = 0;
  bool isDialog = false;
  uint32_t templateId = 0;
  int32_t defaultId = 0;
  bool ended = false;
  intptr_t result = 0;
  KWnd disabledOwner = nullptr;  // a modal dialog: the owner it keeps from input while it runs
  bool toolTips = false;
  bool invalid = false;
  int32_t paintCount = 0;
  KWnd Handle() const { return reinterpret_cast<KWnd>(const_cast<KHeadlessWindow*>(this)); }
};

struct KShownMessageBox {
  std::u16string text;
  std::u16string caption;
  uint32_t type = 0;
  int32_t answer = 0;
};

struct KShownMenuItem {
  std::u16string text;
  uint32_t command = 0;
  uint32_t flags = 0;  // MF_GRAYED, MF_CHECKED, MF_POPUP, MF_SEPARATOR
};

struct KShownMenu {
  uint32_t menuId = 0;     // the menu resource
  int32_t position = -1;   // the popup's position in it, -1 for the menu itself
  KPoint point;            // screen
  std::vector<KShownMenuItem> items;
  uint32_t answer = 0;
};

struct KHelpRequest {
  KWnd window = nullptr;
  uint32_t command = 0;
  uintptr_t data = 0;
};

// The drag image's state (ImageList_BeginDrag and friends).
struct KHeadlessDrag {
  KImageList image = nullptr;
  KPoint hotSpot;
  bool began = false;
  bool entered = false;
  bool visible = false;
  KWnd lockWindow = nullptr;
  KPoint position;  // relative to the lock window's window rectangle, or screen
};

class KHeadlessPlatform final : public KPlatform {
 public:
  KHeadlessPlatform();
  ~KHeadlessPlatform() override;

  // Forgets every window, timer, script and record; one monitor again; the clock restarts.
  void Reset();

  // ---- For the driver
  KHeadlessWindow* Window(KWnd window) const;  // null for a dead or foreign handle
  KWnd ActiveDialog() const;                   // the innermost modal dialog still running
  // The active top-level window: the last one created or shown modally; activation returns to a modal
  // dialog's owner when the dialog closes.
  KWnd ActiveWindow() const { return active_; }
  KWnd CreateTopLevel(const KRect& rect, uint32_t style);  // an owner window such as the host's, activated
  void SendCommand(KHeadlessWindow* control, uint32_t code);  // WM_COMMAND to its parent
  // A control's notification: its own sink first, then its parent's; the result of whichever handled it.
  intptr_t NotifyParent(KHeadlessWindow* control, KNotify& notify);
  bool SelectTreeItem(KHeadlessWindow* tree, KHeadlessTree::Item* item, uint32_t action);
  // A list box or combo box, a date/time picker, a slider; null for a dead handle or another control.
  KHeadlessWindow* ListWindow(KWnd list) const;
  KHeadlessWindow* PickerWindow(KWnd picker) const;
  KHeadlessWindow* SliderWindow(KWnd slider) const;
  void EndLabelEdit(KHeadlessWindow* tree, bool cancel, KWnd newFocus);
  // Delivers posted commands and destroys dialogs that ended, as the modal loop does between events.
  void Pump();
  void AdvanceClock(uint32_t milliseconds);
  // An empty list is a system that reports no monitor; the primary screen and work area stay as they were.
  void SetMonitors(std::vector<KMonitorInfo> monitors);
  void SetKeyDown(uint32_t virtualKey, bool down);
  void SetCursorPos(KPoint point) { cursorPos_ = point; }
  KCursor CurrentCursor() const { return cursor_; }
  // The resource id of a cursor, or the KStdCursor number of a standard one; 0 for none.
  uint32_t CursorId(KCursor cursor) const;
  const KHeadlessDrag& Drag() const { return drag_; }
  const std::u16string* DragImageLabel(KImageList images) const;

  std::deque<std::function<void(KWnd dialog)>> dialogScripts;
  std::deque<int32_t> messageBoxAnswers;
  std::deque<uint32_t> menuAnswers;
  std::vector<KShownMessageBox> shownMessageBoxes;
  std::vector<KShownMenu> shownMenus;
  std::vector<KHelpRequest> helpRequests;
  std::vector<std::string> problems;  // what a test did that a user could not have done

  // ---- KPlatform
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
  struct Timer {
    KWnd window;
    uintptr_t id;
    uint32_t interval;
    uint64_t due;
    uint64_t order;
    KTimerProc callback;
  };
  struct PostedCommand {
    KWnd window;
    int32_t id;
    uint32_t code;
  };
  struct ImageList {
    int32_t width = 0;
    int32_t count = 0;
    std::u16string dragLabel;  // the node a drag image pictures
  };
  struct MenuEntry;
  struct Menu {
    uint32_t resourceId = 0;
    int32_t position = -1;
    std::vector<MenuEntry> items;
  };
  struct MenuEntry {
    KShownMenuItem item;
    std::unique_ptr<Menu> popup;
  };
  struct Cursor {
    uint32_t id;
  };

  KHeadlessWindow* NewWindow(KHeadlessWindow* parent, std::u16string className, int32_t id, uint32_t style);
  KHeadlessWindow* CreateDialogWindow(uint32_t templateId, KWnd owner, KWindowSink& sink);
  // The top-level window that owns a modal dialog asked to be owned by `owner`.
  KWnd ModalOwner(KWnd owner) const;
  // Ends a modal dialog's loop: its owner takes input and activation back, then the dialog is destroyed.
  void CloseModal(KHeadlessWindow* dialog);
  // Destroy sends OnDestroy and makes the handles dead; Free releases the records afterwards.
  void Destroy(KHeadlessWindow* window);
  void SendDestroy(KHeadlessWindow* window);
  void Forget(KHeadlessWindow* window);
  void Free(KHeadlessWindow* window);
  KRect Insets(const KHeadlessWindow* window) const;
  KPoint ClientOrigin(const KHeadlessWindow* window) const;  // screen
  KHeadlessTree* TreeOf(KWnd tree, KHeadlessTree::Item** item = nullptr, KTreeItem handle = nullptr) const;
  KHeadlessWindow* TreeWindowOfEdit(const KHeadlessWindow* edit) const;
  KHeadlessWindow* ClassWindow(KWnd window, std::u16string_view className) const;
  int32_t InsertListItem(KHeadlessWindow* list, size_t at, std::u16string_view text);
  // The selection of a list; a combo box's edit shows the selected item's text, or none.
  void SelectListItem(KHeadlessWindow* list, int32_t index);
  void FireTimer(Timer timer);
  std::unique_ptr<Menu> BuildMenu(uint32_t resourceId, int32_t position, const struct KMenuItem* items,
                                  size_t count);
  void Register(Menu* menu, bool add);
  MenuEntry* FindMenuEntry(KMenu menu, uint32_t command);
  KCursor CursorFor(uint32_t key);

  std::vector<std::unique_ptr<KHeadlessWindow>> topLevel_;
  std::unordered_set<const KHeadlessWindow*> live_;
  std::vector<KWnd> modal_;
  std::vector<Timer> timers_;
  uint64_t timerOrder_ = 0;
  uint64_t now_ = 0;
  std::deque<PostedCommand> posted_;
  std::map<const ImageList*, std::unique_ptr<ImageList>> imageLists_;
  std::map<const Menu*, std::unique_ptr<Menu>> menus_;
  std::unordered_set<const Menu*> liveMenus_;
  std::map<uint32_t, std::unique_ptr<Cursor>> cursors_;
  KCursor cursor_ = nullptr;
  KPoint cursorPos_;
  KWnd focus_ = nullptr;
  KWnd capture_ = nullptr;
  KWnd active_ = nullptr;
  std::set<uint32_t> keysDown_;
  std::vector<KMonitorInfo> monitors_;
  KMonitorInfo primary_;  // the primary screen, which outlives a list of no monitors
  KHeadlessDrag drag_;
};

// The platform instance the build's Platform() returns.
KHeadlessPlatform& HeadlessPlatform();
