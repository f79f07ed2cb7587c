// CRegExChecker: the rule check of one string pair, the comparison of match lists and the check run's
// engine around them.
#include "check/CRegExChecker.h"

#include <algorithm>

#include "addin/HostInterfaces.h"
#include "check/CStringFromToken.h"
#include "resource.h"
#include "support/FormatInserts.h"
#include "support/KResourceSource.h"
#include "support/KStdioFile.h"

namespace {

// The order message shows this many translation matches, each cut to so many characters.
constexpr int kOrderShown = 4;
constexpr size_t kOrderMatchChars = 12;

template <class... A>
std::u16string Message(uint32_t id, const char16_t* insertFormat, const A&... args) {
  std::u16string text;
  FormatInsertsString(text, id, insertFormat, args...);
  return text;
}

// Clears the current token however the check ends, so a violation outside a token check is dropped.
class KCurrentToken {
 public:
  KCurrentToken(IHostToken*& slot, IHostToken* token) : slot_(slot) { slot_ = token; }
  KCurrentToken(const KCurrentToken&) = delete;
  KCurrentToken& operator=(const KCurrentToken&) = delete;
  ~KCurrentToken() { slot_ = nullptr; }

 private:
  IHostToken*& slot_;
};

// Each match of the rule in the text, in order, to `found`. An empty match ends the search; so does a host
// whose match would not move the search forward (a negative length, or a match behind the position), which
// would otherwise never end.
template <class Found>
void ForEachMatch(CRegExRule& rule, const std::u16string& text, Found found) {
  CRegExRule::CTextSearch search(rule, text);
  int32_t position = 0;
  int32_t start = 0;
  int32_t length = 0;
  std::u16string_view match;
  while (search.FindNext(position, &start, &length, &match) && length > 0) {
    found(start, match);
    const int64_t next = int64_t{start} + length;
    if (next <= position || next > INT32_MAX) return;
    position = static_cast<int32_t>(next);
  }
}

}  // namespace

CRegExChecker::CRegExChecker() {
  // A damaged rule file throws with the rules read so far in the list. The engine keeps and applies them,
  // as it does for a damaged project file: the damage costs only the rules behind it, not every check.
  try {
    globalRules_.LoadGlobal(true);
  } catch (const KFileException&) {
  } catch (...) {
    // Any other failure (the host's compile throwing, memory running out) ends the construction, and the
    // list does not delete its rules by itself: their expression objects would outlive the engine.
    globalRules_.DeleteAll();
    throw;
  }
}

CRegExChecker::~CRegExChecker() {
  globalRules_.DeleteAll();
  projectRules_.DeleteAll();
}

void CRegExChecker::Begin(ICheckRun* run) {
  run_ = run;
  if (run == nullptr) return;
  IHostProject* project = nullptr;
  run->GetProject(&project);
  if (project == project_) return;
  project_ = project;
  projectRules_.DeleteAll();
  if (project != nullptr) projectRules_.LoadProject(project, true);
}

void CRegExChecker::End() {
  run_ = nullptr;
}

void CRegExChecker::CheckToken(IHostToken* token) {
  // Outside a run there is nobody to report to: the token is not even read.
  if (run_ == nullptr) return;
  KCurrentToken current(token_, token);
  // One provider serves every token: it forgets the last token's texts and keeps their buffers.
  tokenTexts_.SetToken(token);
  CheckList(tokenTexts_, globalRules_);
  CheckList(tokenTexts_, projectRules_);
}

void CRegExChecker::CheckList(CStringGetter& texts, CRegExList& list) {
  for (int i = 0; i < list.GetSize(); ++i) {
    CRegExRule* rule = list.GetAt(i);
    if (rule != nullptr && rule->Active) CheckRule(texts, *rule);
  }
}

void CRegExChecker::CheckRule(CStringGetter& texts, CRegExRule& rule) {
  const bool withTags = rule.Native != 0;
  switch (rule.CheckMethod) {
    case CHECK_EXIST_IF_IN_SOURCE:
      CheckExistIfInSource(texts, rule);
      break;
    case CHECK_MUST_NOT_EXIST: {
      std::u16string match;
      if (rule.FindNext(texts.GetTranslation(withTags), 0, nullptr, nullptr, &match))
        ReportViolation(rule, Message(IDS_MUST_NOT_APPEAR, u"%s", match));
      break;
    }
    case CHECK_MUST_EXIST:
      if (!rule.FindNext(texts.GetTranslation(withTags), 0))
        ReportViolation(rule, Message(IDS_NO_MATCH, u""));
      break;
    default:
      break;
  }
}

