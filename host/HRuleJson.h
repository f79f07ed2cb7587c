// Rules as JSON objects: what `rules list --format json` and `rules export` write and `rules import` reads.
#pragma once

#include <nlohmann/json_fwd.hpp>

class CRegExRule;

namespace HRuleJson {

// {"name", "active", "pattern", "regex", "case", "method", "count", "text", "order", "withTags",
// "convertToTag"}: every stored field; the flags as the rule keeps them.
nlohmann::ordered_json ToJson(const CRegExRule& rule);
// Reads such an object: name and pattern are required, every other member keeps the rule's value when
// absent. Throws HError for a member of the wrong type or an unknown member.
void FromJson(const nlohmann::ordered_json& object, CRegExRule& rule);

}  // namespace HRuleJson
