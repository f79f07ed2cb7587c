// One check run of one project: the module reports its violations here, against the token under check.
#pragma once

#include <string>

#include "HProject.h"
#include "HRuleMatches.h"
#include "HRuleTexts.h"
#include "HRunResult.h"
#include "HToken.h"
#include "addin/HostInterfaceBases.h"

class HCheckRun final : public KCheckRunBase {
 public:
  // The rules tell which texts a violation is shown with; those violated are described in the file's result.
  HCheckRun(HProject* project, bool isFinal, HToken* token, const HRuleTexts& rules)
      : m_project(project), m_final(isFinal), m_token(token), m_rules(rules) {}

  // Whether the module's end of this run is the last of the host's run; it may be known only at the end.
  void SetFinal(bool isFinal) { m_final = isFinal; }
  // Violations go to this file's result until the next call.
  void SetFile(HFileResult* file) { m_file = file; }

  // Splits the module's "Regular expression rule "NAME" violated. DETAIL" into NAME and DETAIL; a message
  // of another form (a translated resource library) stays whole, without a rule name.
  static void SplitMessage(const std::string& message, std::string& rule, std::string& detail);

  int32_t ZAKCALL ReportError(IHostToken* token, const char16_t* message, int32_t zero) override;
  int32_t ZAKCALL GetProject(IHostProject** out) override;
  int32_t ZAKCALL IsFinal(int32_t* isFinal) override;

 private:
  HProject* m_project;
  bool m_final;
  HToken* m_token;
  const HRuleTexts& m_rules;
  HFileResult* m_file = nullptr;
  HRuleMatches m_matches;  // where a violation's first match is
};
