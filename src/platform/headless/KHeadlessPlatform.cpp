// The in-memory window system: windows, dialogs, controls, tree views, timers, screen and scripts.
#include "platform/headless/KHeadlessPlatform.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "platform/headless/KIniFile.h"
#include "support/KResourceSource.h"
#include "support/KResourceTable.h"

namespace {

constexpr int32_t kBaseUnitX = 6;
constexpr int32_t kBaseUnitY = 13;
constexpr int32_t kCaption = 22;
constexpr int32_t kFixedFrame = 3;
constexpr int32_t kSizingFrame = 4;
constexpr uint32_t kMinimumTimer = 10;
constexpr uint32_t kClockStart = 1000;
constexpr char16_t kDialogClass[] = u"#32770";

// Multiplies and divides rounding half away from zero, as Win32's MulDiv.
int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
  const int64_t product = int64_t{number} * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

bool IsButtonType(const KHeadlessWindow* window, std::initializer_list<uint32_t> types) {
  if (window->className != KCLASS_BUTTON) return false;
  const uint32_t type = window->style & BS_TYPEMASK;
  return std::find(types.begin(), types.end(), type) != types.end();
}

bool IsPushButton(const KHeadlessWindow* window) {
  return IsButtonType(window, {BS_PUSHBUTTON, BS_DEFPUSHBUTTON});
}

bool CanTakeInput(const KHeadlessWindow* window) {
  return (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED);
}

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

const KResourceTable* Tables() { return ResourceSource().Tables(); }

// Upper case as the window system compares list items and class names: ASCII and Latin-1 letters.
char16_t FoldCase(char16_t c) {
  const bool lower = (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
  return lower ? static_cast<char16_t>(c - 0x20) : c;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return FoldCase(a[i]) < FoldCase(b[i]) ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// Templates may spell a class in any case ("LISTBOX"); the window keeps the class's own spelling.
std::u16string ClassSpelling(std::u16string_view name) {
  for (const char16_t* known : {KCLASS_BUTTON, KCLASS_EDIT, KCLASS_STATIC, KCLASS_LISTBOX, KCLASS_COMBOBOX,
                                KCLASS_TREEVIEW, KCLASS_DATETIMEPICK, KCLASS_TRACKBAR}) {
    if (CompareNoCase(name, known) == 0) return known;
  }
  return std::u16string(name);
}

bool IsDropDownList(const KHeadlessWindow* window) {
  return window->className == KCLASS_COMBOBOX && (window->style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
  static constexpr int32_t days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// A date and time that a picker accepts: a real calendar day from 1601 on and a real time of day.
bool IsValidTime(const KSystemTime& time) {
  if (time.year < 1601 || time.year > 30827 || time.month < 1 || time.month > 12) return false;
  return time.day >= 1 && time.day <= DaysInMonth(time.year, time.month) && time.hour < 24 && time.minute < 60 &&
         time.second < 60 && time.milliseconds < 1000;
}

// 0 for Sunday (Sakamoto's method).
uint16_t DayOfWeek(const KSystemTime& time) {
  static constexpr int32_t offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int32_t year = time.month < 3 ? time.year - 1 : time.year;
  return static_cast<uint16_t>((year + year / 4 - year / 100 + year / 400 + offsets[time.month - 1] + time.day) % 7);
}

// Width and height of a .bmp file's bitmap (BITMAPFILEHEADER, then BITMAPINFOHEADER).
bool BitmapSize(std::span<const unsigned char> bytes, int32_t& width, int32_t& height) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const auto read32 = [&](size_t at) {
    return static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                (uint32_t{bytes[at + 3]} << 24));
  };
  width = read32(18);
  height = std::abs(read32(22));
  return true;
}

int64_t Distance(const KRect& a, const KRect& b) {
  const int64_t dx = std::max({int64_t{0}, int64_t{a.left} - b.right, int64_t{b.left} - a.right});
  const int64_t dy = std::max({int64_t{0}, int64_t{a.top} - b.bottom, int64_t{b.top} - a.bottom});
  return dx * dx + dy * dy;
}

int64_t OverlapArea(const KRect& a, const KRect& b) {
  const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

KHeadlessPlatform& HeadlessPlatform() {
  static KHeadlessPlatform platform;
  return platform;
}

KPlatform& Platform() { return HeadlessPlatform(); }

KHeadlessPlatform::KHeadlessPlatform() { Reset(); }

KHeadlessPlatform::~KHeadlessPlatform() = default;

void KHeadlessPlatform::Reset() {
  topLevel_.clear();
  live_.clear();
  modal_.clear();
  timers_.clear();
  posted_.clear();
  imageLists_.clear();
  menus_.clear();
  liveMenus_.clear();
  cursors_.clear();
  cursor_ = nullptr;
  cursorPos_ = {};
  focus_ = capture_ = active_ = nullptr;
  keysDown_.clear();
  primary_ = {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
  monitors_ = {primary_};
  drag_ = {};
  now_ = kClockStart;
  dialogScripts.clear();
  messageBoxAnswers.clear();
  menuAnswers.clear();
  shownMessageBoxes.clear();
  shownMenus.clear();
  helpRequests.clear();
  problems.clear();
}

// ---- Windows

KHeadlessWindow* KHeadlessPlatform::Window(KWnd window) const {
  const auto* raw = reinterpret_cast<const KHeadlessWindow*>(window);
  return live_.count(raw) ? const_cast<KHeadlessWindow*>(raw) : nullptr;
}

KWnd KHeadlessPlatform::ActiveDialog() const {
  for (auto it = modal_.rbegin(); it != modal_.rend(); ++it) {
    if (const KHeadlessWindow* dialog = Window(*it); dialog && !dialog->ended) return *it;
  }
  return nullptr;
}

KHeadlessWindow* KHeadlessPlatform::NewWindow(KHeadlessWindow* parent, std::u16string className, int32_t id,
                                              uint32_t style) {
  auto window = std::make_unique<KHeadlessWindow>();
  window->parent = parent;
  window->className = std::move(className);
  window->id = id;
  window->style = style;
  KHeadlessWindow* raw = window.get();
  (parent ? parent->children : topLevel_).push_back(std::move(window));
  live_.insert(raw);
  return raw;
}

KWnd KHeadlessPlatform::CreateTopLevel(const KRect& rect, uint32_t style) {
  KHeadlessWindow* window = NewWindow(nullptr, u"KHeadlessHost", 0, style | WS_VISIBLE);
  window->rect = rect;
  active_ = window->Handle();
  return window->Handle();
}

KRect KHeadlessPlatform::Insets(const KHeadlessWindow* window) const {
  int32_t frame = 0;
  int32_t caption = 0;
  if (window->parent) {
    frame = ((window->style & WS_BORDER) ? 1 : 0) + ((window->exStyle & WS_EX_CLIENTEDGE) ? 2 : 0) +
            ((window->exStyle & WS_EX_STATICEDGE) ? 1 : 0);
  } else {
    if (window->style & WS_THICKFRAME) {
      frame = kSizingFrame;
    } else if (window->style & (WS_DLGFRAME | WS_BORDER)) {
      frame = kFixedFrame;
    }
    if ((window->style & WS_CAPTION) == WS_CAPTION) caption = kCaption;
  }
  return {frame, frame + caption, frame, frame};
}

KPoint KHeadlessPlatform::ClientOrigin(const KHeadlessWindow* window) const {
  const KRect insets = Insets(window);
  KPoint origin{window->rect.left + insets.left, window->rect.top + insets.top};
  if (window->parent) {
    const KPoint parent = ClientOrigin(window->parent);
    origin.x += parent.x;
    origin.y += parent.y;
  }
  return origin;
}

KHeadlessWindow* KHeadlessPlatform::CreateDialogWindow(uint32_t templateId, KWnd owner, KWindowSink& sink) {
  const KResourceTable* tables = Tables();
  const KDialogTemplate* dialogTemplate = tables ? tables->FindDialog(templateId) : nullptr;
  if (!dialogTemplate) {
    problems.push_back("dialog template " + std::to_string(templateId) + " is not in the resources");
    return nullptr;
  }
  KHeadlessWindow* dialog = NewWindow(nullptr, kDialogClass, 0, dialogTemplate->style & ~WS_VISIBLE);
  dialog->exStyle = dialogTemplate->exStyle;
  if (dialog->style & DS_CONTEXTHELP) dialog->exStyle |= WS_EX_CONTEXTHELP;
  if (dialog->style & DS_MODALFRAME) dialog->exStyle |= WS_EX_DLGMODALFRAME;
  dialog->owner = Window(owner) ? owner : nullptr;
  dialog->isDialog = true;
  dialog->templateId = templateId;
  dialog->text = dialogTemplate->caption ? dialogTemplate->caption : u"";
  dialog->sink = &sink;
  const KRect client =
      MapDialogRect(nullptr, {dialogTemplate->x, dialogTemplate->y, dialogTemplate->x + dialogTemplate->cx,
                              dialogTemplate->y + dialogTemplate->cy});
  const KRect insets = Insets(dialog);
  KPoint origin = client.TopLeft();
  if (const KHeadlessWindow* ownerWindow = Window(dialog->owner)) {
    const KPoint ownerClient = ClientOrigin(ownerWindow);
    origin = {origin.x + ownerClient.x, origin.y + ownerClient.y};
  }
  dialog->rect = {origin.x, origin.y, origin.x + client.Width() + insets.left + insets.right,
                  origin.y + client.Height() + insets.top + insets.bottom};
  for (const KDialogControl& source : dialogTemplate->controls) {
    KHeadlessWindow* control =
        NewWindow(dialog, ClassSpelling(source.className), source.id, source.style | WS_CHILD);
    control->exStyle = source.exStyle;
    control->text = source.text ? source.text : u"";
    control->rect = MapDialogRect(nullptr, {source.x, source.y, source.x + source.cx, source.y + source.cy});
    if (control->className == KCLASS_TREEVIEW) {
      const KRect area = GetClientRect(control->Handle());
      control->tree = std::make_unique<KHeadlessTree>(control->style, area.Width(), area.Height());
    }
    if (control->className == KCLASS_DATETIMEPICK) control->dateTime = KSystemTime{2000, 1, 6, 1, 12, 0, 0, 0};
    if (!dialog->defaultId && IsButtonType(control, {BS_DEFPUSHBUTTON})) dialog->defaultId = control->id;
  }
  if (dialog->style & DS_CENTER) CenterWindow(dialog->Handle());
  return dialog;
}

KWnd KHeadlessPlatform::ModalOwner(KWnd owner) const {
  const KHeadlessWindow* window = Window(owner ? owner : active_);
  while (window && window->parent) window = window->parent;
  while (!owner && window && Window(window->owner)) window = Window(window->owner);
  return window ? window->Handle() : nullptr;
}

intptr_t KHeadlessPlatform::RunModalDialog(uint32_t templateId, KWnd owner, KWindowSink& sink) {
  KHeadlessWindow* dialog = CreateDialogWindow(templateId, ModalOwner(owner), sink);
  if (!dialog) return -1;
  const KWnd handle = dialog->Handle();
  const KWnd previousFocus = focus_;
  if (KHeadlessWindow* ownerWindow = Window(dialog->owner); ownerWindow && IsWindowEnabled(dialog->owner)) {
    ownerWindow->style |= WS_DISABLED;
    dialog->disabledOwner = dialog->owner;
  }
  modal_.push_back(handle);
  if (sink.OnInitDialog(handle) && !dialog->ended) NextDlgCtl(handle, GetNextDlgTabItem(handle, nullptr, false));
  if (!dialog->ended) {
    dialog->style |= WS_VISIBLE;
    active_ = handle;
    Pump();
  }
  if (Window(handle) && !dialog->ended) {
    if (dialogScripts.empty()) {
      problems.push_back("dialog " + std::to_string(templateId) + " opened without a script to run it");
    } else {
      const auto script = std::move(dialogScripts.front());
      dialogScripts.pop_front();
      script(handle);
    }
  }
  if (Window(handle) && !dialog->ended) {
    problems.push_back("the script of dialog " + std::to_string(templateId) + " left it open");
    dialog->result = -1;
  }
  CloseModal(dialog);  // a dialog that ended during an event is already gone; its record lasts until here
  const intptr_t result = dialog->result;
  modal_.erase(std::remove(modal_.begin(), modal_.end(), handle), modal_.end());
  Free(dialog);
  if (Window(previousFocus)) focus_ = previousFocus;
  return result;
}

void KHeadlessPlatform::CloseModal(KHeadlessWindow* dialog) {
  if (!live_.count(dialog)) return;
  if (KHeadlessWindow* owner = Window(dialog->disabledOwner)) owner->style &= ~WS_DISABLED;
  dialog->disabledOwner = nullptr;
  if (active_ == dialog->Handle()) active_ = Window(dialog->owner) ? dialog->owner : nullptr;
  Destroy(dialog);
}

void KHeadlessPlatform::SendDestroy(KHeadlessWindow* window) {
  if (window->sink) window->sink->OnDestroy();
  for (const auto& child : window->children) SendDestroy(child.get());
}

void KHeadlessPlatform::Forget(KHeadlessWindow* window) {
  for (const auto& child : window->children) Forget(child.get());
  const KWnd handle = window->Handle();
  if (focus_ == handle) focus_ = nullptr;
  if (capture_ == handle) capture_ = nullptr;
  if (active_ == handle) active_ = nullptr;
  if (drag_.lockWindow == handle) drag_.lockWindow = nullptr;
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == handle; }),
                timers_.end());
  live_.erase(window);
}

void KHeadlessPlatform::Destroy(KHeadlessWindow* window) {
  if (!live_.count(window)) return;
  const bool hadFocus = focus_ && [&] {
    for (const KHeadlessWindow* w = Window(focus_); w; w = w->parent) {
      if (w == window) return true;
    }
    return false;
  }();
  SendDestroy(window);
  Forget(window);
  if (hadFocus) focus_ = window->parent ? window->parent->Handle() : (Window(window->owner) ? window->owner : nullptr);
}

void KHeadlessPlatform::Free(KHeadlessWindow* window) {
  auto& siblings = window->parent ? window->parent->children : topLevel_;
  siblings.erase(std::remove_if(siblings.begin(), siblings.end(), [&](const auto& w) { return w.get() == window; }),
                 siblings.end());
}

void KHeadlessPlatform::EndDialog(KWnd dialog, intptr_t result) {
  KHeadlessWindow* window = Window(dialog);
  if (!window || !window->isDialog) return;
  window->ended = true;
  window->result = result;
  window->style &= ~WS_VISIBLE;
}

void KHeadlessPlatform::SetWindowSink(KWnd window, KWindowSink* sink) {
  if (KHeadlessWindow* w = Window(window)) w->sink = sink;
}

intptr_t KHeadlessPlatform::SendNotify(KNotify& notify) {
  const KHeadlessWindow* from = Window(notify.from);
  KHeadlessWindow* parent = from ? from->parent : nullptr;
  if (!parent || !parent->sink) return 0;
  return parent->sink->OnNotify(notify) ? notify.result : 0;
}

intptr_t KHeadlessPlatform::NotifyParent(KHeadlessWindow* control, KNotify& notify) {
  notify.from = control->Handle();
  notify.id = control->id;
  if (control->sink && control->sink->OnNotify(notify)) return notify.result;
  return SendNotify(notify);
}

void KHeadlessPlatform::SendCommand(KHeadlessWindow* control, uint32_t code) {
  KHeadlessWindow* parent = control->parent;
  // The label editor of a tree view talks to the tree, which keeps it to itself.
  if (!parent || !parent->sink || parent->tree) return;
  parent->sink->OnCommand(control->id, code, control->Handle());
}

void KHeadlessPlatform::PostCommand(KWnd window, int32_t id, uint32_t code) { posted_.push_back({window, id, code}); }

void KHeadlessPlatform::Pump() {
  while (!posted_.empty()) {
    const PostedCommand command = posted_.front();
    posted_.pop_front();
    if (KHeadlessWindow* window = Window(command.window); window && window->sink) {
      window->sink->OnCommand(command.id, command.code, nullptr);
    }
  }
  for (KWnd handle : modal_) {
    KHeadlessWindow* dialog = Window(handle);
    if (dialog && dialog->ended) CloseModal(dialog);
  }
}

KRect KHeadlessPlatform::MapDialogRect(KWnd, const KRect& units) {
  return {MulDiv(units.left, kBaseUnitX, 4), MulDiv(units.top, kBaseUnitY, 8), MulDiv(units.right, kBaseUnitX, 4),
          MulDiv(units.bottom, kBaseUnitY, 8)};
}

int32_t KHeadlessPlatform::GetDefaultId(KWnd dialog) {
  const KHeadlessWindow* window = Window(dialog);
  return window ? window->defaultId : 0;
}

void KHeadlessPlatform::SetDefaultId(KWnd dialog, int32_t id) {
  KHeadlessWindow* window = Window(dialog);
  if (!window) return;
  for (const auto& child : window->children) {
    if (!IsPushButton(child.get())) continue;
    child->style = (child->style & ~BS_TYPEMASK) | (child->id == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
  window->defaultId = id;
}

// The dialog manager answers WM_NEXTDLGCTL with 0 whether or not the focus moved.
intptr_t KHeadlessPlatform::NextDlgCtl(KWnd dialog, KWnd control) {
  KHeadlessWindow* target = Window(control);
  KHeadlessWindow* window = Window(dialog);
  if (!target || !window || target->parent != window) return 0;
  SetFocus(control);
  // The default button's look follows a focused push button and returns to the default id elsewhere.
  for (const auto& child : window->children) {
    if (!IsPushButton(child.get())) continue;
    const bool isDefault = IsPushButton(target) ? child.get() == target : child->id == window->defaultId;
    child->style = (child->style & ~BS_TYPEMASK) | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
  if (target->className == KCLASS_EDIT) target->selection = {0, static_cast<int32_t>(target->text.size())};
  return 0;
}

KWnd KHeadlessPlatform::GetNextDlgTabItem(KWnd dialog, KWnd control, bool previous) {
  const KHeadlessWindow* window = Window(dialog);
  if (!window || window->children.empty()) return nullptr;
  const auto& children = window->children;
  const auto count = static_cast<ptrdiff_t>(children.size());
  ptrdiff_t start = previous ? 0 : count - 1;  // with no control the search starts at either end
  for (ptrdiff_t i = 0; i < count; ++i) {
    if (children[i]->Handle() == control) start = i;
  }
  for (ptrdiff_t step = 1; step <= count; ++step) {
    const ptrdiff_t i = ((start + (previous ? -step : step)) % count + count) % count;
    const KHeadlessWindow* child = children[i].get();
    if ((child->style & WS_TABSTOP) && CanTakeInput(child)) return child->Handle();
  }
  return nullptr;
}

KWnd KHeadlessPlatform::GetNextDlgGroupItem(KWnd dialog, KWnd control, bool previous) {
  const KHeadlessWindow* window = Window(dialog);
  const KHeadlessWindow* from = Window(control);
  if (!window || !from || from->parent != window) return nullptr;
  const auto& children = window->children;
  const auto count = static_cast<ptrdiff_t>(children.size());
  ptrdiff_t at = 0;
  while (children[at].get() != from) ++at;
  ptrdiff_t first = at;  // the group runs from a WS_GROUP control to the next one
  while (first > 0 && !(children[first]->style & WS_GROUP)) --first;
  ptrdiff_t last = at + 1;
  while (last < count && !(children[last]->style & WS_GROUP)) ++last;
  const ptrdiff_t size = last - first;
  for (ptrdiff_t step = 1; step < size; ++step) {
    const ptrdiff_t i = first + ((at - first + (previous ? -step : step)) % size + size) % size;
    if (CanTakeInput(children[i].get())) return children[i]->Handle();
  }
  return control;
}

void KHeadlessPlatform::CenterWindow(KWnd window) {
  KHeadlessWindow* w = Window(window);
  if (!w) return;
  const KHeadlessWindow* owner = Window(w->parent ? w->parent->Handle() : w->owner);
  const KRect ownerRect = owner ? GetWindowRect(owner->Handle()) : KRect{};
  const int32_t monitor = owner ? MonitorFromRect(ownerRect) : MonitorFromRect(w->rect);
  const KRect area = monitors_.empty() ? primary_.workArea : monitors_[monitor].workArea;
  const KRect around = owner && !owner->parent && !(owner->style & WS_MINIMIZE) ? ownerRect : area;
  KRect rect = GetWindowRect(window);
  int32_t left = around.left + (around.Width() - rect.Width()) / 2;
  int32_t top = around.top + (around.Height() - rect.Height()) / 2;
  left = std::max(area.left, std::min(left, area.right - rect.Width()));
  top = std::max(area.top, std::min(top, area.bottom - rect.Height()));
  MoveWindow(window, {left, top, left + rect.Width(), top + rect.Height()});
}

void KHeadlessPlatform::EnableToolTips(KWnd dialog, bool enable) {
  if (KHeadlessWindow* w = Window(dialog)) w->toolTips = enable;
}

bool KHeadlessPlatform::IsWindow(KWnd window) { return Window(window) != nullptr; }

KWnd KHeadlessPlatform::GetParent(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return nullptr;
  return w->parent ? w->parent->Handle() : w->owner;
}

KWnd KHeadlessPlatform::GetDlgItem(KWnd dialog, int32_t id) {
  const KHeadlessWindow* w = Window(dialog);
  if (!w) return nullptr;
  for (const auto& child : w->children) {
    if (child->id == id) return child->Handle();
  }
  return nullptr;
}

int32_t KHeadlessPlatform::GetDlgCtrlId(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w ? w->id : 0;
}

KWnd KHeadlessPlatform::GetFirstChild(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w && !w->children.empty() ? w->children.front()->Handle() : nullptr;
}

KWnd KHeadlessPlatform::GetNextSibling(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w || !w->parent) return nullptr;
  const auto& siblings = w->parent->children;
  for (size_t i = 0; i + 1 < siblings.size(); ++i) {
    if (siblings[i].get() == w) return siblings[i + 1]->Handle();
  }
  return nullptr;
}

KWnd KHeadlessPlatform::GetPrevSibling(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w || !w->parent) return nullptr;
  const auto& siblings = w->parent->children;
  for (size_t i = 1; i < siblings.size(); ++i) {
    if (siblings[i].get() == w) return siblings[i - 1]->Handle();
  }
  return nullptr;
}

std::u16string KHeadlessPlatform::ClassName(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w ? w->className : std::u16string();
}

uint32_t KHeadlessPlatform::GetStyle(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w ? w->style : 0;
}

uint32_t KHeadlessPlatform::GetExStyle(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w ? w->exStyle : 0;
}

void KHeadlessPlatform::SetButtonStyle(KWnd button, uint32_t type) {
  KHeadlessWindow* w = Window(button);
  if (w && w->className == KCLASS_BUTTON) w->style = (w->style & ~BS_TYPEMASK) | (type & BS_TYPEMASK);
}

std::u16string KHeadlessPlatform::GetText(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w ? w->text : std::u16string();
}

void KHeadlessPlatform::SetText(KWnd window, std::u16string_view text) {
  KHeadlessWindow* w = Window(window);
  if (!w || IsDropDownList(w)) return;  // a drop-down list has no edit to take a text
  w->text = text;
  if (w->className != KCLASS_EDIT) return;
  w->selection = {0, 0};
  SendCommand(w, EN_CHANGE);
}

uint32_t KHeadlessPlatform::GetCheck(KWnd button) {
  const KHeadlessWindow* w = Window(button);
  return w ? w->check : BST_UNCHECKED;
}

void KHeadlessPlatform::SetCheck(KWnd button, uint32_t state) {
  KHeadlessWindow* w = Window(button);
  if (!w || w->className != KCLASS_BUTTON) return;
  // A two-state box shows the indeterminate state as checked, as Win32 does.
  const bool threeState = IsButtonType(w, {BS_3STATE, BS_AUTO3STATE});
  w->check = state == BST_INDETERMINATE && !threeState ? BST_CHECKED : std::min(state, BST_INDETERMINATE);
}

void KHeadlessPlatform::ShowWindow(KWnd window, bool show) {
  if (KHeadlessWindow* w = Window(window)) w->style = show ? w->style | WS_VISIBLE : w->style & ~WS_VISIBLE;
}

bool KHeadlessPlatform::IsWindowVisible(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return false;
  for (; w; w = w->parent) {
    if (!(w->style & WS_VISIBLE)) return false;
  }
  return true;
}

void KHeadlessPlatform::EnableWindow(KWnd window, bool enable) {
  if (KHeadlessWindow* w = Window(window)) w->style = enable ? w->style & ~WS_DISABLED : w->style | WS_DISABLED;
}

bool KHeadlessPlatform::IsWindowEnabled(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  return w && !(w->style & WS_DISABLED);
}

KRect KHeadlessPlatform::GetWindowRect(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return {};
  if (!w->parent && (w->style & WS_MINIMIZE)) return {-32000, -32000, -32000 + 160, -32000 + 28};
  if (!w->parent) return w->rect;
  const KPoint origin = ClientOrigin(w->parent);
  return w->rect.Offset(origin.x, origin.y);
}

KRect KHeadlessPlatform::GetClientRect(KWnd window) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return {};
  const KRect insets = Insets(w);
  return {0, 0, std::max(0, w->rect.Width() - insets.left - insets.right),
          std::max(0, w->rect.Height() - insets.top - insets.bottom)};
}

KPoint KHeadlessPlatform::ClientToScreen(KWnd window, KPoint point) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return point;
  const KPoint origin = ClientOrigin(w);
  return {point.x + origin.x, point.y + origin.y};
}

KPoint KHeadlessPlatform::ScreenToClient(KWnd window, KPoint point) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return point;
  const KPoint origin = ClientOrigin(w);
  return {point.x - origin.x, point.y - origin.y};
}

