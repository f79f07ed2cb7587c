// The window-system operations on Win32: dialogs and their modal loop, controls, tree views, image lists,
// menus, timers, cursors, monitors and profile files.
#include "platform/win32/KWin32Platform.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/win32/KWin32Convert.h"
#include "support/KResourceSource.h"

namespace {

constexpr size_t kClassNameLength = 256;
constexpr size_t kFirstLabelBuffer = 256;
constexpr size_t kLongestLabel = 65536;

HINSTANCE ResourceModule() { return static_cast<HINSTANCE>(ResourceSource().ModuleHandle()); }

LRESULT Send(KWnd window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return ::SendMessageW(ToWin(window), message, wParam, lParam);
}

template <typename T>
LPARAM Address(T* record) {
  return reinterpret_cast<LPARAM>(record);
}

LPARAM NodeParam(KTreeItem item) { return reinterpret_cast<LPARAM>(ToWin(item)); }

// An index as the wParam of a list message; -1 stays all bits set, as the messages expect.
WPARAM IndexParam(int32_t index) { return static_cast<WPARAM>(static_cast<intptr_t>(index)); }

// A list message's answer: an index or count, or -1 for LB_ERR / LB_ERRSPACE.
int32_t ListAnswer(LRESULT answer) { return answer < 0 ? -1 : static_cast<int32_t>(answer); }

// A list box and a combo box answer the same requests under different message numbers.
UINT ListMessage(KWnd list, UINT listBoxMessage, UINT comboBoxMessage) {
  wchar_t name[16] = {};
  ::GetClassNameW(ToWin(list), name, static_cast<int>(std::size(name)));
  return ::lstrcmpiW(name, WC_COMBOBOXW) == 0 ? comboBoxMessage : listBoxMessage;
}

// A message whose answer is a handle.
template <typename Handle>
Handle SendForHandle(KWnd window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return reinterpret_cast<Handle>(Send(window, message, wParam, lParam));
}

bool IsChildWindow(HWND window) { return (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0; }

// Only a top-level window can own a dialog. Without an owner the dialog takes the topmost owner of the
// thread's active window (the host's main window), as the class library does for a dialog without a parent.
HWND ModalOwner(KWnd owner) {
  if (owner) return ::GetAncestor(ToWin(owner), GA_ROOT);
  const HWND active = ::GetActiveWindow();
  return active ? ::GetAncestor(active, GA_ROOTOWNER) : nullptr;
}

// One node's fields named by `mask`; false when the node is not in the tree.
bool GetTreeItem(KWnd tree, KTreeItem item, UINT mask, TVITEMW& fields) {
  fields = {};
  fields.mask = mask | TVIF_HANDLE;
  fields.hItem = ToWin(item);
  return Send(tree, TVM_GETITEMW, 0, Address(&fields)) != FALSE;
}

void SetTreeItem(KWnd tree, KTreeItem item, TVITEMW fields) {
  fields.mask |= TVIF_HANDLE;
  fields.hItem = ToWin(item);
  Send(tree, TVM_SETITEMW, 0, Address(&fields));
}

// The help file of the module that holds this code: its file with the extension ".hlp".
std::wstring HelpFile() {
  HMODULE module = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&HelpFile), &module);
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size())));
  const size_t name = path.find_last_of(L"\\/") + 1;
  const size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && dot >= name) path.resize(dot);
  return path + L".hlp";
}

}  // namespace

KPlatform& Platform() {
  static KWin32Platform platform;
  return platform;
}

// ---- Dialogs

intptr_t KWin32Platform::RunModalDialog(uint32_t templateId, KWnd owner, KWindowSink& sink) {
  // The owner takes no input while the dialog runs.
  const HWND root = ModalOwner(owner);
  const bool disableOwner = root && ::IsWindowEnabled(root);
  if (disableOwner) ::EnableWindow(root, FALSE);
  KWin32Modal modal;
  modal.sink = &sink;
  modal_.push_back(&modal);
  const HWND dialog = ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId), root,
                                           KWin32MessageRouter::DialogProc, reinterpret_cast<LPARAM>(&modal));
  if (dialog) RunModalLoop(modal);
  if (disableOwner) ::EnableWindow(root, TRUE);
  if (dialog && ::IsWindow(dialog)) {
    // Hidden first, so that activation returns to the owner rather than to another application.
    ::SetWindowPos(dialog, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (root && ::GetActiveWindow() == dialog) ::SetActiveWindow(root);
    ::DestroyWindow(dialog);
  }
  modal_.erase(std::find(modal_.begin(), modal_.end(), &modal));
  return dialog ? modal.result : -1;
}

