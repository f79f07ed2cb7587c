// The rule check of one string pair, per rule kind and check method, and the match collection over growing
// texts (which must grow linearly with the text, however many matches it holds).
#include <benchmark/benchmark.h>

#include <string>

#include "HAddInHost.h"
#include "check/CRegExChecker.h"
#include "check/CStringGetter.h"
#include "rules/HostContext.h"

namespace {

class PairTexts final : public CStringGetter {
 public:
  PairTexts(const std::u16string& source, const std::u16string& translation)
      : source_(source), translation_(translation) {}

 protected:
  std::u16string GetText(int32_t kind) override { return kind % 2 == 0 ? source_ : translation_; }

 private:
  const std::u16string& source_;
  const std::u16string& translation_;
};

class CountingChecker final : public CRegExChecker {
 public:
  int64_t violations = 0;
  void ReportViolation(CRegExRule&, const std::u16string&) override { ++violations; }
};

// A catalogue-sized string with a placeholder every few words; the translation swaps two of them.
std::u16string Sentence(int repeats, bool swapped) {
  std::u16string text;
  for (int i = 0; i < repeats; ++i)
    text +=
        (swapped && i == 1) ? u"Copy %d of the %s file <b>now</b>. " : u"Copy %s of the %d file <b>now</b>. ";
  return text;
}

enum RuleKind { kLiteralCase, kLiteralNoCase, kRegEx };

void CheckListBench(benchmark::State& state, RuleKind kind, int32_t method, int32_t flags) {
  // The host's expression service; without a site the checker's global list stays empty.
  HAddInHost host("", {}, nullptr);
  SetHostContext(&host, nullptr);
  CountingChecker checker;
  CRegExList list;
  auto* rule = new CRegExRule;
  rule->Name = u"bench";
  rule->Pattern = kind == kRegEx ? u"%[sd]" : kind == kLiteralCase ? u"%s" : u"%S";
  rule->RegEx = kind == kRegEx;
  rule->Case = kind != kLiteralNoCase;
  rule->CheckMethod = method;
  rule->CheckFlags = flags;
  list.Add(rule);
  const std::u16string source = Sentence(static_cast<int>(state.range(0)), false);
  const std::u16string translation = Sentence(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    PairTexts texts(source, translation);  // a fresh provider per token, as in a check run
    checker.CheckList(texts, list);
  }
  state.counters["violations"] = static_cast<double>(checker.violations);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(source.size() * 2 * sizeof(char16_t)));
  list.DeleteAll();
  SetHostContext(nullptr, nullptr);
}

void CollectMatchesBench(benchmark::State& state, RuleKind kind) {
  // The host's expression service; without a site the checker's global list stays empty.
  HAddInHost host("", {}, nullptr);
  SetHostContext(&host, nullptr);
  CRegExRule rule;
  rule.Pattern = kind == kLiteralNoCase ? u"A" : u"a";
  rule.RegEx = kind == kRegEx;
  rule.Case = kind != kLiteralNoCase;
  const std::u16string text(static_cast<size_t>(state.range(0)), u'a');  // a match at every unit
  KStringArray matches;
  for (auto _ : state) {
    CRegExChecker::CollectMatches(rule, text, matches);
    benchmark::DoNotOptimize(matches.GetSize());
  }
  state.SetComplexityN(state.range(0));
  SetHostContext(nullptr, nullptr);
}

constexpr int32_t kAllFlags = CHECKFLAG_COUNT | CHECKFLAG_TEXT | CHECKFLAG_ORDER;

BENCHMARK_CAPTURE(CheckListBench, literal_case_count_text_order, kLiteralCase, CHECK_EXIST_IF_IN_SOURCE,
                  kAllFlags)
    ->Arg(1)
    ->Arg(20);
BENCHMARK_CAPTURE(CheckListBench, literal_nocase_count_text_order, kLiteralNoCase, CHECK_EXIST_IF_IN_SOURCE,
                  kAllFlags)
    ->Arg(1)
    ->Arg(20);
BENCHMARK_CAPTURE(CheckListBench, regex_count_text_order, kRegEx, CHECK_EXIST_IF_IN_SOURCE, kAllFlags)
    ->Arg(1)
    ->Arg(20);
BENCHMARK_CAPTURE(CheckListBench, regex_count, kRegEx, CHECK_EXIST_IF_IN_SOURCE, CHECKFLAG_COUNT)
    ->Arg(1)
    ->Arg(20);
BENCHMARK_CAPTURE(CheckListBench, regex_must_not_exist, kRegEx, CHECK_MUST_NOT_EXIST, 0)->Arg(1)->Arg(20);
BENCHMARK_CAPTURE(CheckListBench, regex_must_exist, kRegEx, CHECK_MUST_EXIST, 0)->Arg(1)->Arg(20);
BENCHMARK_CAPTURE(CollectMatchesBench, literal_case, kLiteralCase)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity();
BENCHMARK_CAPTURE(CollectMatchesBench, literal_nocase, kLiteralNoCase)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity();
BENCHMARK_CAPTURE(CollectMatchesBench, regex, kRegEx)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 16)
    ->Complexity();

}  // namespace

BENCHMARK_MAIN();