void KHeadlessPlatform::MoveWindow(KWnd window, const KRect& rect) {
  KHeadlessWindow* w = Window(window);
  if (!w) return;
  w->rect = rect;
  if (w->tree) {
    const KRect client = GetClientRect(window);
    w->tree->SetClientSize(client.Width(), client.Height());
  }
}

bool KHeadlessPlatform::GetWindowPlacement(KWnd window, KWindowPlacement& placement) {
  const KHeadlessWindow* w = Window(window);
  if (!w) return false;
  placement.normal = w->parent ? GetWindowRect(window) : w->rect;
  placement.showCommand = (w->style & WS_MINIMIZE)   ? SW_SHOWMINIMIZED
                          : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                                                     : SW_SHOWNORMAL;
  return true;
}

void KHeadlessPlatform::InvalidateWindow(KWnd window, bool) {
  if (KHeadlessWindow* w = Window(window)) w->invalid = true;
}

void KHeadlessPlatform::UpdateWindow(KWnd window) {
  KHeadlessWindow* w = Window(window);
  if (!w || !w->invalid) return;
  w->invalid = false;
  ++w->paintCount;
}

KWnd KHeadlessPlatform::GetFocus() { return focus_; }

void KHeadlessPlatform::SetFocus(KWnd window) {
  if (window == focus_ || (window && !Window(window))) return;
  // Focus leaving a tree's label editor ends the edit and keeps the text, as the tree view does.
  if (KHeadlessWindow* edit = Window(focus_)) {
    if (KHeadlessWindow* tree = TreeWindowOfEdit(edit)) {
      EndLabelEdit(tree, false, window);
      return;
    }
  }
  focus_ = window;
}