void KWin32Platform::RunModalLoop(KWin32Modal& modal) {
  if (!modal.ended && !::IsWindowVisible(modal.dialog)) {
    ::ShowWindow(modal.dialog, SW_SHOWNORMAL);
    ::UpdateWindow(modal.dialog);
  }
  MSG message{};
  while (!modal.ended && ::IsWindow(modal.dialog)) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // WM_QUIT belongs to the host's own loop: hand it back and give up the dialog.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      modal.result = -1;
      return;
    }
    if (PreTranslate(modal, message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

bool KWin32Platform::PreTranslate(const KWin32Modal& modal, MSG& message) {
  const HWND dialog = modal.dialog;
  const bool forDialog = message.hwnd == dialog || ::IsChild(dialog, message.hwnd);
  KWindowSink* sink = Router().Sink(dialog);
  if (message.message == WM_KEYDOWN && forDialog && sink &&
      sink->PreTranslateKey(FromWin(::GetFocus()), static_cast<uint32_t>(message.wParam))) {
    return true;
  }
  return ::IsDialogMessageW(dialog, &message) != FALSE;
}

void KWin32Platform::EndDialog(KWnd dialog, intptr_t result) {
  for (KWin32Modal* modal : modal_) {
    if (modal->dialog != ToWin(dialog)) continue;
    modal->ended = true;
    modal->result = result;
  }
}

void KWin32Platform::SetWindowSink(KWnd window, KWindowSink* sink) { Router().SetSink(ToWin(window), sink); }

intptr_t KWin32Platform::SendNotify(KNotify& notify) {
  const HWND from = ToWin(notify.from);
  const HWND parent = ::IsWindow(from) && IsChildWindow(from) ? ::GetParent(from) : nullptr;
  return parent ? Router().SendNotify(parent, notify) : 0;
}

void KWin32Platform::PostCommand(KWnd window, int32_t id, uint32_t code) {
  ::PostMessageW(ToWin(window), WM_COMMAND, MAKEWPARAM(id, code), 0);
}

KRect KWin32Platform::MapDialogRect(KWnd dialog, const KRect& units) {
  RECT rect = ToWin(units);
  return ::MapDialogRect(ToWin(dialog), &rect) ? FromWin(rect) : KRect{};
}

int32_t KWin32Platform::GetDefaultId(KWnd dialog) {
  const auto answer = static_cast<DWORD>(Send(dialog, DM_GETDEFID));
  return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

void KWin32Platform::SetDefaultId(KWnd dialog, int32_t id) {
  Send(dialog, DM_SETDEFID, static_cast<WPARAM>(id));
}

intptr_t KWin32Platform::NextDlgCtl(KWnd dialog, KWnd control) {
  return Send(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ToWin(control)), TRUE);
}

KWnd KWin32Platform::GetNextDlgTabItem(KWnd dialog, KWnd control, bool previous) {
  return FromWin(::GetNextDlgTabItem(ToWin(dialog), ToWin(control), previous));
}

KWnd KWin32Platform::GetNextDlgGroupItem(KWnd dialog, KWnd control, bool previous) {
  return FromWin(::GetNextDlgGroupItem(ToWin(dialog), ToWin(control), previous));
}

// A top-level window centres on its visible owner, else on the work area, and stays inside the work area;
// a child centres in its parent's client area.
void KWin32Platform::CenterWindow(KWnd window) {
  const HWND handle = ToWin(window);
  if (!::IsWindow(handle)) return;
  const bool child = IsChildWindow(handle);
  const HWND owner = child ? ::GetParent(handle) : ::GetWindow(handle, GW_OWNER);
  KRect area;
  KRect around;
  if (child) {
    const KRect client = GetClientRect(FromWin(owner));
    const KPoint origin = ClientToScreen(FromWin(owner), {0, 0});
    area = around = client.Offset(origin.x, origin.y);
  } else {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : handle, MONITOR_DEFAULTTONEAREST), &info);
    area = FromWin(info.rcWork);
    const bool useOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    around = useOwner ? GetWindowRect(FromWin(owner)) : area;
  }
  const KRect rect = GetWindowRect(window);
  KPoint topLeft{around.left + (around.Width() - rect.Width()) / 2,
                 around.top + (around.Height() - rect.Height()) / 2};
  topLeft.x = std::max(area.left, std::min(topLeft.x, area.right - rect.Width()));
  topLeft.y = std::max(area.top, std::min(topLeft.y, area.bottom - rect.Height()));
  if (child) topLeft = ScreenToClient(FromWin(owner), topLeft);
  ::SetWindowPos(handle, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void KWin32Platform::EnableToolTips(KWnd dialog, bool enable) { Router().SetToolTips(ToWin(dialog), enable); }

// ---- Windows and controls

bool KWin32Platform::IsWindow(KWnd window) { return ::IsWindow(ToWin(window)) != FALSE; }

KWnd KWin32Platform::GetParent(KWnd window) {
  const HWND handle = ToWin(window);
  if (!::IsWindow(handle)) return nullptr;
  return FromWin(IsChildWindow(handle) ? ::GetAncestor(handle, GA_PARENT) : ::GetWindow(handle, GW_OWNER));
}

KWnd KWin32Platform::GetDlgItem(KWnd dialog, int32_t id) { return FromWin(::GetDlgItem(ToWin(dialog), id)); }

int32_t KWin32Platform::GetDlgCtrlId(KWnd window) { return ::GetDlgCtrlID(ToWin(window)); }

KWnd KWin32Platform::GetFirstChild(KWnd window) { return FromWin(::GetWindow(ToWin(window), GW_CHILD)); }

// Siblings are the children of one parent; top-level windows have none here.
KWnd KWin32Platform::GetNextSibling(KWnd window) {
  const HWND handle = ToWin(window);
  return ::IsWindow(handle) && IsChildWindow(handle) ? FromWin(::GetWindow(handle, GW_HWNDNEXT)) : nullptr;
}

KWnd KWin32Platform::GetPrevSibling(KWnd window) {
  const HWND handle = ToWin(window);
  return ::IsWindow(handle) && IsChildWindow(handle) ? FromWin(::GetWindow(handle, GW_HWNDPREV)) : nullptr;
}

std::u16string KWin32Platform::ClassName(KWnd window) {
  std::u16string name(kClassNameLength, u'\0');
  const int length = ::GetClassNameW(ToWin(window), AsWide(name.data()), static_cast<int>(name.size()));
  name.resize(static_cast<size_t>(std::max(length, 0)));
  return name;
}

uint32_t KWin32Platform::GetStyle(KWnd window) {
  return static_cast<uint32_t>(::GetWindowLongPtrW(ToWin(window), GWL_STYLE));
}

uint32_t KWin32Platform::GetExStyle(KWnd window) {
  return static_cast<uint32_t>(::GetWindowLongPtrW(ToWin(window), GWL_EXSTYLE));
}

void KWin32Platform::SetButtonStyle(KWnd button, uint32_t type) {
  const uint32_t style = (GetStyle(button) & ~BS_TYPEMASK) | (type & BS_TYPEMASK);
  Send(button, BM_SETSTYLE, LOWORD(style), TRUE);
}

std::u16string KWin32Platform::GetText(KWnd window) {
  const int length = ::GetWindowTextLengthW(ToWin(window));
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int copied = ::GetWindowTextW(ToWin(window), AsWide(text.data()), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

void KWin32Platform::SetText(KWnd window, std::u16string_view text) {
  ::SetWindowTextW(ToWin(window), KWideZ(text));
}

uint32_t KWin32Platform::GetCheck(KWnd button) { return static_cast<uint32_t>(Send(button, BM_GETCHECK)); }

void KWin32Platform::SetCheck(KWnd button, uint32_t state) { Send(button, BM_SETCHECK, state); }

void KWin32Platform::ShowWindow(KWnd window, bool show) {
  ::ShowWindow(ToWin(window), show ? SW_SHOWNA : SW_HIDE);
}

bool KWin32Platform::IsWindowVisible(KWnd window) { return ::IsWindowVisible(ToWin(window)) != FALSE; }

void KWin32Platform::EnableWindow(KWnd window, bool enable) { ::EnableWindow(ToWin(window), enable); }

bool KWin32Platform::IsWindowEnabled(KWnd window) { return ::IsWindowEnabled(ToWin(window)) != FALSE; }

KRect KWin32Platform::GetWindowRect(KWnd window) {
  RECT rect{};
  ::GetWindowRect(ToWin(window), &rect);
  return FromWin(rect);
}

KRect KWin32Platform::GetClientRect(KWnd window) {
  RECT rect{};
  ::GetClientRect(ToWin(window), &rect);
  return FromWin(rect);
}

KPoint KWin32Platform::ClientToScreen(KWnd window, KPoint point) {
  POINT converted = ToWin(point);
  ::ClientToScreen(ToWin(window), &converted);
  return FromWin(converted);
}

KPoint KWin32Platform::ScreenToClient(KWnd window, KPoint point) {
  POINT converted = ToWin(point);
  ::ScreenToClient(ToWin(window), &converted);
  return FromWin(converted);
}

// SetWindowPos takes a child's position in its parent's client area and a top-level window's on the screen.
void KWin32Platform::MoveWindow(KWnd window, const KRect& rect) {
  ::SetWindowPos(ToWin(window), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool KWin32Platform::GetWindowPlacement(KWnd window, KWindowPlacement& placement) {
  const HWND handle = ToWin(window);
  WINDOWPLACEMENT record{};
  record.length = sizeof record;
  if (!::GetWindowPlacement(handle, &record)) return false;
  placement.normal = FromWin(record.rcNormalPosition);
  if (IsChildWindow(handle)) {
    placement.normal = GetWindowRect(window);
  } else if (!(GetExStyle(window) & WS_EX_TOOLWINDOW)) {
    // The restored rectangle of a top-level window is in workspace coordinates, which start at the primary
    // monitor's work area rather than at the screen's origin.
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    placement.normal = placement.normal.Offset(info.rcWork.left - info.rcMonitor.left,
                                               info.rcWork.top - info.rcMonitor.top);
  }
  placement.showCommand = ::IsIconic(handle)   ? SW_SHOWMINIMIZED
                          : ::IsZoomed(handle) ? SW_SHOWMAXIMIZED
                                               : SW_SHOWNORMAL;
  return true;
}

void KWin32Platform::InvalidateWindow(KWnd window, bool erase) {
  ::InvalidateRect(ToWin(window), nullptr, erase);
}

void KWin32Platform::UpdateWindow(KWnd window) { ::UpdateWindow(ToWin(window)); }

KWnd KWin32Platform::GetFocus() { return FromWin(::GetFocus()); }

void KWin32Platform::SetFocus(KWnd window) { ::SetFocus(ToWin(window)); }

// ---- Edit controls

KTextRange KWin32Platform::GetSelection(KWnd edit) {
  DWORD start = 0;
  DWORD end = 0;
  Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), Address(&end));
  return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

void KWin32Platform::SetSelection(KWnd edit, KTextRange range) {
  Send(edit, EM_SETSEL, static_cast<WPARAM>(range.start), range.end);
}

void KWin32Platform::ReplaceSelection(KWnd edit, std::u16string_view text, bool canUndo) {
  const KWideZ replacement(text);
  Send(edit, EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(replacement)));
}

void KWin32Platform::ScrollCaret(KWnd edit) { Send(edit, EM_SCROLLCARET); }

void KWin32Platform::LimitText(KWnd edit, int32_t maxLength) {
  Send(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max(maxLength, 0)));
}

void KWin32Platform::SetEditReadOnly(KWnd edit, bool readOnly) { Send(edit, EM_SETREADONLY, readOnly); }

// ---- List boxes and combo boxes

int32_t KWin32Platform::ListCount(KWnd list) {
  return ListAnswer(Send(list, ListMessage(list, LB_GETCOUNT, CB_GETCOUNT)));
}

int32_t KWin32Platform::ListAddString(KWnd list, std::u16string_view text) {
  const KWideZ item(text);
  return ListAnswer(Send(list, ListMessage(list, LB_ADDSTRING, CB_ADDSTRING), 0,
                         reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(item))));
}

int32_t KWin32Platform::ListInsertString(KWnd list, int32_t index, std::u16string_view text) {
  const KWideZ item(text);
  return ListAnswer(Send(list, ListMessage(list, LB_INSERTSTRING, CB_INSERTSTRING), IndexParam(index),
                         reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(item))));
}

int32_t KWin32Platform::ListDeleteString(KWnd list, int32_t index) {
  return ListAnswer(Send(list, ListMessage(list, LB_DELETESTRING, CB_DELETESTRING), IndexParam(index)));
}

int32_t KWin32Platform::ListGetCurSel(KWnd list) {
  return ListAnswer(Send(list, ListMessage(list, LB_GETCURSEL, CB_GETCURSEL)));
}

// A list box keeps its selection for an index outside the list; a combo box clears it. Both clear it here.
bool KWin32Platform::ListSetCurSel(KWnd list, int32_t index) {
  const bool valid = index >= 0 && index < ListCount(list);
  Send(list, ListMessage(list, LB_SETCURSEL, CB_SETCURSEL), IndexParam(valid ? index : -1));
  return valid;
}

std::u16string KWin32Platform::ListGetText(KWnd list, int32_t index) {
  const int32_t length = ListAnswer(Send(list, ListMessage(list, LB_GETTEXTLEN, CB_GETLBTEXTLEN), IndexParam(index)));
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  const int32_t copied = ListAnswer(Send(list, ListMessage(list, LB_GETTEXT, CB_GETLBTEXT), IndexParam(index),
                                         reinterpret_cast<LPARAM>(AsWide(text.data()))));
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

int32_t KWin32Platform::ListFindStringExact(KWnd list, int32_t start, std::u16string_view text) {
  const KWideZ item(text);
  return ListAnswer(Send(list, ListMessage(list, LB_FINDSTRINGEXACT, CB_FINDSTRINGEXACT), IndexParam(start),
                         reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(item))));
}

intptr_t KWin32Platform::ListGetItemData(KWnd list, int32_t index) {
  return Send(list, ListMessage(list, LB_GETITEMDATA, CB_GETITEMDATA), IndexParam(index));
}

bool KWin32Platform::ListSetItemData(KWnd list, int32_t index, intptr_t data) {
  return Send(list, ListMessage(list, LB_SETITEMDATA, CB_SETITEMDATA), IndexParam(index), data) != LB_ERR;
}

// ---- Custom controls, date/time pickers, sliders

intptr_t KWin32Platform::SendPrivateMessage(KWnd control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return Send(control, message, wParam, lParam);
}

bool KWin32Platform::DateTimeGet(KWnd picker, KSystemTime& time) {
  SYSTEMTIME shown{};
  if (Send(picker, DTM_GETSYSTEMTIME, 0, Address(&shown)) != GDT_VALID) return false;
  time = FromWin(shown);
  return true;
}

bool KWin32Platform::DateTimeSet(KWnd picker, const KSystemTime* time) {
  if (!time) return Send(picker, DTM_SETSYSTEMTIME, GDT_NONE) != FALSE;
  SYSTEMTIME shown = ToWin(*time);
  return Send(picker, DTM_SETSYSTEMTIME, GDT_VALID, Address(&shown)) != FALSE;
}

void KWin32Platform::SliderSetRange(KWnd slider, int32_t minimum, int32_t maximum) {
  Send(slider, TBM_SETRANGEMIN, FALSE, minimum);
  Send(slider, TBM_SETRANGEMAX, TRUE, maximum);
}

void KWin32Platform::SliderGetRange(KWnd slider, int32_t& minimum, int32_t& maximum) {
  minimum = static_cast<int32_t>(Send(slider, TBM_GETRANGEMIN));
  maximum = static_cast<int32_t>(Send(slider, TBM_GETRANGEMAX));
}

int32_t KWin32Platform::SliderGetPos(KWnd slider) { return static_cast<int32_t>(Send(slider, TBM_GETPOS)); }

void KWin32Platform::SliderSetPos(KWnd slider, int32_t position, bool redraw) {
  Send(slider, TBM_SETPOS, redraw, position);
}

// ---- Tree views

KTreeItem KWin32Platform::TreeInsertItem(KWnd tree, const KTreeInsert& insert) {
  std::u16string text = insert.text;
  TVINSERTSTRUCTW record{};
  record.hParent = insert.parent ? ToWin(insert.parent) : TVI_ROOT;
  record.hInsertAfter = ToWin(insert.insertAfter);
  record.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  record.item.pszText = AsWide(text.data());
  record.item.iImage = insert.image;
  record.item.iSelectedImage = insert.selectedImage;
  record.item.lParam = reinterpret_cast<LPARAM>(insert.data);
  return FromWin(SendForHandle<HTREEITEM>(tree, TVM_INSERTITEMW, 0, Address(&record)));
}

bool KWin32Platform::TreeDeleteItem(KWnd tree, KTreeItem item) {
  return Send(tree, TVM_DELETEITEM, 0, NodeParam(item)) != FALSE;
}

bool KWin32Platform::TreeDeleteAllItems(KWnd tree) { return TreeDeleteItem(tree, TreeRoot()); }

// Labels have no length limit of their own: the buffer grows until the whole label fits.
std::u16string KWin32Platform::TreeGetText(KWnd tree, KTreeItem item) {
  for (size_t capacity = kFirstLabelBuffer;; capacity *= 4) {
    std::u16string buffer(capacity, u'\0');
    TVITEMW fields{};
    fields.mask = TVIF_TEXT | TVIF_HANDLE;
    fields.hItem = ToWin(item);
    fields.pszText = AsWide(buffer.data());
    fields.cchTextMax = static_cast<int>(capacity);
    if (!Send(tree, TVM_GETITEMW, 0, Address(&fields)) || !fields.pszText) return {};
    // The tree may answer with a pointer to its own copy of the label.
    const std::u16string label(FromWide(fields.pszText));
    if (label.size() + 1 < capacity || capacity >= kLongestLabel || fields.pszText != AsWide(buffer.data())) {
      return label;
    }
  }
}

void KWin32Platform::TreeSetText(KWnd tree, KTreeItem item, std::u16string_view text) {
  std::u16string label(text);
  TVITEMW fields{};
  fields.mask = TVIF_TEXT;
  fields.pszText = AsWide(label.data());
  SetTreeItem(tree, item, fields);
}

void KWin32Platform::TreeGetImage(KWnd tree, KTreeItem item, int32_t& image, int32_t& selectedImage) {
  TVITEMW fields{};
  const bool found = GetTreeItem(tree, item, TVIF_IMAGE | TVIF_SELECTEDIMAGE, fields);
  image = found ? fields.iImage : 0;
  selectedImage = found ? fields.iSelectedImage : 0;
}

void KWin32Platform::TreeSetImage(KWnd tree, KTreeItem item, int32_t image, int32_t selectedImage) {
  TVITEMW fields{};
  fields.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  fields.iImage = image;
  fields.iSelectedImage = selectedImage;
  SetTreeItem(tree, item, fields);
}

void* KWin32Platform::TreeGetData(KWnd tree, KTreeItem item) {
  TVITEMW fields{};
  return GetTreeItem(tree, item, TVIF_PARAM, fields) ? reinterpret_cast<void*>(fields.lParam) : nullptr;
}

void KWin32Platform::TreeSetData(KWnd tree, KTreeItem item, void* data) {
  TVITEMW fields{};
  fields.mask = TVIF_PARAM;
  fields.lParam = reinterpret_cast<LPARAM>(data);
  SetTreeItem(tree, item, fields);
}

bool KWin32Platform::TreeIsBold(KWnd tree, KTreeItem item) {
  return (Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ToWin(item)), TVIS_BOLD) & TVIS_BOLD) != 0;
}

