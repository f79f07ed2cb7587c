// Command-line parsing: every option in both spellings, and the usage errors.
#include "HOptions.h"

#include <gtest/gtest.h>

#include "HError.h"

namespace {

TEST(HOptions, ReadsEveryOptionJobsAndShardsInTheirRangesAndRefusesTheRest) {
  const HOptions o = HOptions::Parse({"--format", "sarif", "--module=/m.zak", "--global-dir", "/g", "-v",
                                      "-q", "-h", "-V", "--project-rules=/p.ini", "a.po", "--", "-dash.xlf"});
  EXPECT_EQ(std::tuple(o.format, o.modulePath, o.globalFolder, o.projectRules, o.verbose, o.quiet, o.help,
                       o.version, o.paths),
            std::tuple(HFormat::Sarif, "/m.zak", "/g", "/p.ini", true, true, true, true,
                       std::vector<std::string>{"a.po", "-dash.xlf"}));
  const std::vector<std::vector<std::string>> usageErrors = {
      {}, {"--format", "xml", "a.po"}, {"--frobnicate", "a.po"}, {"a.po", "--module"}};
  for (const auto& arguments : usageErrors)
    EXPECT_THROW(HOptions::Parse(arguments), HError) << arguments.size();
  // Worker counts and shards at the edges of their ranges: the jobs, the shard's index and the count.
  // clang-format off
  const std::pair<std::vector<std::string>, std::tuple<size_t, size_t, size_t>> cases[] = {
      {{}, {0, 0, 1}}, {{"-j", "1"}, {1, 0, 1}}, {{"--jobs=1024"}, {1024, 0, 1}}, {{"--shard=1/1"}, {0, 0, 1}},
      {{"--shard", "3/3"}, {0, 2, 3}}, {{"--shard=1/1000000"}, {0, 0, 1000000}}};
  // clang-format on
  for (auto [arguments, expected] : cases) {
    arguments.push_back("a.po");
    const HOptions parsed = HOptions::Parse(arguments);
    EXPECT_EQ(std::tuple(parsed.jobs, parsed.shardIndex, parsed.shardCount), expected) << arguments[0];
  }
  for (const char* bad : {"-j0", "-j1025", "-jx", "--shard=0/3", "--shard=4/3", "--shard=1/0", "--shard=2",
                          "--shard=/", "--shard=1/-1", "--shard=1/1000001"})
    EXPECT_THROW(HOptions::Parse({bad, "a.po"}), HError) << bad;
}

}  // namespace