// ---- Edit controls

KTextRange KHeadlessPlatform::GetSelection(KWnd edit) {
  const KHeadlessWindow* w = Window(edit);
  return w ? w->selection : KTextRange{};
}

void KHeadlessPlatform::SetSelection(KWnd edit, KTextRange range) {
  KHeadlessWindow* w = Window(edit);
  if (!w) return;
  const auto length = static_cast<int32_t>(w->text.size());
  const auto clamp = [length](int32_t at) { return at < 0 || at > length ? length : at; };
  // Win32 takes start -1 as "no selection": the caret stays where the selection ends.
  if (range.start == -1) range.start = range.end;
  w->selection = {std::min(clamp(range.start), clamp(range.end)), std::max(clamp(range.start), clamp(range.end))};
}

void KHeadlessPlatform::ReplaceSelection(KWnd edit, std::u16string_view text, bool) {
  KHeadlessWindow* w = Window(edit);
  if (!w || w->className != KCLASS_EDIT) return;
  const KTextRange sel = w->selection;
  const size_t kept = w->text.size() - static_cast<size_t>(sel.end - sel.start);
  const size_t room = static_cast<size_t>(w->textLimit) > kept ? static_cast<size_t>(w->textLimit) - kept : 0;
  const std::u16string_view inserted = text.substr(0, std::min(room, text.size()));
  if (inserted.size() < text.size()) SendCommand(w, EN_MAXTEXT);
  if (inserted.empty() && sel.start == sel.end) return;
  w->text.replace(static_cast<size_t>(sel.start), static_cast<size_t>(sel.end - sel.start), inserted);
  const auto caret = sel.start + static_cast<int32_t>(inserted.size());
  w->selection = {caret, caret};
  SendCommand(w, EN_CHANGE);
}

