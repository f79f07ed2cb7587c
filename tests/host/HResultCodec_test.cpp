// A file's result record through the bytes a worker sends: every field back, and damage refused.
#include "HResultCodec.h"

#include <gtest/gtest.h>

#include "HError.h"

namespace {

TEST(HResultCodec, RecordComesBackWholeAndEveryCutIsRefused) {
  HFileResult file{
      "a.po", 3, 2, 1, {}, {{}}, HInputError{"a.po", -7, "bad"}, {{"a.po", 4, "Rule", "limit", true}}, {}};
  file.violations.push_back({"a.po", 12, 5, "id", "Rule", "detail", "src", std::string("t\0x", 3), true});
  file.violations.push_back({});
  file.Describe({"Rule", "p", true, false, 2, 14, true, "r.ini"});
  std::string bytes;
  HResultCodec::Encode(file, bytes);
  const HFileResult back = HResultCodec::DecodeFile(bytes);
  EXPECT_EQ(back.units * 100 + back.untranslated * 10 + back.notTranslatable, 321);
  ASSERT_EQ(back.violations.size(), 2u);
  EXPECT_EQ(back.violations[0].translation, std::string("t\0x", 3));
  EXPECT_TRUE(back.violations[0].withTags);
  ASSERT_TRUE(back.error.has_value());
  EXPECT_EQ(back.error->line, -7);
  EXPECT_EQ(back.violations[0].column, 5);
  EXPECT_EQ(back.suppressed.size(), 1u);
  EXPECT_TRUE(back.warnings[0].suppression);
  ASSERT_EQ(back.warnings.size() + back.rules.size(), 2u);
  EXPECT_EQ(back.warnings[0].line + back.rules[0].flags, 18);
  std::string again;
  HResultCodec::Encode(back, again);
  EXPECT_EQ(again, bytes);
  for (size_t length = 0; length < bytes.size(); ++length)
    EXPECT_THROW(HResultCodec::DecodeFile(bytes.substr(0, length)), HError) << length;
  EXPECT_THROW(HResultCodec::DecodeFile(bytes + '\0'), HError);

  HRunResult run;
  run.warnings = file.warnings;
  run.rules["Rule"] = file.rules[0];
  std::string runBytes;
  HResultCodec::EncodeRun(run, runBytes);
  EXPECT_EQ(HResultCodec::DecodeRun(runBytes).rules.at("Rule").ruleFile, "r.ini");
}

}  // namespace
