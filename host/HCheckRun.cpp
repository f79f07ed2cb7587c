// Collecting the module's violation messages with the file, line and unit they belong to.
#include "HCheckRun.h"

#include "support/KUtf8.h"

namespace {

constexpr std::string_view kRulePrefix = "Regular expression rule \"";
constexpr std::string_view kRuleSuffix = "\" violated. ";

}  // namespace

void HCheckRun::SplitMessage(const std::string& message, std::string& rule, std::string& detail) {
  const size_t end = message.find(kRuleSuffix, kRulePrefix.size());
  if (!message.starts_with(kRulePrefix) || end == std::string::npos) {
    rule.clear();
    detail = message;
    return;
  }
  rule = message.substr(kRulePrefix.size(), end - kRulePrefix.size());
  detail = message.substr(end + kRuleSuffix.size());
}

int32_t HCheckRun::ReportError(IHostToken* token, const char16_t* message, int32_t /*zero*/) {
  // Only the token under check can be reported against; anything else has no place to go.
  if (token != m_token || m_token->Unit() == nullptr || m_file == nullptr || message == nullptr) return 1;
  const HUnit& unit = *m_token->Unit();
  try {
    HViolation violation;
    violation.file = m_file->path;
    violation.line = unit.line;
    violation.unitId = unit.id;
    SplitMessage(Utf16ToUtf8(message), violation.rule, violation.message);
    violation.withTags = m_rules.WithTags(violation.rule);
    violation.source = violation.withTags ? unit.sourceNative : unit.sourcePlain;
    violation.translation = violation.withTags ? unit.targetNative : unit.targetPlain;
    m_file->violations.push_back(std::move(violation));
  } catch (...) {
    return 1;  // out of memory: nothing may unwind into the module
  }
  return 0;
}

int32_t HCheckRun::GetProject(IHostProject** out) {
  if (out == nullptr) return 1;
  *out = m_project;
  return 0;
}

int32_t HCheckRun::IsFinal(int32_t* isFinal) {
  if (isFinal == nullptr) return 1;
  *isFinal = m_final ? 1 : 0;
  return 0;
}
