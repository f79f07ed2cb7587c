// A change to a rule's fields from the command line (or a rule read from JSON), checked as the rule editor
// checks a rule before it stores it, and the names the command line gives the fields' values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CRegExRule;
class HArguments;

class HRuleChange {
 public:
  // Takes the rule options out of the arguments: --pattern, --regex/--literal, --case/--ignore-case,
  // --method, --count/--text/--order and their --no- forms, --with-tags/--without-tags, --active/--inactive.
  static HRuleChange Take(HArguments& arguments);
  // Applies the change and checks the result; throws HError naming what is wrong, the rule unchanged.
  void ApplyTo(CRegExRule& rule) const;

  // Name 1 to 80 and pattern 1 to 2000 UTF-16 units, and a regular expression that the regex service
  // compiles (else PCRE2's message and offset). Throws HError.
  static void Validate(const CRegExRule& rule);
  // The flag chain besides: no flag on whose predecessor is off. Throws HError.
  static void ValidateWithChain(const CRegExRule& rule);
  static std::string MethodName(int32_t method);
  // Throws HError for an unknown name.
  static int32_t ParseMethod(const std::string& name);
  // The flags that count, by name ("count,text"), or "-" when none does.
  static std::string FlagNames(int32_t flags);

  std::optional<std::u16string> pattern;
  std::optional<int32_t> active;
  std::optional<int32_t> regEx;
  std::optional<int32_t> caseSensitive;
  std::optional<int32_t> method;
  std::optional<int32_t> withTags;
  int32_t flagsOn = 0;
  int32_t flagsOff = 0;
};
