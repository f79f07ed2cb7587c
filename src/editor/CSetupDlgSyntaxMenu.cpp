// CSetupDlg: the syntax menus of the pattern box, which insert regular-expression building blocks or the
// escapes of literal search at the caret.
#include <iterator>
#include <string_view>

#include "editor/CSetupDlg.h"
#include "framework/KDialogLayout.h"
#include "platform/KPlatform.h"
#include "resource.h"

namespace {

struct KSyntaxInsert {
  uint32_t command;
  std::u16string_view text;
  int32_t caretBack;  // how far the caret goes back into the inserted text
};

// The texts are fixed: a translated menu changes only the captions. Hints such as "\1" and "\~" show more
// than is inserted.
constexpr KSyntaxInsert kInserts[] = {
    {ID_SYNTAX_ANY_CHAR, u".", 0},    {ID_SYNTAX_IN_RANGE, u"[]", 1}, {ID_SYNTAX_NOT_IN_RANGE, u"[^]", 1},
    {ID_SYNTAX_LINE_START, u"^", 0},  {ID_SYNTAX_LINE_END, u"$", 0},  {ID_SYNTAX_TAGGED, u"\\", 0},
    {ID_SYNTAX_NOT, u"~", 0},         {ID_SYNTAX_OR, u"|", 0},        {ID_SYNTAX_ZERO_OR_MORE, u"*", 0},
    {ID_SYNTAX_ONE_OR_MORE, u"+", 0}, {ID_SYNTAX_GROUP, u"()", 1},    {ID_SYNTAX_LINE_FEED, u"\\n", 0},
    {ID_SYNTAX_TAB, u"\\t", 0},
};

const KSyntaxInsert* InsertOf(uint32_t command) {
  for (const KSyntaxInsert& insert : kInserts) {
    if (insert.command == command) return &insert;
  }
  return nullptr;
}

// A loaded menu resource, destroyed however the handler ends.
class KLoadedMenu {
 public:
  explicit KLoadedMenu(uint32_t id) : menu_(Platform().LoadMenuResource(id)) {}
  KLoadedMenu(const KLoadedMenu&) = delete;
  KLoadedMenu& operator=(const KLoadedMenu&) = delete;
  ~KLoadedMenu() {
    if (menu_) Platform().DestroyMenu(menu_);
  }
  KMenu Popup() const { return menu_ ? Platform().GetSubMenu(menu_, 0) : nullptr; }

 private:
  KMenu menu_;
};

}  // namespace

void CSetupDlg::OnSyntaxButton() {
  KPlatform& platform = Platform();
  const KWnd dialog = GetHwnd();
  const KLoadedMenu menu(IsChecked(IDC_REGEX) ? IDR_REGEX_MENU : IDR_LITERAL_MENU);
  const KMenu popup = menu.Popup();
  KRect button;
  if (popup == nullptr || !GetDlgItemRect(dialog, IDC_SYNTAX, button, nullptr)) return;
  const KPoint corner = platform.ClientToScreen(dialog, {button.right, button.top});
  const KSyntaxInsert* insert = InsertOf(platform.TrackPopupMenu(popup, corner, dialog));
  if (insert == nullptr) return;
  const KWnd pattern = Item(IDC_PATTERN);
  const KTextRange selection = platform.GetSelection(pattern);
  platform.ReplaceSelection(pattern, insert->text, false);
  platform.SetFocus(pattern);
  const int32_t caret = selection.start + static_cast<int32_t>(insert->text.size()) - insert->caretBack;
  platform.SetSelection(pattern, {caret, caret});
  platform.ScrollCaret(pattern);
}
