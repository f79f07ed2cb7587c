// The window-system operations the framework and the editor use, thin and typed over what Win32 offers.
// The build links one backend: platform/win32 on Windows, the in-memory platform/headless elsewhere.
// Method names avoid the names that windows.h turns into macros (MessageBox, LoadMenu, GetWindowText, ...).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/KTypes.h"
#include "platform/KWinDefs.h"
#include "platform/KWindowSink.h"

// A timer's callback (TIMERPROC); without one the window's sink gets OnTimer.
using KTimerProc = void (*)(KWnd window, uintptr_t timerId);

class KPlatform {
 public:
  virtual ~KPlatform() = default;

  // ---- Dialogs
  // Creates the dialog `templateId` of the current resource source owned by the top-level window of
  // `owner`, sends the sink OnInitDialog, runs the modal loop until EndDialog and destroys the dialog
  // (OnDestroy). Without an owner the dialog takes the topmost owner of the thread's active window, as a
  // class library's modal dialog without a parent does. The owner takes no input during the loop and is
  // enabled again before the dialog is destroyed. Returns the EndDialog result, or -1 when the dialog
  // cannot be created.
  virtual intptr_t RunModalDialog(uint32_t templateId, KWnd owner, KWindowSink& sink) = 0;
  // Ends the modal loop of `dialog` with `result`; the dialog is destroyed when the current event returns.
  virtual void EndDialog(KWnd dialog, intptr_t result) = 0;
  // Routes the events of `window` to `sink` as well (subclassing); null removes it.
  virtual void SetWindowSink(KWnd window, KWindowSink* sink) = 0;
  // Sends a notification to the parent of notify.from now and returns the parent's result.
  virtual intptr_t SendNotify(KNotify& notify) = 0;
  // Queues a WM_COMMAND (id, code, no control) for `window`, delivered after the current event.
  virtual void PostCommand(KWnd window, int32_t id, uint32_t code) = 0;
  // Pixels of a rectangle in the dialog's units (MapDialogRect).
  virtual KRect MapDialogRect(KWnd dialog, const KRect& units) = 0;
  virtual int32_t GetDefaultId(KWnd dialog) = 0;  // DM_GETDEFID; 0 when there is none
  virtual void SetDefaultId(KWnd dialog, int32_t id) = 0;  // DM_SETDEFID; restyles the push buttons
  // Moves the focus as the dialog manager does (WM_NEXTDLGCTL with a control): the default push button
  // follows a focused push button, and an edit's whole text is selected. Returns the dialog's answer.
  virtual intptr_t NextDlgCtl(KWnd dialog, KWnd control) = 0;
  // The next (or previous) tab stop / member of the control's group, skipping hidden and disabled
  // controls, wrapping around (GetNextDlgTabItem / GetNextDlgGroupItem).
  virtual KWnd GetNextDlgTabItem(KWnd dialog, KWnd control, bool previous) = 0;
  virtual KWnd GetNextDlgGroupItem(KWnd dialog, KWnd control, bool previous) = 0;
  // Centres a window on its owner, or on the work area when it has none (CWnd::CenterWindow).
  virtual void CenterWindow(KWnd window) = 0;
  // Lets the dialog's controls show tool tips, whose texts come from the sink's OnToolTipText.
  virtual void EnableToolTips(KWnd dialog, bool enable) = 0;

