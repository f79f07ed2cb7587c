// Baselines: the file as reviewers read it, which violations it holds back, and the files it refuses.
#include "HBaseline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "HError.h"
#include "HostTestFiles.h"

namespace {

HViolation At(const std::string& file, long line, const std::string& unit) {
  return {file, line, 1, unit, "R", "m\"", "s", "t"};
}

// Two files, one of them checked twice in a unit; written unsorted.
HRunResult Result(const std::string& folder) {
  HRunResult result;
  for (const char* name : {"b/x.po", "a.po"}) {
    HFileResult& file = result.files.emplace_back();
    file.path = folder + "/" + name;
    file.violations = {At(file.path, 9, "u2"), At(file.path, 3, "u1"), At(file.path, 3, "u1")};
  }
  return result;
}

TEST(HBaseline, IsWrittenSortedAndRelativeAndHoldsBackWhatItRecordedOnAnyLine) {
  HostTestFiles files;
  const std::string path = files.Write("p/baseline.json", "");  // saving replaces it
  HBaseline::Of(Result(files.Path("p"))).Save(path);
  EXPECT_EQ(
      ReadFileBytes(path),
      "{\n  \"format\": 1,\n  \"tool\": \"inline-patterns\",\n  \"violations\": [\n"
      "    {\"file\": \"a.po\", \"unit\": \"u1\", \"rule\": \"R\", \"message\": \"m\\\"\", \"count\": 2},\n"
      "    {\"file\": \"a.po\", \"unit\": \"u2\", \"rule\": \"R\", \"message\": \"m\\\"\", \"count\": 1},\n"
      "    {\"file\": \"b/x.po\", \"unit\": \"u1\", \"rule\": \"R\", \"message\": \"m\\\"\", \"count\": 2},\n"
      "    {\"file\": \"b/x.po\", \"unit\": \"u2\", \"rule\": \"R\", \"message\": \"m\\\"\", \"count\": 1}\n"
      "  ]\n}\n");

  // The path spelt otherwise, the lines moved, u1 breaks the rule once more than recorded, u2 was fixed,
  // and b/x.po was not checked, so its entries say nothing.
  HRunResult later;
  HFileResult& file = later.files.emplace_back();
  file.path = files.Path("p/b/../a.po");
  file.violations.assign(3, At(file.path, 40, "u1"));
  HBaseline::Load(path).Apply(later);
  const HBaselineResult& held = later.baseline.value();
  EXPECT_EQ(std::tuple(later.Violations(), held.unchanged.size(), held.absent.size(),
                       held.absent.at(0).unitId, held.absent.at(0).file),
            std::tuple(1, 2U, 1U, "u2", file.path));
}

TEST(HBaseline, AFileThatIsNoBaselineIsRefusedWithItsNameAndWhy) {
  HostTestFiles files;
  const std::string entry = R"({"file": "a.po", "unit": "u", "rule": "R", "message": "m", "count": )";
  const std::pair<std::string, std::string> cases[] = {
      {"", "parse error"},
      {"[]", "expected an object"},
      {R"({"format": 2, "violations": []})", "format 2 is not 1"},
      {R"({"violations": []})", "format null is not 1"},
      {R"({"format": 1, "violations": [3]})", "violation 1 is not an object"},
      {R"({"format": 1, "violations": [)" + entry + "1}, " + entry + "0}]}",
       "violation 2 needs \"count\" of 1"},
      {R"({"format": 1, "violations": [{"file": "a.po", "unit": 7, "count": 1}]})",
       "needs \"unit\" as a string"}};
  for (const auto& [text, reason] : cases) {
    const std::string path = files.Write("b.json", text);
    EXPECT_THAT([&] { HBaseline::Load(path); },
                testing::ThrowsMessage<HError>(testing::AllOf(
                    testing::StartsWith(path + ": not a baseline: "), testing::HasSubstr(reason))))
        << text;
  }
  EXPECT_THROW(HBaseline::Load(files.Path("missing.json")), HError);
}

}  // namespace