void CRegExChecker::CheckExistIfInSource(CStringGetter& texts, CRegExRule& rule) {
  const bool withTags = rule.Native != 0;
  KMatchViews& source = sourceMatches_;
  KMatchViews& translation = translationMatches_;
  // Both texts are asked for, source first, before the host is asked to make or search the expression.
  const std::u16string& sourceText = texts.GetSource(withTags);
  const std::u16string& translationText = texts.GetTranslation(withTags);
  CollectViews(rule, sourceText, source);
  CollectViews(rule, translationText, translation);
  const int sourceCount = static_cast<int>(source.size());
  const int translationCount = static_cast<int>(translation.size());

  if ((rule.CheckFlags & CHECKFLAG_COUNT) == 0) {
    if (sourceCount > 0 && translationCount == 0)
      ReportViolation(rule, Message(IDS_UNEQUAL_COUNT, u"%d%d", sourceCount, 0));
    return;
  }
  if (sourceCount != translationCount) {
    ReportViolation(rule, Message(IDS_UNEQUAL_COUNT, u"%d%d", sourceCount, translationCount));
    return;
  }
  if ((rule.CheckFlags & CHECKFLAG_TEXT) == 0) return;
  // Matches equal pair by pair, as in most tokens, pass both comparisons without the search for partners.
  const auto equal = [&](std::u16string_view a, std::u16string_view b) { return rule.MatchesEqual(a, b); };
  if (std::equal(source.begin(), source.end(), translation.begin(), equal)) return;
  if (CompareMatchTexts(rule, source, translation) && (rule.CheckFlags & CHECKFLAG_ORDER) != 0)
    CompareMatchOrder(rule, source, translation);
}

void CRegExChecker::CollectMatches(CRegExRule& rule, const std::u16string& text, KStringArray& matches,
                                   KDWordArray* starts) {
  matches.SetSize(0);
  if (starts != nullptr) starts->SetSize(0);
  ForEachMatch(rule, text, [&](int32_t start, std::u16string_view match) {
    matches.Add(std::u16string(match));
    if (starts != nullptr) starts->Add(static_cast<uint32_t>(start));
  });
}

void CRegExChecker::CollectViews(CRegExRule& rule, const std::u16string& text, KMatchViews& matches) {
  matches.clear();
  ForEachMatch(rule, text, [&](int32_t, std::u16string_view match) { matches.push_back(match); });
}

bool CRegExChecker::CompareMatchTexts(CRegExRule& rule, const KMatchViews& source,
                                      const KMatchViews& translation) {
  if (source.size() != translation.size()) return false;
  std::vector<bool>& used = used_;
  used.assign(translation.size(), false);
  bool passed = true;
  for (const std::u16string_view match : source) {
    size_t partner = 0;
    while (partner < translation.size() && (used[partner] || !rule.MatchesEqual(match, translation[partner])))
      ++partner;
    if (partner < translation.size()) {
      used[partner] = true;
      continue;
    }
    ReportViolation(rule, Message(IDS_MISSING_IN_TRANSLATION, u"%s", std::u16string(match)));
    passed = false;
  }
  return passed;
}

bool CRegExChecker::CompareMatchOrder(CRegExRule& rule, const KMatchViews& source,
                                      const KMatchViews& translation) {
  if (source.size() != translation.size()) return false;
  size_t i = 0;
  while (i < source.size() && rule.MatchesEqual(source[i], translation[i])) ++i;
  if (i == source.size()) return true;

  std::u16string message;
  ResourceSource().GetString(IDS_WRONG_ORDER, message);
  for (size_t k = 0; k < translation.size(); ++k) {
    if (k > 0) message += u", ";
    if (k >= kOrderShown) {
      message += u"...";
      break;
    }
    message += translation[k].substr(0, kOrderMatchChars);
  }
  ReportViolation(rule, message);
  return false;
}

void CRegExChecker::ReportViolation(CRegExRule& rule, const std::u16string& detail) {
  if (token_ == nullptr || run_ == nullptr) return;
  std::u16string message = Message(IDS_RULE_VIOLATED, u"%s", rule.Name);
  message += detail;
  run_->ReportError(token_, message.c_str(), 0);
}
