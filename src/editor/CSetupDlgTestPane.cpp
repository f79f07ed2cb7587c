// CSetupDlg: the pattern test pane, which checks a copy of the rule being edited on sample texts.
#include <string>

#include "check/CStringGetter.h"
#include "editor/CSetupDlg.h"
#include "editor/CStringFromDialog.h"
#include "framework/KControlGroup.h"
#include "framework/KDialogLayout.h"
#include "platform/KPlatform.h"
#include "resource.h"
#include "support/KResourceSource.h"
#include "support/KStringArray.h"

namespace {

constexpr uint32_t kRepaintPause = 100;  // milliseconds, so that the user sees the box emptied
constexpr std::u16string_view kSeparator = u"\u2500\u2500\u2500\u2500\u2500\u2500";
constexpr std::u16string_view kLineEnd = u"\r\n";

// The caption without its arrows: blanks and '<' cut in front, blanks and '>' behind.
std::u16string BareCaption(const std::u16string& caption) {
  const size_t first = caption.find_first_not_of(u" <");
  if (first == std::u16string::npos) return {};
  return caption.substr(first, caption.find_last_not_of(u" >") + 1 - first);
}

// "Matches in ...:" and the matches joined by ", ", or the no-matches text.
std::u16string MatchLine(CRegExRule& rule, const std::u16string& text, uint32_t noneId, uint32_t listId) {
  KStringArray matches;
  CRegExChecker::CollectMatches(rule, text, matches);
  if (matches.GetSize() == 0) return ResourceString(noneId);
  std::u16string line = ResourceString(listId);
  for (int i = 0; i < matches.GetSize(); ++i) {
    if (i > 0) line += u", ";
    line += matches[i];
  }
  return line;
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

  // A copy, active whatever the rule says; it compiles its own expression from the pattern now shown.
  CRegExRule rule;
  rule.CopyFrom(*CurrentRule);
  rule.Active = 1;
  CRegExList list;  // does not own the rule
  list.Add(&rule);
  CStringFromDialog texts(GetHwnd());
  TestChecker->CheckList(texts, list);
  list.RemoveAll();

  std::u16string summary;
  if (!TestChecker->Reported) summary.append(ResourceString(IDS_TEST_OK)).append(kLineEnd);
  summary.append(kSeparator).append(kLineEnd);
  summary += MatchLine(rule, texts.GetSource(false), IDS_NO_SOURCE_MATCHES, IDS_SOURCE_MATCHES);
  summary += kLineEnd;
  summary +=
      MatchLine(rule, texts.GetTranslation(false), IDS_NO_TRANSLATION_MATCHES, IDS_TRANSLATION_MATCHES);
  summary += kLineEnd;
  TestChecker->AppendResults(summary);
}