void KWin32Platform::TreeSetBold(KWnd tree, KTreeItem item, bool bold) {
  TVITEMW fields{};
  fields.mask = TVIF_STATE;
  fields.state = bold ? TVIS_BOLD : 0;
  fields.stateMask = TVIS_BOLD;
  SetTreeItem(tree, item, fields);
}

bool KWin32Platform::TreeExpand(KWnd tree, KTreeItem item, uint32_t action) {
  return Send(tree, TVM_EXPAND, action, NodeParam(item)) != FALSE;
}

bool KWin32Platform::TreeIsExpanded(KWnd tree, KTreeItem item) {
  const LRESULT state = Send(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(ToWin(item)), TVIS_EXPANDED);
  return (state & TVIS_EXPANDED) != 0;
}

KTreeItem KWin32Platform::TreeGetNextItem(KWnd tree, KTreeItem item, uint32_t relation) {
  return FromWin(SendForHandle<HTREEITEM>(tree, TVM_GETNEXTITEM, relation, NodeParam(item)));
}

bool KWin32Platform::TreeSelectItem(KWnd tree, KTreeItem item, uint32_t relation) {
  return Send(tree, TVM_SELECTITEM, relation, NodeParam(item)) != FALSE;
}

void KWin32Platform::TreeEnsureVisible(KWnd tree, KTreeItem item) {
  Send(tree, TVM_ENSUREVISIBLE, 0, NodeParam(item));
}