void KHeadlessPlatform::ScrollCaret(KWnd) {}  // every line of an in-memory edit is in view

void KHeadlessPlatform::LimitText(KWnd edit, int32_t maxLength) {
  if (KHeadlessWindow* w = Window(edit)) w->textLimit = maxLength > 0 ? maxLength : 0x7FFFFFFE;
}

void KHeadlessPlatform::SetEditReadOnly(KWnd edit, bool readOnly) {
  if (KHeadlessWindow* w = ClassWindow(edit, KCLASS_EDIT)) {
    w->style = readOnly ? w->style | ES_READONLY : w->style & ~ES_READONLY;
  }
}

KHeadlessWindow* KHeadlessPlatform::ClassWindow(KWnd window, std::u16string_view className) const {
  KHeadlessWindow* w = Window(window);
  return w && w->className == className ? w : nullptr;
}

// ---- List boxes and combo boxes

KHeadlessWindow* KHeadlessPlatform::ListWindow(KWnd list) const {
  KHeadlessWindow* w = Window(list);
  return w && (w->className == KCLASS_LISTBOX || w->className == KCLASS_COMBOBOX) ? w : nullptr;
}

int32_t KHeadlessPlatform::ListCount(KWnd list) {
  const KHeadlessWindow* w = ListWindow(list);
  return w ? static_cast<int32_t>(w->items.size()) : LB_ERR;
}

int32_t KHeadlessPlatform::InsertListItem(KHeadlessWindow* list, size_t at, std::u16string_view text) {
  list->items.insert(list->items.begin() + static_cast<ptrdiff_t>(at), {std::u16string(text), 0});
  if (list->selectedItem >= static_cast<int32_t>(at)) ++list->selectedItem;
  return static_cast<int32_t>(at);
}

