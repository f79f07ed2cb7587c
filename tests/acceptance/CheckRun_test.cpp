// Check runs through the module's exports only: the messages the host receives and in what order, which
// texts a token is asked for, how long the engine keeps its rules and expression objects, and a damaged
// rule file.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "common/TestHost.h"
#include "support/KUtf8.h"

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Allocation failures injected into the module (a Windows DLL carries its own operator new): while armed, the
// allocation numbered failAt that the module's own code asks for throws std::bad_alloc. The test host's
// allocations never fail.
struct {
  const void* module = nullptr;
  bool armed = false;
  long count = 0;
  long failAt = 0;
} allocations;

bool FailsHere(void* caller) {
  Dl_info info{};
  if (!allocations.armed || dladdr(caller, &info) == 0 || info.dli_fbase != allocations.module) return false;
  return ++allocations.count == allocations.failAt;
}

}  // namespace

void* operator new(std::size_t size) {
  if (FailsHere(__builtin_return_address(0))) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
  std::free(block);
}

namespace {
#endif

struct Rule {
  std::string name, pattern;  // the pattern a regular expression
  int method;                 // with CheckFlags 2
};

// A rule file as the reader takes it: UTF-8 with its byte order mark.
void WriteRules(const fs::path& path, const std::vector<Rule>& rules) {
  std::ofstream out(path, std::ios::binary);
  out << "\xEF\xBB\xBF";
  for (const Rule& rule : rules)
    out << "[Pattern-00]\r\nName=" << rule.name << "\r\nPattern=" << rule.pattern
        << "\r\nRegEx=1\r\nCheckMethod=" << rule.method << "\r\nCheckFlags=2\r\n\r\n";
}

std::string Violation(const std::string& rule, const std::string& detail) {
  return "Regular expression rule \"" + rule + "\" violated. " + detail;
}

std::string MustNot(const std::string& rule, const std::string& text) {
  return Violation(rule, "Text \"" + text + "\" must not appear.");
}

class CheckRunTest : public testing::Test {
 protected:
  void SetUp() override {
    site.folder = files.Path() / "addin";
    fs::create_directory(site.folder);
    uint32_t table[13] = {};
    module.LoadAddIn(table);
    std::vector<uint8_t> description(848);
    module.Initialize(description.data(), &host, &site);
    for (auto [project, name] : {std::pair{&projectA, "a.ini"}, std::pair{&projectB, "b.ini"}})
      project->rulePath = testhost::ToU16(files.Path() / name);
    token.plainSource = u"<b>12</b>";
    token.plainTranslation = u"<b>3 45";
  }
  // Every test leaves the module without an engine, so every expression object is gone.
  void TearDown() override { End(1); }

  fs::path GlobalFile() const { return site.folder / "settings.ini"; }

  // One run over the token; the messages it received.
  std::vector<std::string> Run(IHostProject* project, int32_t isFinal = 1) {
    run.project = project;
    run.messages.clear();
    EXPECT_EQ(module.BeginCheckTokens(0, &run), 0);
    EXPECT_EQ(module.CheckToken(&token, 0, &options), 0);
    End(isFinal);
    std::vector<std::string> texts;
    for (const auto& message : run.messages) {
      EXPECT_EQ(message.token, &token);
      texts.push_back(Utf16ToUtf8(message.text));
    }
    return texts;
  }

  void End(int32_t isFinal) {
    run.isFinal = isFinal;
    EXPECT_EQ(module.EndCheckTokens(0, &run), 0);
  }

