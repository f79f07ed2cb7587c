// The rule check of one string pair, per rule kind and check method, and the match collection over growing
// texts (which must grow linearly with the text, however many matches it holds).
#include <benchmark/benchmark.h>

#include <string>

#include "HRegExp.h"
#include "check/CRegExChecker.h"
#include "check/CStringGetter.h"
#include "rules/HostContext.h"

namespace {

// Only the expression service; without a site the checker's global list stays empty.
class BenchHost final : public IAddInHost {
 public:
  int32_t ZAKCALL CreateRegExp(IHostRegExp** out, const char16_t* pattern, int32_t flags) override {
    *out = HRegExp::Create(pattern, flags, nullptr);
    return *out != nullptr ? 0 : 1;
  }
  int32_t ZAKCALL GetResourceLibrary(int32_t, void*, char16_t*, int32_t) override { return 1; }
  int32_t ZAKCALL GetProject(int32_t, IHostProject** out) override { return *out = nullptr, 0; }
  int32_t ZAKCALL GetCurrentProject(IHostProject** out) override { return *out = nullptr, 0; }
  int32_t ZAKCALL Unused1() override { return 0; }
  int32_t ZAKCALL Unused2() override { return 0; }
  int32_t ZAKCALL Unused3() override { return 0; }
  int32_t ZAKCALL Unused4() override { return 0; }
  int32_t ZAKCALL Unused5() override { return 0; }
  int32_t ZAKCALL Unused6() override { return 0; }
  int32_t ZAKCALL Unused7() override { return 0; }
  int32_t ZAKCALL Unused8() override { return 0; }
  int32_t ZAKCALL Unused9() override { return 0; }
  int32_t ZAKCALL Unused10() override { return 0; }
  int32_t ZAKCALL Unused11() override { return 0; }
};

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
  BenchHost host;
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
  BenchHost host;
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
