// CTestRegExChecker: violations of a test written into the results box.
#include "editor/CTestRegExChecker.h"

#include <cstdint>

#include "platform/KPlatform.h"

void CTestRegExChecker::ClearResults() {
  Reported = 0;
  if (ResultsBox != nullptr) Platform().SetText(ResultsBox, u"");
}

void CTestRegExChecker::ReportViolation(CRegExRule&, const std::u16string& detail) {
  if (ResultsBox == nullptr) return;
  AppendResults(detail + u"\r\n");
  Reported = 1;
}

void CTestRegExChecker::AppendResults(std::u16string_view text) const {
  if (ResultsBox == nullptr) return;
  KPlatform& platform = Platform();
  // A position past the text is its end, so the text need not be read to find it.
  platform.SetSelection(ResultsBox, {INT32_MAX, INT32_MAX});
  platform.ReplaceSelection(ResultsBox, text, false);
  platform.ScrollCaret(ResultsBox);
}