int32_t KHeadlessPlatform::ListAddString(KWnd list, std::u16string_view text) {
  KHeadlessWindow* w = ListWindow(list);
  if (!w) return LB_ERR;
  const uint32_t sorted = w->className == KCLASS_COMBOBOX ? CBS_SORT : LBS_SORT;
  auto at = w->items.end();
  if (w->style & sorted) {
    at = std::upper_bound(w->items.begin(), w->items.end(), text, [](std::u16string_view t, const auto& item) {
      return CompareNoCase(t, item.text) < 0;
    });
  }
  return InsertListItem(w, static_cast<size_t>(at - w->items.begin()), text);
}

int32_t KHeadlessPlatform::ListInsertString(KWnd list, int32_t index, std::u16string_view text) {
  KHeadlessWindow* w = ListWindow(list);
  if (!w || index < -1 || index > static_cast<int32_t>(w->items.size())) return LB_ERR;
  return InsertListItem(w, index == -1 ? w->items.size() : static_cast<size_t>(index), text);
}

int32_t KHeadlessPlatform::ListDeleteString(KWnd list, int32_t index) {
  KHeadlessWindow* w = ListWindow(list);
  if (!w || index < 0 || index >= static_cast<int32_t>(w->items.size())) return LB_ERR;
  w->items.erase(w->items.begin() + index);
  if (w->selectedItem == index) {
    SelectListItem(w, -1);
  } else if (w->selectedItem > index) {
    --w->selectedItem;
  }
  return static_cast<int32_t>(w->items.size());
}

int32_t KHeadlessPlatform::ListGetCurSel(KWnd list) {
  const KHeadlessWindow* w = ListWindow(list);
  return w ? w->selectedItem : LB_ERR;
}

void KHeadlessPlatform::SelectListItem(KHeadlessWindow* list, int32_t index) {
  list->selectedItem = index;
  if (list->className == KCLASS_COMBOBOX) list->text = index >= 0 ? list->items[index].text : std::u16string();
}

bool KHeadlessPlatform::ListSetCurSel(KWnd list, int32_t index) {
  KHeadlessWindow* w = ListWindow(list);
  if (!w) return false;
  const bool valid = index >= 0 && index < static_cast<int32_t>(w->items.size());
  SelectListItem(w, valid ? index : -1);
  return valid;
}

std::u16string KHeadlessPlatform::ListGetText(KWnd list, int32_t index) {
  const KHeadlessWindow* w = ListWindow(list);
  if (!w || index < 0 || index >= static_cast<int32_t>(w->items.size())) return {};
  return w->items[index].text;
}

int32_t KHeadlessPlatform::ListFindStringExact(KWnd list, int32_t start, std::u16string_view text) {
  const KHeadlessWindow* w = ListWindow(list);
  if (!w) return LB_ERR;
  const auto count = static_cast<int32_t>(w->items.size());
  const int32_t first = start >= 0 && start < count ? start + 1 : 0;
  for (int32_t step = 0; step < count; ++step) {
    const int32_t i = (first + step) % count;
    if (CompareNoCase(w->items[i].text, text) == 0) return i;
  }
  return LB_ERR;
}

intptr_t KHeadlessPlatform::ListGetItemData(KWnd list, int32_t index) {
  const KHeadlessWindow* w = ListWindow(list);
  if (!w || index < 0 || index >= static_cast<int32_t>(w->items.size())) return LB_ERR;
  return w->items[index].data;
}

bool KHeadlessPlatform::ListSetItemData(KWnd list, int32_t index, intptr_t data) {
  KHeadlessWindow* w = ListWindow(list);
  if (!w || index < 0 || index >= static_cast<int32_t>(w->items.size())) return false;
  w->items[index].data = data;
  return true;
}

// ---- Custom controls, date/time pickers, sliders

intptr_t KHeadlessPlatform::SendPrivateMessage(KWnd control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  KHeadlessWindow* w = Window(control);
  intptr_t result = 0;
  if (w && w->sink) w->sink->OnPrivateMessage(message, wParam, lParam, result);
  return result;
}

KHeadlessWindow* KHeadlessPlatform::PickerWindow(KWnd picker) const { return ClassWindow(picker, KCLASS_DATETIMEPICK); }

bool KHeadlessPlatform::DateTimeGet(KWnd picker, KSystemTime& time) {
  const KHeadlessWindow* w = PickerWindow(picker);
  if (!w || !w->dateTime) return false;
  time = *w->dateTime;
  return true;
}

bool KHeadlessPlatform::DateTimeSet(KWnd picker, const KSystemTime* time) {
  KHeadlessWindow* w = PickerWindow(picker);
  if (!w) return false;
  if (!time) {
    if (!(w->style & DTS_SHOWNONE)) return false;
    w->dateTime.reset();
    return true;
  }
  if (!IsValidTime(*time)) return false;
  w->dateTime = *time;
  w->dateTime->dayOfWeek = DayOfWeek(*time);
  return true;
}

KHeadlessWindow* KHeadlessPlatform::SliderWindow(KWnd slider) const { return ClassWindow(slider, KCLASS_TRACKBAR); }

void KHeadlessPlatform::SliderSetRange(KWnd slider, int32_t minimum, int32_t maximum) {
  KHeadlessWindow* w = SliderWindow(slider);
  if (!w) return;
  w->rangeMin = minimum;
  w->rangeMax = maximum;
  SliderSetPos(slider, w->position, true);
}

void KHeadlessPlatform::SliderGetRange(KWnd slider, int32_t& minimum, int32_t& maximum) {
  const KHeadlessWindow* w = SliderWindow(slider);
  minimum = w ? w->rangeMin : 0;
  maximum = w ? w->rangeMax : 0;
}

int32_t KHeadlessPlatform::SliderGetPos(KWnd slider) {
  const KHeadlessWindow* w = SliderWindow(slider);
  return w ? w->position : 0;
}

// The minimum is applied last, so a range whose ends are swapped holds the thumb at its minimum.
void KHeadlessPlatform::SliderSetPos(KWnd slider, int32_t position, bool) {
  if (KHeadlessWindow* w = SliderWindow(slider)) w->position = std::max(w->rangeMin, std::min(position, w->rangeMax));
}

// ---- Tree views

KHeadlessTree* KHeadlessPlatform::TreeOf(KWnd tree, KHeadlessTree::Item** item, KTreeItem handle) const {
  const KHeadlessWindow* w = Window(tree);
  KHeadlessTree* state = w ? w->tree.get() : nullptr;
  if (item) *item = state ? state->Find(handle) : nullptr;
  return state;
}

KHeadlessWindow* KHeadlessPlatform::TreeWindowOfEdit(const KHeadlessWindow* edit) const {
  KHeadlessWindow* parent = edit->parent;
  return parent && parent->tree && parent->tree->editControl == edit->Handle() ? parent : nullptr;
}

KTreeItem KHeadlessPlatform::TreeInsertItem(KWnd tree, const KTreeInsert& insert) {
  KHeadlessTree* state = TreeOf(tree);
  return state ? KHeadlessTree::Handle(state->Insert(insert)) : nullptr;
}

bool KHeadlessPlatform::SelectTreeItem(KHeadlessWindow* tree, KHeadlessTree::Item* item, uint32_t action) {
  KHeadlessTree& state = *tree->tree;
  if (item == state.selected) return true;
  KNotify notify;
  notify.code = TVN_SELCHANGINGW;
  notify.item = KHeadlessTree::Handle(item);
  notify.oldItem = KHeadlessTree::Handle(state.selected);
  notify.action = action;
  if (NotifyParent(tree, notify) != 0) return false;
  if (item && !state.Find(notify.item)) return false;  // the parent deleted it meanwhile
  state.selected = item;
  if (item) state.EnsureVisible(item);
  notify.code = TVN_SELCHANGEDW;
  notify.oldItem = state.Find(notify.oldItem) ? notify.oldItem : nullptr;
  notify.result = 0;
  NotifyParent(tree, notify);
  return true;
}

