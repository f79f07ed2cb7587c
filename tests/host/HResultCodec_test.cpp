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
  // .at(): a list that came back short fails the test instead of reading past its end.
  EXPECT_EQ(std::tuple(back.units, back.untranslated, back.notTranslatable, back.violations.size(),
                       back.violations.at(0).translation, back.violations.at(0).withTags,
                       back.violations.at(0).column, back.error.value().line, back.suppressed.size(),
                       back.warnings.size(), back.warnings.at(0).suppression, back.warnings.at(0).line,
                       back.rules.size(), back.rules.at(0).flags),
            std::tuple(3, 2, 1, 2u, std::string("t\0x", 3), true, 5, -7, 1u, 1u, true, 4, 1u, 14));
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
