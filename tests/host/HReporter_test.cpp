// The report formats: well-formed documents that carry every field of every violation.
#include "HReporter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>
#include <sstream>

#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;

// A folder with a blank and a file name with a non-ASCII letter and a percent sign, as URIs must encode them.
const std::string kDirty = "d \xC3\xA9/dirty%.xlf";

HRunResult SampleResult() {
  HRunResult result;
  HFileResult& clean = result.files.emplace_back();
  clean.path = "a b/clean.po";
  clean.units = 3;
  HFileResult& dirty = result.files.emplace_back();
  dirty.path = kDirty;
  dirty.units = 2;
  dirty.untranslated = 4;
  dirty.notTranslatable = 1;
  // Quotes, a backslash, markup, control characters, tab and line ends: everything a format must escape.
  dirty.violations.push_back({kDirty, 7, "u\"1", "Tags <x>", "\"<b>\" doesn't exist in translation.",
                              "a\\ <b>\x01\x1f", "c\td\r\n", true});
  // A stray byte of a catalog that only claims to be UTF-8.
  dirty.violations.push_back({kDirty, 0, "u2", "", "a message without a rule", "s\xE1", "t"});
  return result;
}

std::string Render(HFormat format, const HRunResult& result = SampleResult()) {
  std::ostringstream out;
  HReporter(format, false, false).Write(result, out);
  return out.str();
}

// Python's json module is the reference parser; the script asserts on the parsed document.
int CheckWithPython(const std::string& document, const std::string& assertions) {
  HostTestFiles files;
  const std::string data = files.Write("report.json", document);
  const std::string script = files.Write(
      "check.py", "import json, sys\nd = json.load(open(sys.argv[1], encoding=\"utf-8\"))\n" + assertions);
  return std::system(("python3 " + script + " " + data).c_str());
}

// Lines as compilers print them; a file's control characters are shown, never sent to the terminal.
TEST(HReporter, TextLinesAreCompilerStyleWithControlCharactersEscaped) {
  const struct {
    HViolation violation;
    bool colour, verbose;
    std::string expected;
  } cases[] = {
      {{"a.po", 7, "u\"1", "Tags <x>", "\"<b>\" missing", "s", "t"},
       false,
       false,
       "a.po:7: warning: [u\"1] \"<b>\" missing [Tags <x>]\n"},
      {{"a.po", 0, "u2", "", "no rule", "s", "t"}, false, false, "a.po: warning: [u2] no rule\n"},
      // The edges of C0, DEL and C1 (U+0080..U+009F); a space, a tilde and U+00A0 stay as they are.
      {{"a\x1b.po", 1, "u\a", "r\x7f", "m\x1f ~", "\x01\t\x1f",
        "\r\n\x1b[31m\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0", true},
       false,
       true,
       "a\\x1B.po:1: warning: [u\\x07] m\\x1F ~ [r\\x7F]\n    source (with tags):      \\x01\\t\\x1F\n"
       "    translation (with tags): \\r\\n\\x1B[31m\\u0080\\u009B\\u009F\xc2\xa0\n"},
      {{"a\x1b.po", 3, "u", "r", "m", "s", "t"},
       true,
       false,
       "\x1b[1ma\\x1B.po:3:\x1b[0m \x1b[1;35mwarning:\x1b[0m [u] m [\x1b[1;31mr\x1b[0m]\n"},
  };
  for (const auto& c : cases) {
    HRunResult result;
    result.files.emplace_back().violations.push_back(c.violation);
    std::ostringstream out;
    HReporter(HFormat::Text, c.colour, c.verbose).Write(result, out);
    EXPECT_EQ(out.str(), c.expected);
  }
}

TEST(HReporter, ErrorLinesPutTheFilesPositionFirst) {
  EXPECT_EQ(HReporter::ErrorLine({"a.po", 3, "bad \x1b"}), "a.po:3: error: bad \\x1B\n");
  EXPECT_EQ(HReporter::ErrorLine({"a.po", 0, "unknown charset"}), "a.po: error: unknown charset\n");
  EXPECT_EQ(HReporter::ErrorLine({"", 0, "the module's x"}), "inline-patterns: error: the module's x\n");
}

TEST(HReporter, JsonCarriesEveryField) {
  HRunResult result = SampleResult();
  HFileResult& broken = result.files.emplace_back();
  broken.path = "b.po";
  broken.error = HInputError{"b.po", 3, "bad \"x\""};
  result.errors.push_back({"", 0, "the module's x"});
  EXPECT_EQ(CheckWithPython(Render(HFormat::Json, result), R"(
v = d["violations"]
assert d["format"] == 1
assert d["errors"] == [{"file": "b.po", "line": 3, "message": 'bad "x"'},
                       {"file": "", "line": 0, "message": "the module's x"}], d["errors"]
assert d["summary"] == {"files": 3, "units": 5, "untranslated": 4, "not_translatable": 1, "violations": 2}, d["summary"]
assert v[0] == {"file": "d é/dirty%.xlf", "line": 7, "unit": 'u"1', "rule": "Tags <x>",
                "message": '"<b>" doesn\'t exist in translation.', "source": "a\\ <b>\x01\x1f", "translation": "c\td\r\n", "with_tags": True}, v[0]
assert v[1]["rule"] == "" and v[1]["line"] == 0 and v[1]["source"] == "s\ufffd"
)"),
            0);
}

TEST(HReporter, SarifIsAMinimalValidLogWithEncodedUris) {
  EXPECT_EQ(CheckWithPython(Render(HFormat::Sarif), R"(
assert d["version"] == "2.1.0"
run = d["runs"][0]
assert run["properties"] == {"units": 5, "untranslated": 4, "not_translatable": 1}, run["properties"]
assert run["tool"]["driver"]["name"] == "inline-patterns"
ids = [r["id"] for r in run["tool"]["driver"]["rules"]]
r = run["results"]
assert [x["ruleId"] for x in r] == ["Tags <x>", "inline-patterns"] and all(i in ids for i in ["Tags <x>", "inline-patterns"])
loc = r[0]["locations"][0]["physicalLocation"]
assert loc == {"artifactLocation": {"uri": "d%20%C3%A9/dirty%25.xlf"}, "region": {"startLine": 7}}, loc
assert "region" not in r[1]["locations"][0]["physicalLocation"]
assert 'u"1' in r[0]["message"]["text"]
assert r[0]["properties"] == {"source": "a\\ <b>\x01\x1f", "translation": "c\td\r\n", "withTags": True}
)"),
            0);
}

TEST(HReporter, JUnitHasOneTestCasePerFileAndFailsDirtyOnes) {
  const std::string xml = Render(HFormat::JUnit);
  xmlDocPtr doc =
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "junit.xml", nullptr, XML_PARSE_NONET);
  ASSERT_NE(doc, nullptr) << xml;
  xmlFreeDoc(doc);
  EXPECT_THAT(xml, HasSubstr(R"(<testsuites name="inline-patterns" tests="2" failures="1" errors="0">)"));
  EXPECT_THAT(xml, HasSubstr(R"(<testcase classname="inline-patterns" name="a b/clean.po">)"));
  EXPECT_THAT(xml, HasSubstr(R"(<property name="untranslated" value="4"/>)"));
  EXPECT_THAT(xml, HasSubstr("    source (with tags):      a\\ &lt;b&gt;"));
  EXPECT_THAT(xml,
              HasSubstr(kDirty + ":7: [u&quot;1] Tags &lt;x&gt;: &quot;&lt;b&gt;&quot; doesn&apos;t exist"));
}

}  // namespace
