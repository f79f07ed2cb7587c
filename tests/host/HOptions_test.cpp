// Command-line parsing: every option in both spellings, and the usage errors.
#include "HOptions.h"

#include <gtest/gtest.h>

#include "HError.h"

namespace {

TEST(HOptions, ReadsEveryOption) {
  const HOptions options = HOptions::Parse({"--format", "sarif", "--module=/m.zak", "--global-dir", "/g",
                                            "-v", "-q", "--project-rules=/p.ini", "a.po", "--", "-dash.xlf"});
  EXPECT_EQ(options.format, HFormat::Sarif);
  EXPECT_EQ(options.modulePath, "/m.zak");
  EXPECT_EQ(options.globalFolder, "/g");
  EXPECT_EQ(options.projectRules, "/p.ini");
  EXPECT_TRUE(options.verbose);
  EXPECT_TRUE(options.quiet);
  EXPECT_EQ(options.paths, (std::vector<std::string>{"a.po", "-dash.xlf"}));
}

TEST(HOptions, HelpAndVersionNeedNoPath) {
  EXPECT_TRUE(HOptions::Parse({"--help"}).help);
  EXPECT_TRUE(HOptions::Parse({"-V"}).version);
}

TEST(HOptions, UsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--format", "xml", "a.po"}, {"--frobnicate", "a.po"}, {"a.po", "--module"}};
  for (const auto& arguments : cases) EXPECT_THROW(HOptions::Parse(arguments), HError) << arguments.size();
}

}  // namespace
