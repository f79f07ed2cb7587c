// The test driver of the headless platform: runs modal dialogs with scripts, answers message boxes and
// menus, and acts as the user does (clicks, typing, keys through the dialog manager, mouse with the
// Control key, tree selection and renaming), then reads the controls back.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/KHeadlessPlatform.h"

class KHeadlessDriver {
 public:
  // Starts from a clean platform: no windows, timers, scripts or records; one monitor; the clock at 1000.
  KHeadlessDriver();

  KHeadlessPlatform& State() const { return platform_; }

  // ---- Scripts and what the module showed
  // The next modal dialog runs this script once it is shown; when the script returns the dialog must have
  // ended (otherwise it is closed with -1 and a problem is recorded).
  void OnNextDialog(std::function<void(KWnd dialog)> script);
  // Answers for the next message box (IDYES, IDNO, ...) and popup menu (a command, 0 dismisses it).
  // Unanswered message boxes take their default button; unanswered menus are dismissed.
  void AnswerMessageBox(int32_t answer);
  void AnswerMenu(uint32_t command);
  const std::vector<KShownMenu>& Menus() const { return platform_.shownMenus; }
  const std::vector<KHelpRequest>& HelpRequests() const { return platform_.helpRequests; }
  // What the test asked for that a user could not have done (clicking a disabled button, ...).
  const std::vector<std::string>& Problems() const { return platform_.problems; }

  // ---- The world around the dialog
  void SetMonitors(std::vector<KMonitorInfo> monitors) { platform_.SetMonitors(std::move(monitors)); }
  // Moves the virtual clock on, firing the timers that fall due in order of their times.
  void AdvanceClock(uint32_t milliseconds) { platform_.AdvanceClock(milliseconds); }
  // A top-level window such as the host's main window, to own dialogs. It becomes the active window, so a
  // dialog opened without an owner is owned by it, as by the host's window on Windows.
  KWnd CreateOwnerWindow(const KRect& rect);

  // ---- The running dialog and its controls
  KWnd Dialog() const { return platform_.ActiveDialog(); }
  KWnd Control(int32_t id) const;
  std::u16string Text(int32_t id) const;
  uint32_t Check(int32_t id) const;
  bool IsEnabled(int32_t id) const;
  bool IsVisible(int32_t id) const;  // its own WS_VISIBLE flag
  // The nodes of a tree, one line each, indented two blanks per level.
  std::u16string TreeOutline(int32_t treeId) const;
  // The first node (depth first) with that label; null when there is none.
  KTreeItem FindTreeItem(int32_t treeId, std::u16string_view text) const;
  // The screen point in the middle of a node's label.
  KPoint TreeItemPoint(int32_t treeId, KTreeItem item) const;
  uint32_t CursorId() const { return platform_.CursorId(platform_.CurrentCursor()); }

  // ---- Acting as the user; false when the control cannot take the input (missing, hidden, disabled)
  // A mouse click on a button: checks, toggles or cycles auto buttons and notifies BN_CLICKED.
  bool Click(int32_t id);
  // Clicks a check box until it shows `state`.
  bool SetCheck(int32_t id, uint32_t state);
  // Typing into the focused edit, one EN_CHANGE per character; '\n' is a line break in a multi-line edit.
  bool Type(std::u16string_view text);
  bool TypeInto(int32_t id, std::u16string_view text);  // focuses the edit first
  bool ReplaceText(int32_t id, std::u16string_view text);  // selects all, deletes, types
  bool SelectTreeItem(int32_t treeId, KTreeItem item);  // a click on the node (TVC_BYMOUSE)
  // A click on an item of a list box or of a combo box's list (LBN_SELCHANGE / CBN_SELCHANGE); false for an
  // index outside the list.
  bool SelectListItem(int32_t id, int32_t index);
  // Typing over the whole edit text of an editable combo box: the list loses its selection (CBN_EDITCHANGE).
  bool TypeComboText(int32_t id, std::u16string_view text);
  // Picks a date and time in a picker, or with null unchecks the box of a DTS_SHOWNONE picker
  // (DTN_DATETIMECHANGE, its record the new time or null); false when the picker refuses it.
  bool SetDateTime(int32_t id, const KSystemTime* time);
  // Drags a slider's thumb towards `position`; it stops at the ends of the range.
  bool MoveSlider(int32_t id, int32_t position);
  KWnd BeginRename(int32_t treeId, KTreeItem item);    // in-place editing of the node's label
  // A key press (down and up): the dialog's PreTranslateKey, then the dialog manager (Tab, Shift+Tab,
  // Enter, Escape, arrows within a group of buttons), then the focused control; a focused control that
  // holds the mouse capture gets every key without the dialog manager, as Win32 routes them.
  void PressKey(uint32_t virtualKey);
  void KeyDown(uint32_t virtualKey);
  void KeyUp(uint32_t virtualKey);
  // The left mouse button at screen points; key flags follow the Control and Shift key states.
  void MouseMove(KPoint screen);
  void MouseDown(KPoint screen);
  void MouseUp(KPoint screen);
  void CancelMode();  // the system takes the capture away (WM_CANCELMODE)
  void PressHelpButton();  // the caption's help button, down and up
  // Drags the dialog's frame at `edge` towards `rect` (WM_SIZING) and returns the size it ends with.
  KRect DragFrame(uint32_t edge, KRect rect);
  void EndSession(bool ending);
  // The colours the dialog gives a control; nothing when it leaves them to the system.
  std::optional<KCtlColor> ColorOf(int32_t id);
  // The tool tip of a control when tool tips are on; nothing when there is none.
  std::optional<std::u16string> ToolTip(int32_t id);

 private:
  KHeadlessWindow* Live(int32_t id) const;  // a control that takes input, or null
  void ClickWindow(KHeadlessWindow* button);
  bool DialogManagerKey(uint32_t virtualKey);
  void ControlKey(KHeadlessWindow* window, uint32_t virtualKey);
  KHeadlessWindow* MouseTarget(KPoint screen) const;
  uint32_t KeyFlags() const;
  void Finish() { platform_.Pump(); }

  KHeadlessPlatform& platform_;
  bool buttonDown_ = false;
  KPoint downPoint_;
  KWnd pressed_ = nullptr;             // the control the button went down on
  KTreeItem pendingDragItem_ = nullptr;  // a tree node pressed and not yet dragged or selected
};
