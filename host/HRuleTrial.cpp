// Trying a rule: the module's CRuleTest with a checker that keeps the violations it is told of.
#include "HRuleTrial.h"

#include "check/CRegExChecker.h"
#include "check/CRuleTest.h"
#include "check/CStringGetter.h"
#include "support/KUtf8.h"

namespace {

std::u16string WithLineFeeds(const std::string& text) {
  std::u16string lines;
  const std::u16string wide = Utf8ToUtf16(text);
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] != u'\r' || i + 1 >= wide.size() || wide[i + 1] != u'\n') lines += wide[i];
  }
  return lines;
}

// The sample pair: a text with its tags is the text itself, as in the test pane.
class HSamplePair : public CStringGetter {
 public:
  HSamplePair(std::u16string source, std::u16string translation)
      : m_source(std::move(source)), m_translation(std::move(translation)) {}

 protected:
  std::u16string GetText(int32_t kind) override {
    if (kind == TEXTKIND_SOURCE || kind == TEXTKIND_SOURCE_NATIVE) return m_source;
    if (kind == TEXTKIND_TRANSLATION || kind == TEXTKIND_TRANSLATION_NATIVE) return m_translation;
    return {};
  }

 private:
  std::u16string m_source;
  std::u16string m_translation;
};

std::vector<HRuleTrial::Match> Matches(CRegExRule& rule, const std::u16string& text) {
  KStringArray texts;
  KDWordArray starts;
  CRegExChecker::CollectMatches(rule, text, texts, &starts);
  std::vector<HRuleTrial::Match> matches;
  matches.reserve(static_cast<size_t>(texts.GetSize()));
  for (int i = 0; i < texts.GetSize(); ++i) matches.push_back({starts[i], texts[i].size()});
  return matches;
}

}  // namespace

class HTrialChecker : public CRegExChecker {
 public:
  void ReportViolation(CRegExRule&, const std::u16string& detail) override {
    violations.push_back(Utf16ToUtf8(detail));
  }
  std::vector<std::string> violations;
};

HRuleTrial::HRuleTrial() : m_checker(std::make_unique<HTrialChecker>()) {}

HRuleTrial::~HRuleTrial() = default;

HRuleTrial::Outcome HRuleTrial::Try(const CRegExRule& rule, const std::string& source,
                                    const std::string& translation) {
  Outcome outcome;
  outcome.source = WithLineFeeds(source);
  outcome.translation = WithLineFeeds(translation);
  HSamplePair texts(outcome.source, outcome.translation);
  CRuleTest test(rule);
  m_checker->violations.clear();
  test.Check(*m_checker, texts);
  outcome.violations = std::move(m_checker->violations);
  outcome.summary = Utf16ToUtf8(test.Summary(texts, !outcome.violations.empty(), u"\n"));
  outcome.sourceMatches = Matches(test.Rule(), outcome.source);
  outcome.translationMatches = Matches(test.Rule(), outcome.translation);
  return outcome;
}
