// Reading a samples file and comparing what each sample's rule reports with what the sample expects.
#include "HRuleSamples.h"

#include <nlohmann/json.hpp>
#include <set>

#include "HError.h"
#include "HFileBytes.h"
#include "HRuleTrial.h"
#include "rules/CRegExList.h"
#include "support/KUtf8.h"

namespace {

const nlohmann::ordered_json& Member(const nlohmann::ordered_json& object, const char* name,
                                     bool (nlohmann::ordered_json::*is)() const, const char* kind) {
  const auto found = object.find(name);
  if (found == object.end() || !((*found).*is)())
    throw HError(std::string("a sample needs \"") + name + "\" as " + kind);
  return *found;
}

CRegExRule* RuleNamed(CRegExList& rules, const std::string& name) {
  const std::u16string wanted = Utf8ToUtf16(name);
  for (int i = 0; i < rules.GetSize(); ++i) {
    if (rules[i]->Name == wanted) return rules[i];
  }
  return nullptr;
}

void PrintLines(std::ostream& out, const std::vector<std::string>& lines) {
  if (lines.empty()) out << "    (no violation)\n";
  for (const std::string& line : lines) out << "    " << line << "\n";
}

}  // namespace

HRuleSamples::HRuleSamples(const std::string& path)
    : m_path(path), m_text(HFileBytes::Read(path, "samples file")) {}

void HRuleSamples::Run(CRegExList& rules, HRuleTrial& trial, std::ostream& out, Tally& tally) const {
  nlohmann::ordered_json samples;
  try {
    samples = nlohmann::ordered_json::parse(m_text);
  } catch (const nlohmann::ordered_json::parse_error& error) {
    throw HError(m_path + ": " + error.what());
  }
  if (!samples.is_object()) throw HError(m_path + ": the samples must be an object of rule names");
  std::set<std::u16string> tried;
  for (const auto& [name, pairs] : samples.items()) {
    CRegExRule* rule = RuleNamed(rules, name);
    if (!pairs.is_array()) throw HError(m_path + ": the samples of \"" + name + "\" must be an array");
    for (size_t i = 0; i < pairs.size(); ++i) {
      ++tally.samples;
      const nlohmann::ordered_json& pair = pairs[i];
      std::vector<std::string> expected;
      try {
        if (!pair.is_object()) throw HError("a sample must be an object");
        for (const auto& message : Member(pair, "violations", &nlohmann::ordered_json::is_array, "an array"))
          expected.push_back(message.get<std::string>());
        const std::string source = Member(pair, "source", &nlohmann::ordered_json::is_string, "a string");
        const std::string translation =
            Member(pair, "translation", &nlohmann::ordered_json::is_string, "a string");
        if (rule == nullptr) throw HError("the rule file has no rule of this name");
        const HRuleTrial::Outcome outcome = trial.Try(*rule, source, translation);
        if (outcome.violations == expected) continue;
        ++tally.failed;
        out << m_path << ": \"" << name << "\", sample " << i + 1 << ": expected\n";
        PrintLines(out, expected);
        out << "  but the rule reports\n";
        PrintLines(out, outcome.violations);
      } catch (const nlohmann::ordered_json::exception& error) {
        throw HError(m_path + ": \"" + name + "\", sample " + std::to_string(i + 1) + ": " + error.what());
      } catch (const HError& error) {
        ++tally.failed;
        out << m_path << ": \"" << name << "\", sample " << i + 1 << ": " << error.what() << "\n";
      }
    }
    tried.insert(Utf8ToUtf16(name));
  }
  for (int i = 0; i < rules.GetSize(); ++i) tally.rulesWithout += tried.count(rules[i]->Name) == 0 ? 1 : 0;
}
