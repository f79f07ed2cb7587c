// Collecting the module's violation messages with the file, line and unit they belong to.
#include "HCheckRun.h"

#include <string_view>

#include "HRuleMatches.h"
#include "support/KUtf8.h"

namespace {

constexpr std::string_view kRulePrefix = "Regular expression rule \"";
constexpr std::string_view kRuleSuffix = "\" violated. ";

// Whether the XML text as written goes on at `at` with what the plain text has there: not with markup that
// the plain text leaves out (an inline code, an entity that is not expanded). A character escaped as one of
// XML's own entities or as a character reference is the plain text's.
bool PlainTextGoesOnAt(std::string_view written, size_t at) {
  if (at >= written.size() || written[at] == '<') return false;
  if (written[at] != '&') return true;
  const std::string_view name = written.substr(at + 1, written.find(';', at) - at - 1);
  return name == "lt" || name == "gt" || name == "amp" || name == "quot" || name == "apos" ||
         name.starts_with('#');
}

// The column of the rule's first match when the file holds the text before it as the rule sees it: on the
// translation's first line, with nothing that a file writes escaped (PO's \ and ", XML's & and <) and, for
// a rule that sees the plain text of XML, no inline code or entity left out of it before the match. Else
// the column where the translation starts.
long MatchColumn(HRuleMatches& finder, const HRuleInfo* rule, const std::string& translation,
                 const std::string& written, long textColumn) {
  if (rule == nullptr || textColumn <= 0) return textColumn;
  const std::u16string text = Utf8ToUtf16(translation);
  const std::vector<HRuleMatches::Match> matches = finder.Find(*rule, text);
  if (matches.empty() || matches.front().start == 0) return textColumn;
  const size_t start = matches.front().start;
  if (translation != written) {
    const std::string before = Utf16ToUtf8(std::u16string_view(text).substr(0, start));
    if (!written.starts_with(before) || !PlainTextGoesOnAt(written, before.size())) return textColumn;
  }
  long column = textColumn;
  for (size_t i = 0; i < start; ++i) {
    const char16_t c = text[i];
    if (c < 0x20 || c == 0x7F || c == u'\\' || c == u'"' || c == u'&' || c == u'<') return textColumn;
    column += (c & 0xFC00) != 0xDC00;  // a surrogate pair is one character
  }
  return column;
}

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
    violation.line = unit.targetLine > 0 ? unit.targetLine : unit.line;
    violation.unitId = unit.id;
    SplitMessage(Utf16ToUtf8(message), violation.rule, violation.message);
    const HRuleInfo* rule = m_rules.Find(violation.rule);
    violation.withTags = rule != nullptr && rule->withTags;
    violation.source = violation.withTags ? unit.sourceNative : unit.sourcePlain;
    violation.translation = violation.withTags ? unit.targetNative : unit.targetPlain;
    violation.column = unit.targetLine > 0 ? MatchColumn(m_matches, rule, violation.translation,
                                                         unit.targetNative, unit.targetColumn)
                                           : 0;
    if (rule != nullptr) m_file->Describe(*rule);
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