void KWin32Platform::TreeSetInsertMark(KWnd tree, KTreeItem item, bool after) {
  Send(tree, TVM_SETINSERTMARK, after, NodeParam(item));
}

KTreeItem KWin32Platform::TreeHitTest(KWnd tree, KPoint point, uint32_t& flags) {
  TVHITTESTINFO info{};
  info.pt = ToWin(point);
  const auto item = SendForHandle<HTREEITEM>(tree, TVM_HITTEST, 0, Address(&info));
  flags = info.flags;
  return FromWin(item);
}

bool KWin32Platform::TreeGetItemRect(KWnd tree, KTreeItem item, bool textOnly, KRect& rect) {
  // The message takes the node in the rectangle it fills.
  RECT area{};
  static_assert(sizeof(HTREEITEM) <= sizeof(RECT));
  const HTREEITEM node = ToWin(item);
  std::memcpy(&area, &node, sizeof node);
  if (!Send(tree, TVM_GETITEMRECT, textOnly, Address(&area))) return false;
  rect = FromWin(area);
  return true;
}

void KWin32Platform::TreeSetImageList(KWnd tree, KImageList images, uint32_t kind) {
  Send(tree, TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(ToWin(images)));
}

// The tree edits labels only while it has the focus.
KWnd KWin32Platform::TreeEditLabel(KWnd tree, KTreeItem item) {
  ::SetFocus(ToWin(tree));
  return FromWin(SendForHandle<HWND>(tree, TVM_EDITLABELW, 0, NodeParam(item)));
}