  // ---- Windows and controls
  virtual bool IsWindow(KWnd window) = 0;
  virtual KWnd GetParent(KWnd window) = 0;  // the parent of a control, the owner of a dialog
  virtual KWnd GetDlgItem(KWnd dialog, int32_t id) = 0;
  virtual int32_t GetDlgCtrlId(KWnd window) = 0;
  // Children in sibling order, which is the tab order of a dialog.
  virtual KWnd GetFirstChild(KWnd window) = 0;
  virtual KWnd GetNextSibling(KWnd window) = 0;
  virtual KWnd GetPrevSibling(KWnd window) = 0;
  virtual std::u16string ClassName(KWnd window) = 0;  // "Button", "Edit", "Static", "SysTreeView32"
  virtual uint32_t GetStyle(KWnd window) = 0;
  virtual uint32_t GetExStyle(KWnd window) = 0;
  // Replaces the type bits (BS_TYPEMASK) of a button's style (BM_SETSTYLE), e.g. check box <-> 3-state.
  virtual void SetButtonStyle(KWnd button, uint32_t type) = 0;
  virtual std::u16string GetText(KWnd window) = 0;
  // Sets a window's text; an edit control then notifies EN_CHANGE, as WM_SETTEXT does.
  virtual void SetText(KWnd window, std::u16string_view text) = 0;
  virtual uint32_t GetCheck(KWnd button) = 0;  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
  virtual void SetCheck(KWnd button, uint32_t state) = 0;  // no BN_CLICKED, as BM_SETCHECK
  virtual void ShowWindow(KWnd window, bool show) = 0;
  // The window and all its ancestors are visible (IsWindowVisible); GetStyle & WS_VISIBLE is its own flag.
  virtual bool IsWindowVisible(KWnd window) = 0;
  virtual void EnableWindow(KWnd window, bool enable) = 0;
  virtual bool IsWindowEnabled(KWnd window) = 0;
  virtual KRect GetWindowRect(KWnd window) = 0;  // screen coordinates, frame included
  virtual KRect GetClientRect(KWnd window) = 0;  // client coordinates: left and top are 0
  virtual KPoint ClientToScreen(KWnd window, KPoint point) = 0;
  virtual KPoint ScreenToClient(KWnd window, KPoint point) = 0;
  // Moves and sizes a window without changing its z-order or activating it: a control in its parent's
  // client coordinates, a dialog in screen coordinates.
  virtual void MoveWindow(KWnd window, const KRect& rect) = 0;
  // The restored rectangle and show state (GetWindowPlacement); false when it cannot be read.
  virtual bool GetWindowPlacement(KWnd window, KWindowPlacement& placement) = 0;
  virtual void InvalidateWindow(KWnd window, bool erase) = 0;
  virtual void UpdateWindow(KWnd window) = 0;  // paints what is invalid now
  virtual KWnd GetFocus() = 0;
  virtual void SetFocus(KWnd window) = 0;

  // ---- Edit controls
  virtual KTextRange GetSelection(KWnd edit) = 0;
  virtual void SetSelection(KWnd edit, KTextRange range) = 0;  // -1 as end means the end of the text
  // Replaces the selection (EM_REPLACESEL) within the text limit; the caret ends after the new text.
  virtual void ReplaceSelection(KWnd edit, std::u16string_view text, bool canUndo) = 0;
  virtual void ScrollCaret(KWnd edit) = 0;
  virtual void LimitText(KWnd edit, int32_t maxLength) = 0;  // 0: the system's maximum
  // EM_SETREADONLY: the field keeps its text but the user cannot change it; ES_READONLY in its style shows it.
  virtual void SetEditReadOnly(KWnd edit, bool readOnly) = 0;

  // ---- List boxes and combo boxes (LB_* / CB_*: each operation serves both). Indexes count from 0; -1 is
  // no item. A combo box's text (GetText / SetText) is its edit text; a drop-down list has no edit and
  // shows the selected item's text, and selecting an item puts its text into the edit of the other styles.
  virtual int32_t ListCount(KWnd list) = 0;
  // Adds an item at the end, or in order in a sorted list (LBS_SORT, CBS_SORT); its index, -1 on failure.
  virtual int32_t ListAddString(KWnd list, std::u16string_view text) = 0;
  // Inserts an item before `index` (-1: at the end) without sorting; its index, -1 on failure.
  virtual int32_t ListInsertString(KWnd list, int32_t index, std::u16string_view text) = 0;
  // Removes an item; the number of items left, -1 when there is no such item.
  virtual int32_t ListDeleteString(KWnd list, int32_t index) = 0;
  virtual int32_t ListGetCurSel(KWnd list) = 0;  // -1 when nothing is selected
  // Selects an item without notifying; -1 or an index outside the list clears the selection. False then.
  virtual bool ListSetCurSel(KWnd list, int32_t index) = 0;
  virtual std::u16string ListGetText(KWnd list, int32_t index) = 0;  // empty for no such item
  // The first item after `start` (-1: from the top, wrapping around) whose whole text equals `text`,
  // ignoring case as LB_FINDSTRINGEXACT does; -1 when there is none.
  virtual int32_t ListFindStringExact(KWnd list, int32_t start, std::u16string_view text) = 0;
  virtual intptr_t ListGetItemData(KWnd list, int32_t index) = 0;  // -1 for no such item
  virtual bool ListSetItemData(KWnd list, int32_t index, intptr_t data) = 0;