bool KHeadlessPlatform::TreeDeleteItem(KWnd tree, KTreeItem item) {
  KHeadlessWindow* w = Window(tree);
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (item == TreeRoot()) return TreeDeleteAllItems(tree);
  if (!node) return false;
  if (state->editing && KHeadlessTree::IsWithin(state->editing, node)) EndLabelEdit(w, true, tree);
  KHeadlessTree::Item* successor = nullptr;
  if (state->selected && KHeadlessTree::IsWithin(state->selected, node)) {
    successor = state->Next(node, TVGN_NEXT);
    if (!successor) successor = node->parent ? node->parent : state->Next(node, TVGN_PREVIOUS);
  }
  state->Remove(node);
  if (successor) SelectTreeItem(w, successor, TVC_UNKNOWN);
  return true;
}

bool KHeadlessPlatform::TreeDeleteAllItems(KWnd tree) {
  KHeadlessWindow* w = Window(tree);
  if (!w || !w->tree) return false;
  if (w->tree->editing) EndLabelEdit(w, true, tree);
  w->tree->RemoveAll();
  return true;
}

std::u16string KHeadlessPlatform::TreeGetText(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  return node ? node->text : std::u16string();
}

void KHeadlessPlatform::TreeSetText(KWnd tree, KTreeItem item, std::u16string_view text) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  if (node) node->text = text;
}

void KHeadlessPlatform::TreeGetImage(KWnd tree, KTreeItem item, int32_t& image, int32_t& selectedImage) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  image = node ? node->image : 0;
  selectedImage = node ? node->selectedImage : 0;
}

void KHeadlessPlatform::TreeSetImage(KWnd tree, KTreeItem item, int32_t image, int32_t selectedImage) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  if (!node) return;
  node->image = image;
  node->selectedImage = selectedImage;
}

void* KHeadlessPlatform::TreeGetData(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  return node ? node->data : nullptr;
}

void KHeadlessPlatform::TreeSetData(KWnd tree, KTreeItem item, void* data) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  if (node) node->data = data;
}

bool KHeadlessPlatform::TreeIsBold(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  return node && node->bold;
}

void KHeadlessPlatform::TreeSetBold(KWnd tree, KTreeItem item, bool bold) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  if (node) node->bold = bold;
}

bool KHeadlessPlatform::TreeExpand(KWnd tree, KTreeItem item, uint32_t action) {
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!node) return false;
  const bool expand = action == TVE_EXPAND || (action == TVE_TOGGLE && !node->expanded);
  if (action != TVE_EXPAND && action != TVE_COLLAPSE && action != TVE_TOGGLE) return false;
  state->SetExpanded(node, expand);
  return true;
}

bool KHeadlessPlatform::TreeIsExpanded(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  TreeOf(tree, &node, item);
  return node && node->expanded;
}

KTreeItem KHeadlessPlatform::TreeGetNextItem(KWnd tree, KTreeItem item, uint32_t relation) {
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!state || (item && item != TreeRoot() && !node)) return nullptr;
  return KHeadlessTree::Handle(state->Next(node, relation));
}

bool KHeadlessPlatform::TreeSelectItem(KWnd tree, KTreeItem item, uint32_t relation) {
  KHeadlessWindow* w = Window(tree);
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!state || (item && !node)) return false;
  switch (relation) {
    case TVGN_CARET:
      return SelectTreeItem(w, node, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
      state->dropHighlight = node;
      return true;
    case TVGN_FIRSTVISIBLE:
      if (node) state->ScrollTo(state->RowOf(node));
      return node != nullptr;
    default:
      return false;
  }
}

void KHeadlessPlatform::TreeEnsureVisible(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (node) state->EnsureVisible(node);
}

void KHeadlessPlatform::TreeSetInsertMark(KWnd tree, KTreeItem item, bool after) {
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!state) return;
  state->insertMark = node;
  state->insertMarkAfter = after;
}

KTreeItem KHeadlessPlatform::TreeHitTest(KWnd tree, KPoint point, uint32_t& flags) {
  const KHeadlessTree* state = TreeOf(tree);
  flags = TVHT_NOWHERE;
  return state ? KHeadlessTree::Handle(state->HitTest(point, flags)) : nullptr;
}

bool KHeadlessPlatform::TreeGetItemRect(KWnd tree, KTreeItem item, bool textOnly, KRect& rect) {
  KHeadlessTree::Item* node = nullptr;
  const KHeadlessTree* state = TreeOf(tree, &node, item);
  return node && state->ItemRect(node, textOnly, rect);
}

void KHeadlessPlatform::TreeSetImageList(KWnd tree, KImageList images, uint32_t kind) {
  KHeadlessTree* state = TreeOf(tree);
  if (state && kind == TVSIL_NORMAL) state->SetHasImages(images != nullptr);
}

KWnd KHeadlessPlatform::TreeEditLabel(KWnd tree, KTreeItem item) {
  KHeadlessWindow* w = Window(tree);
  KHeadlessTree::Item* node = nullptr;
  KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!node || !(w->style & TVS_EDITLABELS)) return nullptr;
  if (state->editing) EndLabelEdit(w, false, tree);
  SetFocus(tree);
  KNotify notify;
  notify.code = TVN_BEGINLABELEDITW;
  notify.item = item;
  if (NotifyParent(w, notify) != 0 || !state->Find(item)) return nullptr;
  state->EnsureVisible(node);
  KRect label;
  state->ItemRect(node, true, label);
  KHeadlessWindow* edit = NewWindow(w, KCLASS_EDIT, 1, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL);
  edit->rect = label;
  edit->text = node->text;
  edit->selection = {0, static_cast<int32_t>(edit->text.size())};
  state->editing = node;
  state->editControl = edit->Handle();
  focus_ = edit->Handle();
  return edit->Handle();
}

KWnd KHeadlessPlatform::TreeGetEditControl(KWnd tree) {
  const KHeadlessTree* state = TreeOf(tree);
  return state ? state->editControl : nullptr;
}

void KHeadlessPlatform::TreeEndEditLabelNow(KWnd tree, bool cancel) {
  if (KHeadlessWindow* w = Window(tree); w && w->tree) EndLabelEdit(w, cancel, tree);
}

void KHeadlessPlatform::EndLabelEdit(KHeadlessWindow* tree, bool cancel, KWnd newFocus) {
  KHeadlessTree& state = *tree->tree;
  KHeadlessWindow* edit = Window(state.editControl);
  const KTreeItem item = KHeadlessTree::Handle(state.editing);
  if (!edit && !state.editing) return;
  const std::u16string text = edit ? edit->text : std::u16string();
  const bool hadFocus = edit && focus_ == edit->Handle();
  state.editing = nullptr;  // cleared first, so handlers of the notification see no edit in progress
  state.editControl = nullptr;
  if (edit) {
    Destroy(edit);
    Free(edit);
  }
  if (hadFocus) focus_ = Window(newFocus) ? newFocus : tree->Handle();
  if (!state.Find(item)) return;
  KNotify notify;
  notify.code = TVN_ENDLABELEDITW;
  notify.item = item;
  notify.text = cancel ? nullptr : text.c_str();
  const bool accepted = NotifyParent(tree, notify) != 0;
  KHeadlessTree::Item* node = state.Find(item);
  if (!cancel && accepted && node) node->text = text;
}

KImageList KHeadlessPlatform::TreeCreateDragImage(KWnd tree, KTreeItem item) {
  KHeadlessTree::Item* node = nullptr;
  const KHeadlessTree* state = TreeOf(tree, &node, item);
  if (!node || !state->HasImages()) return nullptr;
  auto images = std::make_unique<ImageList>();
  images->width = KHeadlessTree::kCharWidth * static_cast<int32_t>(node->text.size()) + 16;
  images->count = 1;
  images->dragLabel = node->text;
  const ImageList* key = images.get();
  imageLists_[key] = std::move(images);
  return reinterpret_cast<KImageList>(const_cast<ImageList*>(key));
}

