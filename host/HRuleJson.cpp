// Converting rules to and from their JSON form.
#include "HRuleJson.h"

#include <nlohmann/json.hpp>

#include "HError.h"
#include "HRuleChange.h"
#include "rules/CRegExRule.h"
#include "support/KUtf8.h"

namespace {

// The members that hold a rule's on/off fields, and for the flags the bit they stand for.
struct HBooleanMember {
  const char* name;
  int32_t CRegExRule::*field;
  int32_t bit;  // 0: the whole field
};

constexpr HBooleanMember kBooleans[] = {{"active", &CRegExRule::Active, 0},
                                        {"regex", &CRegExRule::RegEx, 0},
                                        {"case", &CRegExRule::Case, 0},
                                        {"count", &CRegExRule::CheckFlags, CHECKFLAG_COUNT},
                                        {"text", &CRegExRule::CheckFlags, CHECKFLAG_TEXT},
                                        {"order", &CRegExRule::CheckFlags, CHECKFLAG_ORDER},
                                        {"withTags", &CRegExRule::Native, 0},
                                        {"convertToTag", &CRegExRule::Tag, 0}};

std::u16string Text(const nlohmann::ordered_json& object, const char* name) {
  const auto member = object.find(name);
  if (member == object.end() || !member->is_string())
    throw HError(std::string("a rule needs \"") + name + "\" as a string");
  return Utf8ToUtf16(member->get<std::string>());
}

bool IsKnown(const std::string& name) {
  if (name == "name" || name == "pattern" || name == "method") return true;
  for (const HBooleanMember& member : kBooleans) {
    if (name == member.name) return true;
  }
  return false;
}

}  // namespace

nlohmann::ordered_json HRuleJson::ToJson(const CRegExRule& rule) {
  nlohmann::ordered_json object = {{"name", Utf16ToUtf8(rule.Name)},
                                   {"pattern", Utf16ToUtf8(rule.Pattern)},
                                   {"method", HRuleChange::MethodName(rule.CheckMethod)}};
  for (const HBooleanMember& member : kBooleans) {
    const int32_t value = rule.*member.field;
    object[member.name] = member.bit == 0 ? value != 0 : (value & member.bit) != 0;
  }
  return object;
}

void HRuleJson::FromJson(const nlohmann::ordered_json& object, CRegExRule& rule) {
  if (!object.is_object()) throw HError("a rule must be a JSON object");
  for (const auto& item : object.items()) {
    if (!IsKnown(item.key())) throw HError("unknown rule member \"" + item.key() + "\"");
  }
  rule.Name = Text(object, "name");
  rule.Pattern = Text(object, "pattern");
  if (object.contains("method")) {
    if (!object["method"].is_string()) throw HError("\"method\" must be a string");
    rule.CheckMethod = HRuleChange::ParseMethod(object["method"].get<std::string>());
  }
  for (const HBooleanMember& member : kBooleans) {
    const auto value = object.find(member.name);
    if (value == object.end()) continue;
    if (!value->is_boolean()) throw HError(std::string("\"") + member.name + "\" must be true or false");
    const bool on = value->get<bool>();
    int32_t& field = rule.*member.field;
    field = member.bit == 0 ? (on ? 1 : 0) : (on ? field | member.bit : field & ~member.bit);
  }
}