KWnd KWin32Platform::TreeGetEditControl(KWnd tree) {
  return FromWin(SendForHandle<HWND>(tree, TVM_GETEDITCONTROL));
}

void KWin32Platform::TreeEndEditLabelNow(KWnd tree, bool cancel) { Send(tree, TVM_ENDEDITLABELNOW, cancel); }

KImageList KWin32Platform::TreeCreateDragImage(KWnd tree, KTreeItem item) {
  return FromWin(SendForHandle<HIMAGELIST>(tree, TVM_CREATEDRAGIMAGE, 0, NodeParam(item)));
}

// ---- Scrolling

int32_t KWin32Platform::GetScrollPos(KWnd window, int32_t bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  return ::GetScrollInfo(ToWin(window), bar, &info) ? info.nPos : 0;
}

// The largest position leaves a page in view.
int32_t KWin32Platform::GetScrollLimit(KWnd window, int32_t bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  if (!::GetScrollInfo(ToWin(window), bar, &info)) return 0;
  const int page = std::max(static_cast<int>(info.nPage) - 1, 0);
  return std::max(info.nMax - page, info.nMin);
}

void KWin32Platform::Scroll(KWnd window, int32_t bar, uint32_t request) {
  Send(window, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(request, 0));
}

// ---- Image lists and the drag image

