// Target languages as BCP 47 tags, and where a project keeps the rules of one language.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

class HLanguage {
 public:
  // Tags compare in lower case with "_" read as "-", as files write them either way (pt_BR, pt-br).
  static std::string Normal(std::string_view tag);
  // The tag and each shorter one its subtags start with, most specific first: zh-hant-tw, zh-hant, zh.
  static std::vector<std::string> Fallbacks(std::string_view tag);
  // The language rule files that exist for the tag beside commonFile (FOLDER/LANG/NAME for FOLDER/NAME),
  // most specific first; a folder LANG matches whatever case and separator its name is written in.
  static std::vector<std::string> RuleFiles(const std::string& commonFile, std::string_view tag);
  // Every language rule file beside commonFile, with its folder's name, in the order of the names.
  static std::vector<std::pair<std::string, std::string>> AllRuleFiles(const std::string& commonFile);
  // The file that holds the rules of exactly this tag: the one that exists, else FOLDER/tag/NAME.
  static std::string RuleFile(const std::string& commonFile, std::string_view tag);
};
