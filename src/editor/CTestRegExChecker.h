// CTestRegExChecker: the checker of the rule editor's test pane. It runs the same rule check as the host's
// quality check and writes each violation into the pane's results box instead of reporting it to a run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "check/CRegExChecker.h"
#include "platform/KTypes.h"

class CTestRegExChecker : public CRegExChecker {
 public:
  // Empties the results box and forgets the violations reported so far.
  void ClearResults();
  // Appends the detail message as a line at the end of the results box; the rule's name is not shown.
  void ReportViolation(CRegExRule& rule, const std::u16string& detail) override;
  // Adds text at the end of the results box, however long it is, and scrolls it into view.
  void AppendResults(std::u16string_view text) const;

  int32_t Reported = 0;
  KWnd ResultsBox = nullptr;  // not owned; none before the dialog attaches it
};