  testhost::TempDir files;
  testhost::TestAddInHost host;
  testhost::TestSite site;
  testhost::TestProject projectA, projectB;
  testhost::TestCheckRun run;
  testhost::TestToken token;
  testhost::TestCheckOptions options;
  testhost::ModuleLoader module;
};

TEST_F(CheckRunTest, GlobalViolationsComeFirstAndEachTextIsFetchedOnceOrNotAtAllWhenSwitchedOff) {
  WriteRules(GlobalFile(), {{"Tags", "<[^>]+>", 1}});
  WriteRules(projectA.rulePath, {{"Digits", "\\d+", 2}});
  EXPECT_EQ(Run(&projectA), (std::vector<std::string>{
                                Violation("Tags", "Unequal number of matches. Source: 2, Translation: 1"),
                                MustNot("Digits", "3")}));
  EXPECT_EQ(token.calls, (std::vector<testhost::TestToken::Call>{{0xFFD0, 1}, {0xFFD0, 2}}));
  options.on = false;  // a check switched off reads no text
  token.calls.clear();
  EXPECT_EQ((std::tuple{Run(&projectA).size(), token.calls.size()}),
            std::tuple(0u, 0u));  // braced: the run comes first
  EXPECT_EQ(options.asked, (std::vector<int32_t>{0x100000, 0x100000}));
}

// Before the first run, and after a run whose end kept the engine, a token reaches no run object (which
// the host may have freed) and is not read.
TEST_F(CheckRunTest, TokenOutsideARunAndEndWithoutEngineDoNothing) {
  WriteRules(GlobalFile(), {{"Digits", "\\d", 2}});
  EXPECT_EQ(module.CheckToken(&token, 0, &options), 0);
  End(1);
  End(1);
  EXPECT_EQ(std::tuple(run.messages.size(), token.calls.size(), host.created), std::tuple(0u, 0u, 0));

  EXPECT_EQ(Run(nullptr, 0).size(), 1u);
  run.messages.clear();
  token.calls.clear();
  EXPECT_EQ(module.CheckToken(&token, 0, &options), 0);
  EXPECT_EQ(std::tuple(run.messages.size(), token.calls.size()), std::tuple(0u, 0u));
}

// The engine keeps its rules (and reads no file) until a final end; a run reads the project's rules only
// when its project differs from the last run's, and each expression object lives as long as its list.
TEST_F(CheckRunTest, EngineLivesUntilAFinalEndAndProjectRulesFollowTheRunsProject) {
  WriteRules(GlobalFile(), {{"Old", "\\d", 2}});
  WriteRules(projectA.rulePath, {{"A", "3", 2}});
  WriteRules(projectB.rulePath, {{"B", "4", 2}, {"C", "9", 2}});
  const std::string old = MustNot("Old", "3"), a = MustNot("A", "3"), b = MustNot("B", "4");
  EXPECT_EQ(Run(&projectA, 0), (std::vector{old, a}));
  WriteRules(GlobalFile(), {{"New", "x", 3}});
  const std::string newRule = Violation("New", "No text found that matches the rule.");
  // The run's project and final flag; its messages, then the path requests of A and B and the objects alive.
  const std::tuple<IHostProject*, int32_t, std::vector<std::string>, int, int, int> steps[] = {
      {&projectB, 0, {old, b}, 1, 1, 3},     {&projectA, 0, {old, a}, 2, 1, 2},
      {nullptr, 0, {old}, 2, 1, 1},          {&projectA, 1, {old, a}, 3, 1, 0},
      {&projectA, 0, {newRule, a}, 4, 1, 2}, {&projectA, 1, {newRule, a}, 4, 1, 0},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    const auto& [project, isFinal, messages, pathCallsA, pathCallsB, alive] = steps[i];
    EXPECT_EQ((std::tuple{Run(project, isFinal), projectA.pathCalls, projectB.pathCalls, host.Alive()}),
              std::tuple(messages, pathCallsA, pathCallsB, alive));
  }
}

// A damaged rule file throws inside the module; the engine applies the rules read before the damage.
TEST_F(CheckRunTest, DamagedRuleFileKeepsTheRulesBeforeTheDamage) {
  // F0 starts no character the reader knows.
  WriteRules(GlobalFile(), {{"Before", "3", 2}, {"After\xF0", "4", 2}});
  EXPECT_EQ(Run(nullptr), std::vector{MustNot("Before", "3")});
  EXPECT_EQ(host.Alive(), 0);
}

#ifndef _WIN32
// Every allocation of a run (the rule files read, the expressions made, the token checked, the run ended)
// fails once in turn: no exception leaves an export, no expression object is left, and the next run
// reports exactly what a run reports.
TEST_F(CheckRunTest, EachFailedAllocationOfARunLeavesTheModuleWorking) {
  WriteRules(GlobalFile(), {{"Tags", "<[^>]+>", 1}, {"Digits", "\\d+", 2}});
  WriteRules(projectA.rulePath, {{"Bold", "<b>", 3}});
  const std::vector<std::string> expected = Run(&projectA);
  allocations = {module.BaseAddress(), true, 0, 0L};
  Run(&projectA);
  const long total = allocations.count;
  ASSERT_GT(total, 20);
  for (long n = 1; n <= total; ++n) {
    allocations = {module.BaseAddress(), true, 0, n};
    run.project = &projectA;
    module.BeginCheckTokens(0, &run);
    module.CheckToken(&token, 0, &options);
    End(1);
    allocations.armed = false;
    ASSERT_EQ(host.Alive(), 0) << "allocation " << n;
    ASSERT_EQ(Run(&projectA), expected) << "allocation " << n;
  }
}
#endif

}  // namespace
