// CRegExChecker: the check engine. It keeps the global rules and the current project's rules loaded, checks
// one string pair at a time against them and passes every violation on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/CStringFromToken.h"
#include "rules/CRegExList.h"
#include "support/KDWordArray.h"
#include "support/KStringArray.h"

class CStringGetter;
class ICheckRun;
class IHostProject;
class IHostToken;

class CRegExChecker {
 public:
  // Loads the global rules, with their expressions compiled before the first token. A damaged rule file
  // leaves the rules read before the damage; any other failure deletes the rules loaded so far and throws.
  CRegExChecker();
  CRegExChecker(const CRegExChecker&) = delete;
  CRegExChecker& operator=(const CRegExChecker&) = delete;
  // Deletes every rule of both lists, and with them their expression objects.
  virtual ~CRegExChecker();

  // Starts a run; the project rules are reloaded only when the run's project differs from the loaded one.
  void Begin(ICheckRun* run);
  // Ends the run: the engine forgets the run object, which the host may free, and keeps its rules.
  void End();
  // Checks one token against the global rules, then the project rules; nothing outside a run.
  void CheckToken(IHostToken* token);

  // Applies every active rule of the list to the pair; each broken rule goes to ReportViolation.
  void CheckList(CStringGetter& texts, CRegExList& list);
  // All matches of the rule in the text, in order; stops at the first empty match, which is not taken.
  // Where starts is given, it gets each match's position in the text. The arrays keep their storage for
  // the next collection.
  static void CollectMatches(CRegExRule& rule, const std::u16string& text, KStringArray& matches,
                             KDWordArray* starts = nullptr);
  // A text's matches as views of it, for the rule check.
  using KMatchViews = std::vector<std::u16string_view>;
  // Each source match needs its own equal translation match; true when nothing was reported.
  bool CompareMatchTexts(CRegExRule& rule, const KMatchViews& source, const KMatchViews& translation);
  // Matches must pair up index by index; true when nothing was reported.
  bool CompareMatchOrder(CRegExRule& rule, const KMatchViews& source, const KMatchViews& translation);

  // Hands the violation to the run against the current token, after the sentence naming the rule.
  virtual void ReportViolation(CRegExRule& rule, const std::u16string& detail);

 protected:
  IHostToken* token_ = nullptr;      // the token under check; null outside a token check
  ICheckRun* run_ = nullptr;         // the run between its begin and its end; null outside a run
  IHostProject* project_ = nullptr;  // whose rules are loaded; compared by address only
  CRegExList globalRules_;
  CRegExList projectRules_;

 private:
  void CheckRule(CStringGetter& texts, CRegExRule& rule);
  void CheckExistIfInSource(CStringGetter& texts, CRegExRule& rule);
  // CollectMatches into views of the text.
  static void CollectViews(CRegExRule& rule, const std::u16string& text, KMatchViews& matches);

  // Kept from token to token with their storage, so that a token that breaks no rule allocates nothing.
  // The match lists view the provider's texts, which stay put while a rule is checked.
  CStringFromToken tokenTexts_{nullptr};
  KMatchViews sourceMatches_;
  KMatchViews translationMatches_;
  std::vector<bool> used_;
};
