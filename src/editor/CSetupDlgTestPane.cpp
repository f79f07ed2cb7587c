// CSetupDlg: the pattern test pane, which checks a copy of the rule being edited on sample texts.
#include <string>

#include "check/CRuleTest.h"
#include "editor/CSetupDlg.h"
#include "editor/CStringFromDialog.h"
#include "framework/KControlGroup.h"
#include "framework/KDialogLayout.h"
#include "platform/KPlatform.h"
#include "resource.h"

namespace {

constexpr uint32_t kRepaintPause = 100;  // milliseconds, so that the user sees the box emptied
constexpr std::u16string_view kLineEnd = u"\r\n";

// The caption without its arrows: blanks and '<' cut in front, blanks and '>' behind.
std::u16string BareCaption(const std::u16string& caption) {
  const size_t first = caption.find_first_not_of(u" <");
  if (first == std::u16string::npos) return {};
  return caption.substr(first, caption.find_last_not_of(u" >") + 1 - first);
}

}  // namespace

void CSetupDlg::ShowTestPane(bool show, bool atStartUp) {
  KPlatform& platform = Platform();
  const KWnd dialog = GetHwnd();
  ShowGroup(dialog, IDC_TEST_LINE, show);
  const KWnd button = Item(IDC_TEST);
  const std::u16string caption = BareCaption(platform.GetText(button));
  platform.SetText(button, show ? u"<< " + caption : caption + u" >>");
  const uint32_t animate = atStartUp ? 0U : uint32_t{FIT_ANIMATE};
  FitToChildren(dialog, FIT_RIGHT | FIT_BOTTOM | animate, FIT_MIRROR);
}

void CSetupDlg::OnTest() {
  KPlatform& platform = Platform();
  if (platform.GetStyle(ResultsBox) & WS_VISIBLE) {
    ShowTestPane(false, false);
    platform.SetDefaultId(GetHwnd(), IDOK);
    return;
  }
  if (!StoreRule()) return;
  ShowTestPane(true, false);
  platform.SetDefaultId(GetHwnd(), IDC_CHECK);
  OnCheck();
}

void CSetupDlg::OnCheck() {
  KPlatform& platform = Platform();
  TestChecker->ClearResults();
  platform.InvalidateWindow(ResultsBox, true);
  platform.UpdateWindow(ResultsBox);
  platform.Pause(kRepaintPause);
  if (!StoreRule() || CurrentRule == nullptr) return;

  CRuleTest test(*CurrentRule);
  CStringFromDialog texts(GetHwnd());
  test.Check(*TestChecker, texts);
  TestChecker->AppendResults(test.Summary(texts, TestChecker->Reported != 0, kLineEnd));
}