KImageList KWin32Platform::LoadImageList(uint32_t bitmapId, int32_t width, uint32_t transparent) {
  return FromWin(::ImageList_LoadImageW(ResourceModule(), MAKEINTRESOURCEW(bitmapId), width, 1, transparent,
                                        IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

int32_t KWin32Platform::ImageCount(KImageList images) { return ::ImageList_GetImageCount(ToWin(images)); }

void KWin32Platform::DestroyImageList(KImageList images) { ::ImageList_Destroy(ToWin(images)); }

bool KWin32Platform::DragImageBegin(KImageList images, int32_t index, KPoint hotSpot) {
  return ::ImageList_BeginDrag(ToWin(images), index, hotSpot.x, hotSpot.y) != FALSE;
}

bool KWin32Platform::DragImageEnter(KWnd lockWindow, KPoint point) {
  return ::ImageList_DragEnter(ToWin(lockWindow), point.x, point.y) != FALSE;
}

bool KWin32Platform::DragImageMove(KPoint point) { return ::ImageList_DragMove(point.x, point.y) != FALSE; }

bool KWin32Platform::DragImageShow(bool show) { return ::ImageList_DragShowNolock(show) != FALSE; }

bool KWin32Platform::DragImageLeave(KWnd lockWindow) {
  return ::ImageList_DragLeave(ToWin(lockWindow)) != FALSE;
}

void KWin32Platform::DragImageEnd() { ::ImageList_EndDrag(); }

// ---- Menus

KMenu KWin32Platform::LoadMenuResource(uint32_t menuId) {
  return FromWin(::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(menuId)));
}

KMenu KWin32Platform::GetSubMenu(KMenu menu, int32_t position) {
  return FromWin(::GetSubMenu(ToWin(menu), position));
}

void KWin32Platform::DestroyMenu(KMenu menu) { ::DestroyMenu(ToWin(menu)); }

void KWin32Platform::EnableMenuItem(KMenu menu, uint32_t command, bool enable) {
  ::EnableMenuItem(ToWin(menu), command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void KWin32Platform::CheckMenuItem(KMenu menu, uint32_t command, bool check) {
  ::CheckMenuItem(ToWin(menu), command, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

// The menu needs a window to report to; without an owner the active window serves.
uint32_t KWin32Platform::TrackPopupMenu(KMenu popup, KPoint screenPoint, KWnd owner) {
  const HWND window = owner ? ToWin(owner) : ::GetActiveWindow();
  const UINT flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
  const int command = ::TrackPopupMenu(ToWin(popup), flags, screenPoint.x, screenPoint.y, 0, window, nullptr);
  return static_cast<uint32_t>(command);
}

// ---- Message boxes and help

int32_t KWin32Platform::ShowMessageBox(KWnd owner, std::u16string_view text, std::u16string_view caption,
                                       uint32_t type) {
  const KWideZ title(caption);
  const wchar_t* shownTitle = caption.empty() ? nullptr : static_cast<const wchar_t*>(title);
  return ::MessageBoxW(ToWin(owner), KWideZ(text), shownTitle, type);
}

void KWin32Platform::RequestHelp(KWnd window, uint32_t command, uintptr_t data) {
  ::WinHelpW(ToWin(window), HelpFile().c_str(), command, data);
}

// ---- Timers and clock

uintptr_t KWin32Platform::SetTimer(KWnd window, uintptr_t timerId, uint32_t interval, KTimerProc callback) {
  return Router().SetTimer(ToWin(window), timerId, interval, callback);
}

bool KWin32Platform::KillTimer(KWnd window, uintptr_t timerId) {
  return Router().KillTimer(ToWin(window), timerId);
}

uint32_t KWin32Platform::TickCount() { return ::GetTickCount(); }

void KWin32Platform::Pause(uint32_t milliseconds) { ::Sleep(milliseconds); }

// ---- Cursor, mouse capture, keyboard

KCursor KWin32Platform::LoadResourceCursor(uint32_t cursorId) {
  return FromWin(::LoadCursorW(ResourceModule(), MAKEINTRESOURCEW(cursorId)));
}

KCursor KWin32Platform::StandardCursor(KStdCursor cursor) {
  return FromWin(::LoadCursorW(nullptr, MAKEINTRESOURCEW(static_cast<uint32_t>(cursor))));
}

KCursor KWin32Platform::SetCursor(KCursor cursor) { return FromWin(::SetCursor(ToWin(cursor))); }

KPoint KWin32Platform::GetCursorPos() {
  POINT point{};
  ::GetCursorPos(&point);
  return FromWin(point);
}

KWnd KWin32Platform::SetCapture(KWnd window) { return FromWin(::SetCapture(ToWin(window))); }

void KWin32Platform::ReleaseCapture() { ::ReleaseCapture(); }

KWnd KWin32Platform::GetCapture() { return FromWin(::GetCapture()); }

int16_t KWin32Platform::GetKeyState(uint32_t virtualKey) {
  return ::GetKeyState(static_cast<int>(virtualKey));
}

// ---- Screen

BOOL CALLBACK KWin32Platform::AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoW(monitor, &info)) {
    const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(
        {monitor, {FromWin(info.rcMonitor), FromWin(info.rcWork), primary}});
  }
  return TRUE;
}

std::vector<KWin32Platform::Monitor> KWin32Platform::Monitors() const {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, Address(&monitors));
  return monitors;
}

int32_t KWin32Platform::MonitorIndex(HMONITOR monitor) const {
  const std::vector<Monitor> monitors = Monitors();
  const auto found = std::find_if(monitors.begin(), monitors.end(),
                                  [monitor](const Monitor& m) { return m.handle == monitor; });
  return found == monitors.end() ? 0 : static_cast<int32_t>(found - monitors.begin());
}

// The whole primary screen when the work area cannot be read.
KRect KWin32Platform::PrimaryWorkArea() {
  RECT area{};
  if (::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return FromWin(area);
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<KMonitorInfo> KWin32Platform::EnumMonitors() {
  std::vector<KMonitorInfo> infos;
  for (const Monitor& monitor : Monitors()) infos.push_back(monitor.info);
  return infos;
}

int32_t KWin32Platform::MonitorFromRect(const KRect& rect) {
  const RECT area = ToWin(rect);
  return MonitorIndex(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

int32_t KWin32Platform::MonitorFromPoint(KPoint point) {
  return MonitorIndex(::MonitorFromPoint(ToWin(point), MONITOR_DEFAULTTONEAREST));
}

int32_t KWin32Platform::GetSystemMetrics(int32_t index) { return ::GetSystemMetrics(index); }

// ---- Profile files

std::u16string KWin32Platform::ReadProfileValue(std::u16string_view path, std::u16string_view section,
                                                std::u16string_view key, std::u16string_view fallback,
                                                uint32_t maxLength) {
  if (maxLength == 0) return {};
  std::u16string value(maxLength, u'\0');
  const DWORD length = ::GetPrivateProfileStringW(KWideZ(section), KWideZ(key), KWideZ(fallback),
                                                  AsWide(value.data()), maxLength, KWideZ(path));
  value.resize(length);
  return value;
}

bool KWin32Platform::WriteProfileValue(std::u16string_view path, std::u16string_view section,
                                       std::u16string_view key, std::u16string_view value) {
  return ::WritePrivateProfileStringW(KWideZ(section), KWideZ(key), KWideZ(value), KWideZ(path)) != FALSE;
}
