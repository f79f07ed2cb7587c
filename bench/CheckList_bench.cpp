// The rule check of one string pair, per rule kind and check method, the match collection over growing
// texts (which must grow linearly with the text, however many matches it holds), and a whole token through
// the host's token with the rules of bench/rules, counting the allocations each token costs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "HAddInHost.h"
#include "HToken.h"
#include "check/CRegExChecker.h"
#include "check/CStringGetter.h"
#include "rules/HostContext.h"

namespace {

std::atomic<int64_t> g_allocations{0};

}  // namespace

// Every allocation of the process is counted: the benchmarks report how many one token costs. The
// replaced pair is malloc and free underneath, which the compiler cannot see as a pair.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, size_t) noexcept {
  std::free(block);
}

namespace {

class AllocationCount {
 public:
  explicit AllocationCount(benchmark::State& state) : m_state(state), m_start(g_allocations.load()) {}
  ~AllocationCount() {
    m_state.counters["allocs/token"] =
        static_cast<double>(g_allocations.load() - m_start) / static_cast<double>(m_state.iterations());
  }

 private:
  benchmark::State& m_state;
  int64_t m_start;
};

// A run that only counts what the module reports.
class CountingRun final : public KCheckRunBase {
 public:
  int64_t violations = 0;
  int32_t ZAKCALL ReportError(IHostToken*, const char16_t*, int32_t) override {
    ++violations;
    return 0;
  }
  int32_t ZAKCALL GetProject(IHostProject** out) override {
    *out = nullptr;
    return 0;
  }
  int32_t ZAKCALL IsFinal(int32_t* isFinal) override {
    *isFinal = 0;
    return 0;
  }
};

// One catalog entry after another through the host's token, as a check run of the program has them.
void CheckTokenBench(benchmark::State& state) {
  HAddInHost host(IP_BENCH_RULES, {}, nullptr);
  SetHostContext(&host, host.Site());
  CountingRun run;
  {
    CRegExChecker checker;
    checker.Begin(&run);
    HUnit unit;
    unit.sourcePlain = unit.sourceNative = "Copy %s to %d files in <b>%s</b>; see https://example.org/help";
    unit.targetPlain = unit.targetNative =
        "Kopiere %s nach %d Dateien in <b>%s</b>; siehe https://example.org/help";
    HToken token;
    token.SetUnit(&unit);
    AllocationCount allocations(state);
    for (auto _ : state) checker.CheckToken(&token);
    checker.End();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["violations"] = static_cast<double>(run.violations);
  SetHostContext(nullptr, nullptr);
}
BENCHMARK(CheckTokenBench);

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
  AllocationCount allocations(state);
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