  // ---- Custom controls
  // Sends a message of the control's own (WM_USER and above) and returns its answer; a headless control
  // answers through its sink's OnPrivateMessage.
  virtual intptr_t SendPrivateMessage(KWnd control, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;

  // ---- Date/time pickers (DTM_GETSYSTEMTIME / DTM_SETSYSTEMTIME)
  // The picker's date and time; false when it shows no date (DTS_SHOWNONE with its box unchecked).
  virtual bool DateTimeGet(KWnd picker, KSystemTime& time) = 0;
  // Sets the date and time, or with null the no-date state, which only a DTS_SHOWNONE picker has. False
  // when the picker refuses (no such state, or a date or time that does not exist).
  virtual bool DateTimeSet(KWnd picker, const KSystemTime* time) = 0;

  // ---- Sliders (trackbars: TBM_*). Positions are kept within the range, whose ends both belong to it.
  virtual void SliderSetRange(KWnd slider, int32_t minimum, int32_t maximum) = 0;
  virtual void SliderGetRange(KWnd slider, int32_t& minimum, int32_t& maximum) = 0;
  virtual int32_t SliderGetPos(KWnd slider) = 0;
  virtual void SliderSetPos(KWnd slider, int32_t position, bool redraw) = 0;

  // ---- Tree views
  virtual KTreeItem TreeInsertItem(KWnd tree, const KTreeInsert& insert) = 0;
  // Deletes a node and its children; when the selection goes with it the tree selects the next sibling,
  // else the parent, else the previous sibling, with the selection notifications.
  virtual bool TreeDeleteItem(KWnd tree, KTreeItem item) = 0;
  virtual bool TreeDeleteAllItems(KWnd tree) = 0;
  virtual std::u16string TreeGetText(KWnd tree, KTreeItem item) = 0;
  virtual void TreeSetText(KWnd tree, KTreeItem item, std::u16string_view text) = 0;
  virtual void TreeGetImage(KWnd tree, KTreeItem item, int32_t& image, int32_t& selectedImage) = 0;
  virtual void TreeSetImage(KWnd tree, KTreeItem item, int32_t image, int32_t selectedImage) = 0;
  virtual void* TreeGetData(KWnd tree, KTreeItem item) = 0;
  virtual void TreeSetData(KWnd tree, KTreeItem item, void* data) = 0;
  virtual bool TreeIsBold(KWnd tree, KTreeItem item) = 0;
  virtual void TreeSetBold(KWnd tree, KTreeItem item, bool bold) = 0;
  virtual bool TreeExpand(KWnd tree, KTreeItem item, uint32_t action) = 0;  // TVE_EXPAND, _COLLAPSE, _TOGGLE
  virtual bool TreeIsExpanded(KWnd tree, KTreeItem item) = 0;
  // TVM_GETNEXTITEM: relation TVGN_ROOT, _NEXT, _PREVIOUS, _PARENT, _CHILD, _CARET, _DROPHILITE,
  // _FIRSTVISIBLE, _NEXTVISIBLE, _PREVIOUSVISIBLE, _LASTVISIBLE; null when there is none.
  virtual KTreeItem TreeGetNextItem(KWnd tree, KTreeItem item, uint32_t relation) = 0;
  // TVM_SELECTITEM: TVGN_CARET selects (TVN_SELCHANGINGW, which the parent may refuse, then
  // TVN_SELCHANGEDW); TVGN_DROPHILITE highlights a drop target; TVGN_FIRSTVISIBLE scrolls. Null removes.
  // False when the parent refused.
  virtual bool TreeSelectItem(KWnd tree, KTreeItem item, uint32_t relation) = 0;
  virtual void TreeEnsureVisible(KWnd tree, KTreeItem item) = 0;  // expands the parents and scrolls
  virtual void TreeSetInsertMark(KWnd tree, KTreeItem item, bool after) = 0;  // null removes the mark
  // The node at a client point and TVHT_* flags saying where on it the point is.
  virtual KTreeItem TreeHitTest(KWnd tree, KPoint point, uint32_t& flags) = 0;
  // The node's row (textOnly false) or its label, client coordinates; false when it is not visible.
  virtual bool TreeGetItemRect(KWnd tree, KTreeItem item, bool textOnly, KRect& rect) = 0;
  virtual void TreeSetImageList(KWnd tree, KImageList images, uint32_t kind) = 0;  // TVSIL_NORMAL
  // In-place label editing: TVN_BEGINLABELEDITW (refusable); returns the edit control or null.
  virtual KWnd TreeEditLabel(KWnd tree, KTreeItem item) = 0;
  virtual KWnd TreeGetEditControl(KWnd tree) = 0;  // null when no label is edited
  // Ends label editing (TVN_ENDLABELEDITW with the text, or with none when cancelled).
  virtual void TreeEndEditLabelNow(KWnd tree, bool cancel) = 0;
  // A picture of the node for dragging (TVM_CREATEDRAGIMAGE); the caller destroys it. Null for a tree
  // without a normal image list, which the tree view cannot draw a picture for.
  virtual KImageList TreeCreateDragImage(KWnd tree, KTreeItem item) = 0;

  // ---- Scrolling
  virtual int32_t GetScrollPos(KWnd window, int32_t bar) = 0;    // SB_VERT, SB_HORZ
  virtual int32_t GetScrollLimit(KWnd window, int32_t bar) = 0;  // the largest position
  virtual void Scroll(KWnd window, int32_t bar, uint32_t request) = 0;  // SB_LINEUP, SB_LINEDOWN, ...

  // ---- Image lists and the drag image (ImageList_BeginDrag and friends)
  // Images `width` pixels wide cut from a bitmap of the resource source; `transparent` (KRgb) is masked.
  virtual KImageList LoadImageList(uint32_t bitmapId, int32_t width, uint32_t transparent) = 0;
  virtual int32_t ImageCount(KImageList images) = 0;
  virtual void DestroyImageList(KImageList images) = 0;
  virtual bool DragImageBegin(KImageList images, int32_t index, KPoint hotSpot) = 0;
  // Shows the drag image at a point relative to `lockWindow`'s window rect (null: the screen).
  virtual bool DragImageEnter(KWnd lockWindow, KPoint point) = 0;
  virtual bool DragImageMove(KPoint point) = 0;
  virtual bool DragImageShow(bool show) = 0;
  virtual bool DragImageLeave(KWnd lockWindow) = 0;
  virtual void DragImageEnd() = 0;

  // ---- Menus
  virtual KMenu LoadMenuResource(uint32_t menuId) = 0;  // from the resource source; null when missing
  virtual KMenu GetSubMenu(KMenu menu, int32_t position) = 0;
  virtual void DestroyMenu(KMenu menu) = 0;
  virtual void EnableMenuItem(KMenu menu, uint32_t command, bool enable) = 0;
  virtual void CheckMenuItem(KMenu menu, uint32_t command, bool check) = 0;
  // Shows a popup menu with its top-left corner at a screen point and returns the chosen command without
  // sending it (TPM_RETURNCMD); 0 when the menu was dismissed.
  virtual uint32_t TrackPopupMenu(KMenu popup, KPoint screenPoint, KWnd owner) = 0;

  // ---- Message boxes and help
  // MB_* type bits (buttons, icon, default button); returns IDOK, IDCANCEL, IDYES or IDNO. An empty
  // caption gives the platform's default title.
  virtual int32_t ShowMessageBox(KWnd owner, std::u16string_view text, std::u16string_view caption,
                                 uint32_t type) = 0;
  // Asks the application's help system (HELP_CONTEXT, HELP_CONTEXTPOPUP, ...) for a topic.
  virtual void RequestHelp(KWnd window, uint32_t command, uintptr_t data) = 0;

  // ---- Timers and clock
  // A timer of `window` firing every `interval` ms: OnTimer of its sink, or `callback`. Setting an existing
  // id again restarts it. Returns the id.
  virtual uintptr_t SetTimer(KWnd window, uintptr_t timerId, uint32_t interval, KTimerProc callback) = 0;
  virtual bool KillTimer(KWnd window, uintptr_t timerId) = 0;
  virtual uint32_t TickCount() = 0;   // milliseconds (GetTickCount)
  virtual void Pause(uint32_t milliseconds) = 0;  // blocks the thread (Sleep)

  // ---- Cursor, mouse capture, keyboard
  virtual KCursor LoadResourceCursor(uint32_t cursorId) = 0;  // from the resource source
  virtual KCursor StandardCursor(KStdCursor cursor) = 0;
  virtual KCursor SetCursor(KCursor cursor) = 0;  // returns the previous one
  virtual KPoint GetCursorPos() = 0;  // screen coordinates
  virtual KWnd SetCapture(KWnd window) = 0;  // returns the previous capture
  virtual void ReleaseCapture() = 0;
  virtual KWnd GetCapture() = 0;
  virtual int16_t GetKeyState(uint32_t virtualKey) = 0;  // negative while the key is down

  // ---- Screen
  virtual std::vector<KMonitorInfo> EnumMonitors() = 0;  // in the system's order
  // The primary monitor's work area (SPI_GETWORKAREA), which the system knows even when it lists no monitor.
  virtual KRect PrimaryWorkArea() = 0;
  // The index in EnumMonitors of the monitor that a rectangle / point lies on, or is nearest to.
  virtual int32_t MonitorFromRect(const KRect& rect) = 0;
  virtual int32_t MonitorFromPoint(KPoint point) = 0;
  virtual int32_t GetSystemMetrics(int32_t index) = 0;  // SM_CYCAPTION, SM_CXSCREEN, ...

  // ---- Profile files (private .ini files)
  // The value of a key of a section of the ini file at `path`, or `fallback`; at most maxLength - 1 units.
  virtual std::u16string ReadProfileValue(std::u16string_view path, std::u16string_view section,
                                          std::u16string_view key, std::u16string_view fallback,
                                          uint32_t maxLength) = 0;
  // Writes the value, creating file, section or key as needed; false when the file cannot be written.
  virtual bool WriteProfileValue(std::u16string_view path, std::u16string_view section,
                                 std::u16string_view key, std::u16string_view value) = 0;
};

// The backend the module is built with.
KPlatform& Platform();
