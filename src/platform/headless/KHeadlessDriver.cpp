// The user's side of the headless platform: input as the dialog manager and the controls handle it.
#include "platform/headless/KHeadlessDriver.h"

#include <cstdlib>

namespace {

uint32_t ButtonType(const KHeadlessWindow* window) {
  return window->className == KCLASS_BUTTON ? window->style & BS_TYPEMASK : 0xFFFF;
}

bool IsPushButton(const KHeadlessWindow* window) {
  const uint32_t type = ButtonType(window);
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool TakesInput(const KHeadlessWindow* window) {
  for (; window; window = window->parent) {
    if (!(window->style & WS_VISIBLE) || (window->style & WS_DISABLED)) return false;
  }
  return true;
}

// Group boxes and plain labels let the mouse through to what lies below them, as Win32's hit testing does.
bool IsMouseTransparent(const KHeadlessWindow* window) {
  if (ButtonType(window) == BS_GROUPBOX) return true;
  return window->className == KCLASS_STATIC && !(window->style & SS_NOTIFY);
}

}  // namespace

KHeadlessDriver::KHeadlessDriver() : platform_(HeadlessPlatform()) { platform_.Reset(); }

void KHeadlessDriver::OnNextDialog(std::function<void(KWnd dialog)> script) {
  platform_.dialogScripts.push_back(std::move(script));
}

void KHeadlessDriver::AnswerMessageBox(int32_t answer) { platform_.messageBoxAnswers.push_back(answer); }

void KHeadlessDriver::AnswerMenu(uint32_t command) { platform_.menuAnswers.push_back(command); }

KWnd KHeadlessDriver::CreateOwnerWindow(const KRect& rect) {
  return platform_.CreateTopLevel(rect, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
}

// ---- Reading back

KWnd KHeadlessDriver::Control(int32_t id) const { return platform_.GetDlgItem(Dialog(), id); }

std::u16string KHeadlessDriver::Text(int32_t id) const { return platform_.GetText(Control(id)); }

uint32_t KHeadlessDriver::Check(int32_t id) const { return platform_.GetCheck(Control(id)); }

bool KHeadlessDriver::IsEnabled(int32_t id) const {
  return Control(id) && platform_.IsWindowEnabled(Control(id));
}

bool KHeadlessDriver::IsVisible(int32_t id) const { return (platform_.GetStyle(Control(id)) & WS_VISIBLE) != 0; }

std::u16string KHeadlessDriver::TreeOutline(int32_t treeId) const {
  std::u16string outline;
  const KWnd tree = Control(treeId);
  auto add = [&](const auto& self, KTreeItem item, size_t depth) -> void {
    for (; item; item = platform_.TreeGetNextItem(tree, item, TVGN_NEXT)) {
      outline += std::u16string(2 * depth, u' ') + platform_.TreeGetText(tree, item) + u"\n";
      self(self, platform_.TreeGetNextItem(tree, item, TVGN_CHILD), depth + 1);
    }
  };
  add(add, platform_.TreeGetNextItem(tree, nullptr, TVGN_ROOT), 0);
  return outline;
}

KTreeItem KHeadlessDriver::FindTreeItem(int32_t treeId, std::u16string_view text) const {
  const KWnd tree = Control(treeId);
  auto find = [&](const auto& self, KTreeItem item) -> KTreeItem {
    for (; item; item = platform_.TreeGetNextItem(tree, item, TVGN_NEXT)) {
      if (platform_.TreeGetText(tree, item) == text) return item;
      if (KTreeItem inner = self(self, platform_.TreeGetNextItem(tree, item, TVGN_CHILD))) return inner;
    }
    return nullptr;
  };
  return find(find, platform_.TreeGetNextItem(tree, nullptr, TVGN_ROOT));
}

KPoint KHeadlessDriver::TreeItemPoint(int32_t treeId, KTreeItem item) const {
  KRect label;
  const KWnd tree = Control(treeId);
  if (!platform_.TreeGetItemRect(tree, item, true, label)) return {};
  return platform_.ClientToScreen(tree, {(label.left + label.right) / 2, (label.top + label.bottom) / 2});
}

// ---- Buttons and edits

KHeadlessWindow* KHeadlessDriver::Live(int32_t id) const {
  KHeadlessWindow* window = platform_.Window(Control(id));
  if (window && TakesInput(window)) return window;
  platform_.problems.push_back("control " + std::to_string(id) + (window ? " cannot take input" : " is missing"));
  return nullptr;
}

void KHeadlessDriver::ClickWindow(KHeadlessWindow* button) {
  switch (ButtonType(button)) {
    case BS_AUTOCHECKBOX:
      button->check = button->check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
      break;
    case BS_AUTO3STATE:
      button->check = (button->check + 1) % 3;
      break;
    case BS_AUTORADIOBUTTON:
      // Checks this one and unchecks the other auto radio buttons of its group.
      for (KWnd other = button->Handle();;) {
        other = platform_.GetNextDlgGroupItem(Dialog(), other, false);
        KHeadlessWindow* w = platform_.Window(other);
        if (!w || w == button) break;
        if (ButtonType(w) == BS_AUTORADIOBUTTON) w->check = BST_UNCHECKED;
      }
      button->check = BST_CHECKED;
      break;
    default:
      break;
  }
  platform_.SendCommand(button, BN_CLICKED);
}

bool KHeadlessDriver::Click(int32_t id) {
  KHeadlessWindow* button = Live(id);
  if (!button || button->className != KCLASS_BUTTON) return false;
  platform_.NextDlgCtl(Dialog(), button->Handle());  // a button takes the focus when it is clicked
  ClickWindow(button);
  Finish();
  return true;
}

bool KHeadlessDriver::SetCheck(int32_t id, uint32_t state) {
  for (int clicks = 0; clicks < 3; ++clicks) {
    if (Check(id) == state) return true;
    if (!Click(id)) return false;
  }
  return Check(id) == state;
}

bool KHeadlessDriver::Type(std::u16string_view text) {
  KHeadlessWindow* edit = platform_.Window(platform_.GetFocus());
  if (!edit || edit->className != KCLASS_EDIT || (edit->style & ES_READONLY) || !TakesInput(edit)) {
    platform_.problems.push_back("typing without a focused, writable edit");
    return false;
  }
  for (char16_t c : text) {
    if (c == u'\n' && !(edit->style & ES_MULTILINE)) continue;  // a single-line edit takes no line break
    platform_.ReplaceSelection(edit->Handle(), c == u'\n' ? u"\r\n" : std::u16string_view(&c, 1), true);
    Finish();
  }
  return true;
}

bool KHeadlessDriver::TypeInto(int32_t id, std::u16string_view text) {
  KHeadlessWindow* edit = Live(id);
  if (!edit) return false;
  platform_.SetFocus(edit->Handle());
  return Type(text);
}

bool KHeadlessDriver::ReplaceText(int32_t id, std::u16string_view text) {
  KHeadlessWindow* edit = Live(id);
  if (!edit || edit->className != KCLASS_EDIT || (edit->style & ES_READONLY)) return false;
  platform_.SetFocus(edit->Handle());
  platform_.SetSelection(edit->Handle(), {0, -1});
  if (!edit->text.empty()) platform_.ReplaceSelection(edit->Handle(), u"", true);
  Finish();
  return Type(text);
}

// ---- Trees

bool KHeadlessDriver::SelectTreeItem(int32_t treeId, KTreeItem item) {
  KHeadlessWindow* tree = Live(treeId);
  KHeadlessTree::Item* node = tree && tree->tree ? tree->tree->Find(item) : nullptr;
  if (!node) return false;
  platform_.SetFocus(tree->Handle());
  const bool selected = platform_.SelectTreeItem(tree, node, TVC_BYMOUSE);
  Finish();
  return selected;
}

KWnd KHeadlessDriver::BeginRename(int32_t treeId, KTreeItem item) {
  KHeadlessWindow* tree = Live(treeId);
  if (!tree) return nullptr;
  const KWnd edit = platform_.TreeEditLabel(tree->Handle(), item);
  Finish();
  return edit;
}

// ---- Lists, pickers, sliders

bool KHeadlessDriver::SelectListItem(int32_t id, int32_t index) {
  KHeadlessWindow* list = Live(id);
  if (!list || !platform_.ListWindow(list->Handle())) return false;
  if (index < 0 || index >= platform_.ListCount(list->Handle())) return false;  // a click below the items
  platform_.SetFocus(list->Handle());
  platform_.ListSetCurSel(list->Handle(), index);
  platform_.SendCommand(list, list->className == KCLASS_COMBOBOX ? CBN_SELCHANGE : LBN_SELCHANGE);
  Finish();
  return true;
}

bool KHeadlessDriver::TypeComboText(int32_t id, std::u16string_view text) {
  KHeadlessWindow* combo = Live(id);
  if (!combo || combo->className != KCLASS_COMBOBOX || (combo->style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST) {
    platform_.problems.push_back("typing without an editable combo box");
    return false;
  }
  platform_.SetFocus(combo->Handle());
  platform_.ListSetCurSel(combo->Handle(), -1);
  platform_.SetText(combo->Handle(), text);
  platform_.SendCommand(combo, CBN_EDITCHANGE);
  Finish();
  return true;
}

bool KHeadlessDriver::SetDateTime(int32_t id, const KSystemTime* time) {
  KHeadlessWindow* picker = Live(id);
  if (!picker || !platform_.DateTimeSet(picker->Handle(), time)) return false;
  KSystemTime shown;
  KNotify notify;
  notify.code = DTN_DATETIMECHANGE;
  notify.record = platform_.DateTimeGet(picker->Handle(), shown) ? &shown : nullptr;
  platform_.NotifyParent(picker, notify);
  Finish();
  return true;
}

bool KHeadlessDriver::MoveSlider(int32_t id, int32_t position) {
  KHeadlessWindow* slider = Live(id);
  if (!slider || !platform_.SliderWindow(slider->Handle())) return false;
  platform_.SetFocus(slider->Handle());
  platform_.SliderSetPos(slider->Handle(), position, true);
  Finish();
  return true;
}

// ---- Keys

void KHeadlessDriver::PressKey(uint32_t virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void KHeadlessDriver::KeyDown(uint32_t virtualKey) {
  platform_.SetKeyDown(virtualKey, true);
  const KHeadlessWindow* dialog = platform_.Window(Dialog());
  KHeadlessWindow* focus = platform_.Window(platform_.GetFocus());
  if (dialog && dialog->sink && dialog->sink->PreTranslateKey(platform_.GetFocus(), virtualKey)) {
    Finish();
    return;
  }
  // A control that holds the mouse capture is dragging and wants every key (DLGC_WANTALLKEYS), Escape too.
  const bool wantsAllKeys = focus && platform_.GetCapture() == focus->Handle();
  if (dialog && (wantsAllKeys || !DialogManagerKey(virtualKey)) && focus) ControlKey(focus, virtualKey);
  Finish();
}

// A key-up has no default processing of its own here; the control hears of it after that.
void KHeadlessDriver::KeyUp(uint32_t virtualKey) {
  platform_.SetKeyDown(virtualKey, false);
  KHeadlessWindow* focus = platform_.Window(platform_.GetFocus());
  if (focus && focus->sink && !focus->sink->OnKeyUp(virtualKey) && focus->parent) {
    focus->sink->AfterKeyUp(virtualKey);
  }
  Finish();
}

bool KHeadlessDriver::DialogManagerKey(uint32_t virtualKey) {
  const KWnd dialog = Dialog();
  KHeadlessWindow* dialogWindow = platform_.Window(dialog);
  KHeadlessWindow* focus = platform_.Window(platform_.GetFocus());
  const bool focusIsButton = focus && focus->className == KCLASS_BUTTON;
  switch (virtualKey) {
    case VK_TAB: {
      const bool back = platform_.GetKeyState(VK_SHIFT) < 0;
      KWnd next = platform_.GetNextDlgTabItem(dialog, focus ? focus->Handle() : nullptr, back);
      // Tabbing into a group of radio buttons lands on the checked one.
      for (KWnd member = next; ButtonType(platform_.Window(next)) == BS_AUTORADIOBUTTON;) {
        member = platform_.GetNextDlgGroupItem(dialog, member, false);
        if (member == next || !member) break;
        if (platform_.GetCheck(member) == BST_CHECKED) next = member;
      }
      if (next) platform_.NextDlgCtl(dialog, next);
      return true;
    }
    case VK_RETURN: {
      if (focus && (focus->style & ES_MULTILINE) && (focus->style & ES_WANTRETURN)) return false;
      // Enter sends the button's command; neither the focus nor the button changes.
      if (focus && IsPushButton(focus) && TakesInput(focus)) {
        platform_.SendCommand(focus, BN_CLICKED);
        return true;
      }
      const int32_t defaultId = platform_.GetDefaultId(dialog);
      KHeadlessWindow* button = platform_.Window(platform_.GetDlgItem(dialog, defaultId));
      if (button && TakesInput(button)) {
        platform_.SendCommand(button, BN_CLICKED);
      } else if (!defaultId && dialogWindow->sink) {
        dialogWindow->sink->OnCommand(IDOK, BN_CLICKED, nullptr);
      }
      return true;
    }
    case VK_ESCAPE:
      if (dialogWindow->sink) dialogWindow->sink->OnCommand(IDCANCEL, BN_CLICKED, platform_.GetDlgItem(dialog, IDCANCEL));
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      if (!focusIsButton) return false;
      const bool back = virtualKey == VK_LEFT || virtualKey == VK_UP;
      KHeadlessWindow* next = platform_.Window(platform_.GetNextDlgGroupItem(dialog, focus->Handle(), back));
      if (!next || next == focus) return true;
      platform_.NextDlgCtl(dialog, next->Handle());
      if (ButtonType(next) == BS_AUTORADIOBUTTON) ClickWindow(next);
      return true;
    }
    default:
      return false;
  }
}

// What a control does with a key that neither the dialog nor the dialog manager took.
void KHeadlessDriver::ControlKey(KHeadlessWindow* window, uint32_t virtualKey) {
  if (window->sink && window->sink->OnKeyDown(virtualKey)) return;
  KHeadlessWindow* dialog = platform_.Window(Dialog());
  if (virtualKey == VK_F1) {
    KHelpInfo info{HELPINFO_WINDOW, window->id, window->Handle(), 0, platform_.GetCursorPos()};
    if (dialog->sink) dialog->sink->OnHelp(info);
    return;
  }
  if (window->className == KCLASS_BUTTON && virtualKey == VK_SPACE) {
    ClickWindow(window);
  } else if (window->tree) {
    KNotify notify;
    notify.code = TVN_KEYDOWN;
    notify.key = virtualKey;
    platform_.NotifyParent(window, notify);
    KHeadlessTree& tree = *window->tree;
    const std::vector<KHeadlessTree::Item*> rows = tree.Rows();
    const int32_t row = tree.selected ? tree.RowOf(tree.selected) : -1;
    int32_t target = row;
    if (virtualKey == VK_DOWN) target = row + 1;
    if (virtualKey == VK_UP) target = row > 0 ? row - 1 : 0;
    if (virtualKey == VK_HOME) target = 0;
    if (virtualKey == VK_END) target = static_cast<int32_t>(rows.size()) - 1;
    if (target != row && target >= 0 && target < static_cast<int32_t>(rows.size())) {
      platform_.SelectTreeItem(window, rows[target], TVC_BYKEYBOARD);
    }
  } else if (window->className == KCLASS_EDIT && !(window->style & ES_READONLY)) {
    KTextRange range = window->selection;
    if (range.start == range.end && virtualKey == VK_BACK && range.start > 0) --range.start;
    if (range.start == range.end && virtualKey == VK_DELETE) ++range.end;
    if (virtualKey == VK_RETURN) {
      platform_.ReplaceSelection(window->Handle(), u"\r\n", true);
    } else if ((virtualKey == VK_BACK || virtualKey == VK_DELETE) &&
               static_cast<size_t>(range.end) <= window->text.size() && range.start != range.end) {
      platform_.SetSelection(window->Handle(), range);
      platform_.ReplaceSelection(window->Handle(), u"", true);
    }
  }
}

// ---- Mouse

uint32_t KHeadlessDriver::KeyFlags() const {
  return (platform_.GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0) |
         (platform_.GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (buttonDown_ ? MK_LBUTTON : 0);
}

KHeadlessWindow* KHeadlessDriver::MouseTarget(KPoint screen) const {
  if (KHeadlessWindow* capture = platform_.Window(platform_.GetCapture())) return capture;
  KHeadlessWindow* window = platform_.Window(Dialog());
  if (!window || !platform_.GetWindowRect(window->Handle()).Contains(screen)) return nullptr;
  for (bool deeper = true; deeper;) {
    deeper = false;
    for (const auto& child : window->children) {
      if ((child->style & WS_VISIBLE) && !IsMouseTransparent(child.get()) &&
          platform_.GetWindowRect(child->Handle()).Contains(screen)) {
        window = child.get();
        deeper = true;
        break;
      }
    }
  }
  return TakesInput(window) ? window : nullptr;
}

void KHeadlessDriver::MouseMove(KPoint screen) {
  platform_.SetCursorPos(screen);
  KHeadlessWindow* target = MouseTarget(screen);
  if (!target) return;
  const KPoint point = platform_.ScreenToClient(target->Handle(), screen);
  if (target->sink && target->sink->OnMouseMove(KeyFlags(), point)) {
    Finish();
    return;
  }
  // A tree starts dragging a pressed node once the mouse moves beyond the drag distance.
  const bool beyond = std::abs(screen.x - downPoint_.x) > platform_.GetSystemMetrics(SM_CXDRAG) ||
                      std::abs(screen.y - downPoint_.y) > platform_.GetSystemMetrics(SM_CYDRAG);
  if (target->tree && buttonDown_ && pendingDragItem_ && beyond && target->tree->Find(pendingDragItem_)) {
    KNotify notify;
    notify.code = TVN_BEGINDRAGW;
    notify.item = pendingDragItem_;
    notify.point = platform_.ScreenToClient(target->Handle(), downPoint_);
    pendingDragItem_ = nullptr;
    platform_.NotifyParent(target, notify);
  }
  Finish();
}

void KHeadlessDriver::MouseDown(KPoint screen) {
  platform_.SetCursorPos(screen);
  buttonDown_ = true;
  downPoint_ = screen;
  pendingDragItem_ = nullptr;
  platform_.SetKeyDown(VK_LBUTTON, true);
  KHeadlessWindow* target = MouseTarget(screen);
  pressed_ = target ? target->Handle() : nullptr;
  if (!target) return;
  if (target->parent) platform_.SetFocus(target->Handle());
  const KPoint point = platform_.ScreenToClient(target->Handle(), screen);
  if (!(target->sink && target->sink->OnLButtonDown(KeyFlags(), point)) && target->tree) {
    uint32_t flags = 0;
    KHeadlessTree::Item* item = target->tree->HitTest(point, flags);
    if (item && (flags & TVHT_ONITEMBUTTON)) {
      target->tree->SetExpanded(item, !item->expanded);
    } else if (item && (flags & TVHT_ONITEM)) {
      pendingDragItem_ = KHeadlessTree::Handle(item);
    }
  }
  Finish();
}

void KHeadlessDriver::MouseUp(KPoint screen) {
  platform_.SetCursorPos(screen);
  buttonDown_ = false;
  platform_.SetKeyDown(VK_LBUTTON, false);
  KHeadlessWindow* target = MouseTarget(screen);
  const KTreeItem pending = pendingDragItem_;
  pendingDragItem_ = nullptr;
  if (!target) return;
  const KPoint point = platform_.ScreenToClient(target->Handle(), screen);
  if (!(target->sink && target->sink->OnLButtonUp(KeyFlags(), point))) {
    KHeadlessTree::Item* node = target->tree && pending ? target->tree->Find(pending) : nullptr;
    if (node) {
      platform_.SelectTreeItem(target, node, TVC_BYMOUSE);
    } else if (target->className == KCLASS_BUTTON && target->Handle() == pressed_) {
      ClickWindow(target);
    }
    if (platform_.Window(target->Handle()) && target->sink && target->parent) {
      target->sink->AfterLButtonUp(KeyFlags(), point);
    }
  }
  pressed_ = nullptr;
  Finish();
}

void KHeadlessDriver::CancelMode() {
  KHeadlessWindow* capture = platform_.Window(platform_.GetCapture());
  if (capture && capture->sink) capture->sink->OnCancelMode();
  Finish();
}

// ---- The dialog's frame and requests

void KHeadlessDriver::PressHelpButton() {
  KHeadlessWindow* dialog = platform_.Window(Dialog());
  if (!dialog || !dialog->sink) return;
  const KRect frame = platform_.GetWindowRect(dialog->Handle());
  const KPoint button{frame.right - 40, frame.top + 10};
  dialog->sink->OnNcLButtonDown(HTHELP, button);
  Finish();
  if (platform_.Window(dialog->Handle()) && dialog->sink) dialog->sink->OnNcLButtonUp(HTHELP, button);
  Finish();
}

KRect KHeadlessDriver::DragFrame(uint32_t edge, KRect rect) {
  KHeadlessWindow* dialog = platform_.Window(Dialog());
  if (!dialog) return {};
  if (dialog->sink) dialog->sink->OnSizing(edge, rect);
  if (dialog->style & WS_THICKFRAME) platform_.MoveWindow(dialog->Handle(), rect);
  Finish();
  return platform_.GetWindowRect(dialog->Handle());
}

void KHeadlessDriver::EndSession(bool ending) {
  if (KHeadlessWindow* dialog = platform_.Window(Dialog()); dialog && dialog->sink) dialog->sink->OnEndSession(ending);
  Finish();
}

std::optional<KCtlColor> KHeadlessDriver::ColorOf(int32_t id) {
  KHeadlessWindow* control = platform_.Window(Control(id));
  KHeadlessWindow* dialog = platform_.Window(Dialog());
  if (!control || !dialog || !dialog->sink) return std::nullopt;
  // Win32 asks with the static kind for read-only and disabled edits, and for labels and check boxes.
  uint32_t kind = CTLCOLOR_STATIC;
  if (control->className == KCLASS_EDIT && !(control->style & (ES_READONLY | WS_DISABLED))) kind = CTLCOLOR_EDIT;
  if (IsPushButton(control)) kind = CTLCOLOR_BTN;
  KCtlColor colors;
  if (!dialog->sink->OnCtlColor(control->Handle(), kind, colors)) return std::nullopt;
  return colors;
}

std::optional<std::u16string> KHeadlessDriver::ToolTip(int32_t id) {
  KHeadlessWindow* dialog = platform_.Window(Dialog());
  if (!dialog || !dialog->toolTips || !dialog->sink) return std::nullopt;
  KToolTip tip;
  if (!dialog->sink->OnToolTipText(static_cast<uint32_t>(id), false, tip) || tip.text.empty()) return std::nullopt;
  return tip.text.substr(0, KTOOLTIP_BUFFER - 1);  // what the request's own buffer holds
}
