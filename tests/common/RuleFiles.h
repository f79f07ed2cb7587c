// Rule files for the tests, written and read with the module's own rule-file code: a rule is a few fields.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/FileBytes.h"
#include "common/TestHost.h"
#include "rules/CRegExList.h"

// The stored fields of a rule that a test sets; the others keep their defaults.
struct KRuleFields {
  std::u16string name;
  std::u16string pattern = u"x";
  int32_t active = 1;
  int32_t regEx = 0;
  int32_t checkMethod = CHECK_NONE;
  int32_t checkFlags = CHECKFLAG_COUNT;
  int32_t caseSensitive = 1;
  int32_t native = 0;
  int32_t tag = 0;
};

// A new rule of these fields, for a list that owns it.
inline CRegExRule* NewRule(const KRuleFields& fields) {
  auto* rule = new CRegExRule();
  rule->Name = fields.name;
  rule->Pattern = fields.pattern;
  rule->Active = fields.active;
  rule->RegEx = fields.regEx;
  rule->CheckMethod = fields.checkMethod;
  rule->CheckFlags = fields.checkFlags;
  rule->Case = fields.caseSensitive;
  rule->Native = fields.native;
  rule->Tag = fields.tag;
  return rule;
}

// Writes the rules as the list of `project` (null: the global list) with the module's writer.
inline void WriteRules(IHostProject* project, std::initializer_list<KRuleFields> rules) {
  CRegExList list;
  list.Project = project;
  for (const KRuleFields& wanted : rules) list.Add(NewRule(wanted));
  list.Save();
  list.DeleteAll();
}

// The names of the rules in the rule file of `project` (null: the global file).
inline std::vector<std::u16string> RuleNames(IHostProject* project) {
  CRegExList list;
  if (project) {
    list.LoadProject(project, false);
  } else {
    list.LoadGlobal(false);
  }
  std::vector<std::u16string> names;
  for (int i = 0; i < list.GetSize(); ++i) names.push_back(list[i]->Name);
  list.DeleteAll();
  return names;
}

// The bytes that the rule-file writer makes of these rules, through a file at `path`.
inline std::string WriterBytes(const std::filesystem::path& path, std::initializer_list<KRuleFields> rules) {
  testhost::TestProject scratch;
  scratch.rulePath = testhost::ToU16(path);
  WriteRules(&scratch, rules);
  return ReadFileBytes(path);
}