// ---- Scrolling

int32_t KHeadlessPlatform::GetScrollPos(KWnd window, int32_t bar) {
  const KHeadlessTree* state = TreeOf(window);
  return state && bar == SB_VERT ? state->ScrollPos() : 0;
}

int32_t KHeadlessPlatform::GetScrollLimit(KWnd window, int32_t bar) {
  const KHeadlessTree* state = TreeOf(window);
  return state && bar == SB_VERT ? state->ScrollLimit() : 0;
}

void KHeadlessPlatform::Scroll(KWnd window, int32_t bar, uint32_t request) {
  KHeadlessTree* state = TreeOf(window);
  if (state && bar == SB_VERT) state->Scroll(request);
}

// ---- Image lists and the drag image

KImageList KHeadlessPlatform::LoadImageList(uint32_t bitmapId, int32_t width, uint32_t) {
  const KResourceTable* tables = Tables();
  const KBinaryResource* bitmap = tables ? tables->FindBitmap(bitmapId) : nullptr;
  int32_t bitmapWidth = 0;
  int32_t bitmapHeight = 0;
  if (!bitmap || width <= 0 || !BitmapSize(bitmap->bytes, bitmapWidth, bitmapHeight)) return nullptr;
  auto images = std::make_unique<ImageList>();
  images->width = width;
  images->count = bitmapWidth / width;
  const ImageList* key = images.get();
  imageLists_[key] = std::move(images);
  return reinterpret_cast<KImageList>(const_cast<ImageList*>(key));
}

int32_t KHeadlessPlatform::ImageCount(KImageList images) {
  const auto found = imageLists_.find(reinterpret_cast<const ImageList*>(images));
  return found == imageLists_.end() ? 0 : found->second->count;
}

void KHeadlessPlatform::DestroyImageList(KImageList images) {
  imageLists_.erase(reinterpret_cast<const ImageList*>(images));
  if (drag_.image == images) drag_ = {};
}

const std::u16string* KHeadlessPlatform::DragImageLabel(KImageList images) const {
  const auto found = imageLists_.find(reinterpret_cast<const ImageList*>(images));
  return found == imageLists_.end() ? nullptr : &found->second->dragLabel;
}

bool KHeadlessPlatform::DragImageBegin(KImageList images, int32_t index, KPoint hotSpot) {
  if (drag_.began || index < 0 || index >= ImageCount(images)) return false;
  drag_ = {};
  drag_.image = images;
  drag_.hotSpot = hotSpot;
  drag_.began = true;
  return true;
}

bool KHeadlessPlatform::DragImageEnter(KWnd lockWindow, KPoint point) {
  if (!drag_.began) return false;
  drag_.entered = drag_.visible = true;
  drag_.lockWindow = lockWindow;
  drag_.position = point;
  return true;
}

bool KHeadlessPlatform::DragImageMove(KPoint point) {
  if (!drag_.began) return false;
  drag_.position = point;
  return true;
}

bool KHeadlessPlatform::DragImageShow(bool show) {
  if (!drag_.entered) return false;
  drag_.visible = show;
  return true;
}

bool KHeadlessPlatform::DragImageLeave(KWnd) {
  drag_.entered = drag_.visible = false;
  drag_.lockWindow = nullptr;
  return true;
}

void KHeadlessPlatform::DragImageEnd() { drag_ = {}; }

// ---- Menus

std::unique_ptr<KHeadlessPlatform::Menu> KHeadlessPlatform::BuildMenu(uint32_t resourceId, int32_t position,
                                                                      const KMenuItem* items, size_t count) {
  auto menu = std::make_unique<Menu>();
  menu->resourceId = resourceId;
  menu->position = position;
  for (size_t i = 0; i < count; ++i) {
    MenuEntry entry;
    entry.item = {items[i].text ? items[i].text : u"", items[i].command, items[i].flags};
    if (items[i].flags & KMENU_POPUP) {
      entry.popup = BuildMenu(resourceId, static_cast<int32_t>(i), items[i].children, items[i].childCount);
    }
    menu->items.push_back(std::move(entry));
  }
  return menu;
}

void KHeadlessPlatform::Register(Menu* menu, bool add) {
  if (add) {
    liveMenus_.insert(menu);
  } else {
    liveMenus_.erase(menu);
  }
  for (MenuEntry& entry : menu->items) {
    if (entry.popup) Register(entry.popup.get(), add);
  }
}

KMenu KHeadlessPlatform::LoadMenuResource(uint32_t menuId) {
  const KResourceTable* tables = Tables();
  const KMenuTemplate* menuTemplate = tables ? tables->FindMenu(menuId) : nullptr;
  if (!menuTemplate) return nullptr;
  std::unique_ptr<Menu> menu = BuildMenu(menuId, -1, menuTemplate->items.data(), menuTemplate->items.size());
  Menu* key = menu.get();
  Register(key, true);
  menus_[key] = std::move(menu);
  return reinterpret_cast<KMenu>(key);
}

KMenu KHeadlessPlatform::GetSubMenu(KMenu menu, int32_t position) {
  auto* m = reinterpret_cast<Menu*>(menu);
  if (!liveMenus_.count(m) || position < 0 || position >= static_cast<int32_t>(m->items.size())) return nullptr;
  return reinterpret_cast<KMenu>(m->items[position].popup.get());
}

void KHeadlessPlatform::DestroyMenu(KMenu menu) {
  const auto found = menus_.find(reinterpret_cast<const Menu*>(menu));
  if (found == menus_.end()) return;
  Register(found->second.get(), false);
  menus_.erase(found);
}

KHeadlessPlatform::MenuEntry* KHeadlessPlatform::FindMenuEntry(KMenu menu, uint32_t command) {
  auto* m = reinterpret_cast<Menu*>(menu);
  if (!liveMenus_.count(m)) return nullptr;
  for (MenuEntry& entry : m->items) {
    if (entry.popup) {
      if (MenuEntry* inner = FindMenuEntry(reinterpret_cast<KMenu>(entry.popup.get()), command)) return inner;
    } else if (entry.item.command == command && !(entry.item.flags & KMENU_SEPARATOR)) {
      return &entry;
    }
  }
  return nullptr;
}

void KHeadlessPlatform::EnableMenuItem(KMenu menu, uint32_t command, bool enable) {
  if (MenuEntry* entry = FindMenuEntry(menu, command)) {
    entry->item.flags = enable ? entry->item.flags & ~(MF_GRAYED | MF_DISABLED) : entry->item.flags | MF_GRAYED;
  }
}

void KHeadlessPlatform::CheckMenuItem(KMenu menu, uint32_t command, bool check) {
  if (MenuEntry* entry = FindMenuEntry(menu, command)) {
    entry->item.flags = check ? entry->item.flags | MF_CHECKED : entry->item.flags & ~MF_CHECKED;
  }
}

uint32_t KHeadlessPlatform::TrackPopupMenu(KMenu popup, KPoint screenPoint, KWnd) {
  auto* m = reinterpret_cast<Menu*>(popup);
  if (!liveMenus_.count(m)) return 0;
  KShownMenu shown{m->resourceId, m->position, screenPoint, {}, 0};
  for (const MenuEntry& entry : m->items) shown.items.push_back(entry.item);
  if (!menuAnswers.empty()) {
    const uint32_t command = menuAnswers.front();
    menuAnswers.pop_front();
    const MenuEntry* entry = command ? FindMenuEntry(popup, command) : nullptr;
    if (command && (!entry || (entry->item.flags & (MF_GRAYED | MF_DISABLED)))) {
      problems.push_back("menu answer " + std::to_string(command) + " is not an enabled item of menu " +
                         std::to_string(m->resourceId));
    } else {
      shown.answer = command;
    }
  }
  shownMenus.push_back(shown);
  return shown.answer;
}

// ---- Message boxes and help

