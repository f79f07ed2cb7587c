// CTestRegExChecker: violations of a test written into the results box.
#include "editor/CTestRegExChecker.h"

#include "platform/KPlatform.h"

void CTestRegExChecker::ClearResults() {
  Reported = 0;
  if (ResultsBox != nullptr) Platform().SetText(ResultsBox, u"");
}

void CTestRegExChecker::ReportViolation(CRegExRule&, const std::u16string& detail) {
  if (ResultsBox == nullptr) return;
  AppendResults(detail);
  AppendResults(u"\r\n");
  Reported = 1;
}

void CTestRegExChecker::AppendResults(std::u16string_view text) const {
  if (ResultsBox == nullptr) return;
  KPlatform& platform = Platform();
  const auto end = static_cast<int32_t>(platform.GetText(ResultsBox).size());
  platform.SetSelection(ResultsBox, {end, end});
  platform.ReplaceSelection(ResultsBox, text, false);
  platform.ScrollCaret(ResultsBox);
}
