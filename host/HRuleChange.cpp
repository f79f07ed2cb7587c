// Rule options of the command line, and the checks a rule passes before it is written.
#include "HRuleChange.h"

#include "HArguments.h"
#include "HError.h"
#include "HRegExp.h"
#include "addin/HostInterfaces.h"
#include "rules/CRegExRule.h"
#include "rules/RuleLimits.h"
#include "support/KUtf8.h"

namespace {

struct HNamedValue {
  const char* name;
  int32_t value;
};

constexpr HNamedValue kMethods[] = {{"none", CHECK_NONE},
                                    {"exist-if-in-source", CHECK_EXIST_IF_IN_SOURCE},
                                    {"must-not-exist", CHECK_MUST_NOT_EXIST},
                                    {"must-exist", CHECK_MUST_EXIST}};
constexpr HNamedValue kFlags[] = {
    {"count", CHECKFLAG_COUNT}, {"text", CHECKFLAG_TEXT}, {"order", CHECKFLAG_ORDER}};

// A pair of switches that turn one field on or off.
struct HSwitchPair {
  const char* on;
  const char* off;
  std::optional<int32_t> HRuleChange::*field;
};

constexpr HSwitchPair kSwitches[] = {{"--active", "--inactive", &HRuleChange::active},
                                     {"--regex", "--literal", &HRuleChange::regEx},
                                     {"--case", "--ignore-case", &HRuleChange::caseSensitive},
                                     {"--with-tags", "--without-tags", &HRuleChange::withTags}};

const char* FlagName(int32_t bit) {
  for (const HNamedValue& flag : kFlags) {
    if (flag.value == bit) return flag.name;
  }
  return "";
}

// Each flag asked for that the chain would drop is an error.
void ValidateChain(int32_t asked, int32_t flags, const std::string& prefix) {
  const int32_t chained = ChainedCheckFlags(flags);
  for (const KCheckFlagLink& link : kCheckFlagChain) {
    if ((asked & link.after) != 0 && (chained & link.after) == 0)
      throw HError(prefix + FlagName(link.after) + " counts only with " + prefix + FlagName(link.before));
  }
}

void CheckLength(const char* field, const std::u16string& text, int32_t maximum) {
  if (!text.empty() && text.size() <= static_cast<size_t>(maximum)) return;
  throw HError(std::string("the ") + field + " must have 1 to " + std::to_string(maximum) +
               " characters, not " + std::to_string(text.size()));
}

}  // namespace

HRuleChange HRuleChange::Take(HArguments& arguments) {
  HRuleChange change;
  std::string value;
  if (arguments.Value("--pattern", value)) change.pattern = Utf8ToUtf16(value);
  if (arguments.Value("--method", value)) change.method = ParseMethod(value);
  for (const HSwitchPair& pair : kSwitches) {
    if (arguments.Switch({pair.on})) change.*pair.field = 1;
    if (arguments.Switch({pair.off})) change.*pair.field = 0;
  }
  for (const HNamedValue& flag : kFlags) {
    if (arguments.Switch({(std::string("--") + flag.name).c_str()})) change.flagsOn |= flag.value;
    if (arguments.Switch({(std::string("--no-") + flag.name).c_str()})) change.flagsOff |= flag.value;
  }
  return change;
}

void HRuleChange::ApplyTo(CRegExRule& rule) const {
  CRegExRule changed;
  changed.CopyFrom(rule);
  if (pattern) changed.Pattern = *pattern;
  if (active) changed.Active = *active;
  if (regEx) changed.RegEx = *regEx;
  if (caseSensitive) changed.Case = *caseSensitive;
  if (method) changed.CheckMethod = *method;
  if (withTags) changed.Native = *withTags;
  // A flag asked for must count; one that stops counting because its predecessor went off goes quietly,
  // as the editor unchecks it.
  changed.CheckFlags = (changed.CheckFlags | flagsOn) & ~flagsOff;
  ValidateChain(flagsOn, changed.CheckFlags, "--");
  changed.CheckFlags = ChainedCheckFlags(changed.CheckFlags);
  Validate(changed);
  rule.CopyFrom(changed);
}

void HRuleChange::Validate(const CRegExRule& rule) {
  CheckLength("name", rule.Name, kRuleNameMaxLength);
  CheckLength("pattern", rule.Pattern, kRulePatternMaxLength);
  if (rule.RegEx == 0) return;
  std::string error;
  HRegExp* compiled = HRegExp::Create(rule.Pattern.c_str(),
                                      rule.Case ? REGEX_CASE_SENSITIVE : REGEX_CASE_INSENSITIVE, &error);
  if (compiled == nullptr) throw HError("the pattern does not compile: " + error);
  compiled->Destroy();
}

void HRuleChange::ValidateWithChain(const CRegExRule& rule) {
  ValidateChain(rule.CheckFlags, rule.CheckFlags, "");
  Validate(rule);
}

std::string HRuleChange::MethodName(int32_t method) {
  for (const HNamedValue& named : kMethods) {
    if (named.value == method) return named.name;
  }
  return std::to_string(method);
}

int32_t HRuleChange::ParseMethod(const std::string& name) {
  for (const HNamedValue& named : kMethods) {
    if (name == named.name) return named.value;
  }
  throw HError("unknown method \"" + name +
               "\" (expected exist-if-in-source, must-not-exist, must-exist or none)");
}

std::string HRuleChange::FlagNames(int32_t flags) {
  std::string names;
  for (const HNamedValue& flag : kFlags) {
    if ((ChainedCheckFlags(flags) & flag.value) == 0) continue;
    if (!names.empty()) names += ',';
    names += flag.name;
  }
  return names.empty() ? "-" : names;
}