int32_t KHeadlessPlatform::ShowMessageBox(KWnd, std::u16string_view text, std::u16string_view caption,
                                          uint32_t type) {
  static const std::vector<std::vector<int32_t>> buttons = {
      {IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL}, {IDYES, IDNO}, {IDRETRY, IDCANCEL}};
  const std::vector<int32_t>& offered = buttons[std::min<size_t>(type & MB_TYPEMASK, buttons.size() - 1)];
  const size_t defaultIndex = std::min<size_t>((type & MB_DEFMASK) >> 8, offered.size() - 1);
  int32_t answer = offered[defaultIndex];  // unscripted boxes are answered with Enter
  if (!messageBoxAnswers.empty()) {
    const int32_t scripted = messageBoxAnswers.front();
    messageBoxAnswers.pop_front();
    if (std::find(offered.begin(), offered.end(), scripted) != offered.end()) {
      answer = scripted;
    } else {
      problems.push_back("message box answer " + std::to_string(scripted) + " is not a button of \"" +
                         Narrow(text) + "\"");
    }
  }
  shownMessageBoxes.push_back({std::u16string(text), std::u16string(caption), type, answer});
  return answer;
}

void KHeadlessPlatform::RequestHelp(KWnd window, uint32_t command, uintptr_t data) {
  helpRequests.push_back({window, command, data});
}

// ---- Timers and clock

uintptr_t KHeadlessPlatform::SetTimer(KWnd window, uintptr_t timerId, uint32_t interval, KTimerProc callback) {
  if (!Window(window)) return 0;
  KillTimer(window, timerId);
  const uint32_t period = std::max(interval, kMinimumTimer);
  timers_.push_back({window, timerId, period, now_ + period, ++timerOrder_, callback});
  return timerId;
}

bool KHeadlessPlatform::KillTimer(KWnd window, uintptr_t timerId) {
  const auto found = std::find_if(timers_.begin(), timers_.end(),
                                  [&](const Timer& t) { return t.window == window && t.id == timerId; });
  if (found == timers_.end()) return false;
  timers_.erase(found);
  return true;
}

uint32_t KHeadlessPlatform::TickCount() { return static_cast<uint32_t>(now_); }

void KHeadlessPlatform::Pause(uint32_t milliseconds) { now_ += milliseconds; }  // a sleeping thread fires nothing

void KHeadlessPlatform::FireTimer(Timer timer) {
  if (timer.callback) {
    timer.callback(timer.window, timer.id);
  } else if (KHeadlessWindow* w = Window(timer.window); w && w->sink) {
    w->sink->OnTimer(timer.id);
  }
  Pump();
}

// Fires every timer that falls due, earliest first (ties in the order they were set), each at its time.
void KHeadlessPlatform::AdvanceClock(uint32_t milliseconds) {
  const uint64_t end = now_ + milliseconds;
  for (;;) {
    const auto next = std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next == timers_.end() || next->due > end) break;
    now_ = std::max(now_, next->due);
    next->due = now_ + next->interval;
    next->order = ++timerOrder_;
    FireTimer(*next);
  }
  now_ = end;
}

// ---- Cursor, capture, keys

KCursor KHeadlessPlatform::CursorFor(uint32_t key) {
  auto& cursor = cursors_[key];
  if (!cursor) cursor = std::make_unique<Cursor>(Cursor{key});
  return reinterpret_cast<KCursor>(cursor.get());
}

uint32_t KHeadlessPlatform::CursorId(KCursor cursor) const {
  for (const auto& [key, value] : cursors_) {
    if (reinterpret_cast<KCursor>(value.get()) == cursor) return key;
  }
  return 0;
}

KCursor KHeadlessPlatform::LoadResourceCursor(uint32_t cursorId) {
  const KResourceTable* tables = Tables();
  return tables && tables->FindCursor(cursorId) ? CursorFor(cursorId) : nullptr;
}

KCursor KHeadlessPlatform::StandardCursor(KStdCursor cursor) { return CursorFor(static_cast<uint32_t>(cursor)); }

KCursor KHeadlessPlatform::SetCursor(KCursor cursor) {
  const KCursor previous = cursor_;
  cursor_ = cursor;
  return previous;
}

KPoint KHeadlessPlatform::GetCursorPos() { return cursorPos_; }

KWnd KHeadlessPlatform::SetCapture(KWnd window) {
  const KWnd previous = capture_;
  capture_ = Window(window) ? window : nullptr;
  if (KHeadlessWindow* old = Window(previous); old && previous != capture_ && old->sink) {
    old->sink->OnCaptureChanged(capture_);
  }
  return previous;
}

void KHeadlessPlatform::ReleaseCapture() {
  const KWnd previous = capture_;
  capture_ = nullptr;
  if (KHeadlessWindow* old = Window(previous); old && old->sink) old->sink->OnCaptureChanged(nullptr);
}

KWnd KHeadlessPlatform::GetCapture() { return capture_; }

int16_t KHeadlessPlatform::GetKeyState(uint32_t virtualKey) {
  return keysDown_.count(virtualKey) ? static_cast<int16_t>(-128) : static_cast<int16_t>(0);
}

void KHeadlessPlatform::SetKeyDown(uint32_t virtualKey, bool down) {
  if (down) {
    keysDown_.insert(virtualKey);
  } else {
    keysDown_.erase(virtualKey);
  }
}

// ---- Screen

void KHeadlessPlatform::SetMonitors(std::vector<KMonitorInfo> monitors) {
  if (!monitors.empty() &&
      std::none_of(monitors.begin(), monitors.end(), [](const KMonitorInfo& m) { return m.primary; })) {
    monitors.front().primary = true;
  }
  for (const KMonitorInfo& monitor : monitors) {
    if (monitor.primary) primary_ = monitor;
  }
  monitors_ = std::move(monitors);
}

KRect KHeadlessPlatform::PrimaryWorkArea() { return primary_.workArea; }

std::vector<KMonitorInfo> KHeadlessPlatform::EnumMonitors() { return monitors_; }

int32_t KHeadlessPlatform::MonitorFromRect(const KRect& rect) {
  int32_t best = 0;
  for (size_t i = 1; i < monitors_.size(); ++i) {
    const KRect& candidate = monitors_[i].monitor;
    const KRect& current = monitors_[best].monitor;
    const int64_t overlap = OverlapArea(candidate, rect);
    const int64_t bestOverlap = OverlapArea(current, rect);
    if (overlap > bestOverlap || (overlap == 0 && bestOverlap == 0 && Distance(candidate, rect) < Distance(current, rect))) {
      best = static_cast<int32_t>(i);
    }
  }
  return best;
}

int32_t KHeadlessPlatform::MonitorFromPoint(KPoint point) {
  return MonitorFromRect({point.x, point.y, point.x + 1, point.y + 1});
}

int32_t KHeadlessPlatform::GetSystemMetrics(int32_t index) {
  const KRect primary = primary_.monitor;
  switch (index) {
    case SM_CXSCREEN: return primary.Width();
    case SM_CYSCREEN: return primary.Height();
    case SM_CXVSCROLL: case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return kCaption;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return kFixedFrame;
    case SM_CXFRAME: case SM_CYFRAME: return kSizingFrame;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CMONITORS: return static_cast<int32_t>(monitors_.size());
    default: return 0;
  }
}

// ---- Profile files

std::u16string KHeadlessPlatform::ReadProfileValue(std::u16string_view path, std::u16string_view section,
                                                   std::u16string_view key, std::u16string_view fallback,
                                                   uint32_t maxLength) {
  std::u16string value = KIniFile::Read(path, section, key).value_or(std::u16string(fallback));
  if (maxLength == 0) return {};
  if (value.size() > maxLength - 1) value.resize(maxLength - 1);
  return value;
}

bool KHeadlessPlatform::WriteProfileValue(std::u16string_view path, std::u16string_view section,
                                          std::u16string_view key, std::u16string_view value) {
  return KIniFile::Write(path, section, key, value);
}
