// The stored fields of rules as one line each, so a failure shows every field of every rule at once.
#pragma once

#include <string>
#include <vector>

#include "rules/CRegExList.h"
#include "support/KUtf8.h"

// "Name|Active|Pattern|RegEx|Case|Tag|CheckMethod|CheckFlags|Native"
inline std::string Describe(const CRegExRule& rule) {
  std::string text =
      Utf16ToUtf8(rule.Name) + "|" + std::to_string(rule.Active) + "|" + Utf16ToUtf8(rule.Pattern);
  for (const int32_t value :
       {rule.RegEx, rule.Case, rule.Tag, rule.CheckMethod, rule.CheckFlags, rule.Native})
    text += "|" + std::to_string(value);
  return text;
}

inline std::vector<std::string> Describe(const CRegExList& list) {
  std::vector<std::string> rules;
  for (int i = 0; i < list.GetSize(); ++i) rules.push_back(Describe(*list.GetAt(i)));
  return rules;
}
