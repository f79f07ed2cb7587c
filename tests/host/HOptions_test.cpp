// Command-line parsing: every option in both spellings, and the usage errors.
#include "HOptions.h"

#include <gtest/gtest.h>

#include "HError.h"

namespace {

TEST(HOptions, ReadsEveryOption) {
  const HOptions options =
      HOptions::Parse({"--format", "sarif", "--module=/m.zak", "--global-dir", "/g", "-v", "-q", "-h", "-V",
                       "--project-rules=/p.ini", "a.po", "--", "-dash.xlf"});
  EXPECT_EQ(options.format, HFormat::Sarif);
  EXPECT_EQ(options.modulePath, "/m.zak");
  EXPECT_EQ(options.globalFolder, "/g");
  EXPECT_EQ(options.projectRules, "/p.ini");
  EXPECT_TRUE(options.verbose);
  EXPECT_TRUE(options.quiet && options.help && options.version);
  EXPECT_EQ(options.paths, (std::vector<std::string>{"a.po", "-dash.xlf"}));
}

TEST(HOptions, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--format", "xml", "a.po"}, {"--frobnicate", "a.po"}, {"a.po", "--module"}};
  for (const auto& arguments : cases) EXPECT_THROW(HOptions::Parse(arguments), HError) << arguments.size();
}

// Worker counts and shards at the edges of their ranges.
TEST(HOptions, JobsAndShardsTakeTheirRangesOnly) {
  EXPECT_EQ(HOptions::Parse({"a.po"}).jobs, 0u);
  EXPECT_EQ(HOptions::Parse({"-j", "1", "a.po"}).jobs, 1u);
  EXPECT_EQ(HOptions::Parse({"--jobs=1024", "a.po"}).jobs, 1024u);
  const HOptions last = HOptions::Parse({"--shard", "3/3", "a.po"});
  EXPECT_EQ(last.shardIndex, 2u);
  EXPECT_EQ(last.shardCount, 3u);
  EXPECT_EQ(HOptions::Parse({"--shard=1/1", "a.po"}).shardIndex, 0u);
  for (const char* bad : {"-j0", "-j1025", "-jx", "--shard=0/3", "--shard=4/3", "--shard=1/0", "--shard=2",
                          "--shard=/", "--shard=1/-1"})
    EXPECT_THROW(HOptions::Parse({bad, "a.po"}), HError) << bad;
}

}  // namespace
