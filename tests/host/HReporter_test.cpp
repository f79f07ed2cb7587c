// The report formats: documents their consumers accept, carrying every field of every violation and warning.
#include "HReporter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <cstdlib>
#include <sstream>

#include "HBaseline.h"
#include "HostTestFiles.h"

namespace {

using testing::HasSubstr;

// A folder with a blank and a file name with a non-ASCII letter and a percent sign, as URIs must encode them.
const std::string kDirty = "d \xC3\xA9/dirty%.xlf";
const std::string kBase = "/nowhere/base/";

// Everything a format must carry and escape: quotes, a backslash, markup, control characters, line ends, a
// stray byte of a catalog that only claims to be UTF-8, a message without a rule, an error of a file and
// one of the run, warnings with and without a rule, the same violation elsewhere in its file, and a baseline
// that held one back.
HRunResult SampleResult() {
  const std::string dirty = kBase + kDirty;
  const HViolation tags(dirty, 7, 12, "u\"1", "Tags <x>", "\"<b>\" doesn't exist in translation.",
                        "a\\ <b>\x01\x1f", "c\td\r\n", true);
  const HViolation ruleless{dirty, 0, 0, "u2", "", "a message without a rule", "s\xE1", "t"};
  HViolation moved = tags;
  moved.line = 9;  // its fingerprint follows the unit, not the line
  const HViolation suppressed{dirty, 11, 3, "u3", "Tags <x>", "m", "s", "t"};
  HRunResult result;
  // Path, units, untranslated, not translatable, violations, suppressed, error.
  result.files = {
      {kBase + "a b/clean.po", 3, 0, 0, {}, {}, {}, {}, {}},
      {dirty, 2, 4, 1, {tags, ruleless, moved}, {suppressed}, {}, {}, {}},
      {"/elsewhere/b.po", 0, 0, 0, {}, {}, HInputError{"/elsewhere/b.po", 3, "bad \"x\""}, {}, {}}};
  result.errors = {{"", 0, "the module's x"}};
  result.warnings = {{"rules.ini", 0, "Tags <x>", "the pattern \"(\" does not compile"},
                     {dirty, 7, "", "the search stopped at the regular-expression match limit"}};
  result.rules["Tags <x>"] = {"Tags <x>", "<[^>]+>", true, false, 1, 14, true, "rules.ini"};
  result.baseline = HBaselineResult{{tags}, {ruleless}};
  return result;
}

std::string Render(HFormat format, const HRunResult& result = SampleResult(), bool colour = false,
                   bool verbose = false) {
  std::ostringstream out;
  HReporter(format, colour, verbose, kBase).Write(result, out);
  return out.str();
}

// Debian's Python with its jsonschema is the reference: the script validates the document against the
// schema given and asserts on the parsed document d.
int CheckWithPython(const std::string& document, const std::string& schema, const std::string& assertions) {
  HostTestFiles files;
  const std::string data = files.Write("report.json", document);
  const std::string script = files.Write(
      "check.py",
      "import json, subprocess, sys, jsonschema\nd = json.load(open(sys.argv[1], encoding='utf-8'))\n"
      "npm = subprocess.run(['npm', 'root', '-g'], capture_output=True, text=True).stdout.strip()\n"
      "jsonschema.validate(d, json.load(open(" +
          schema + ")))\n" + assertions);
  return std::system(("/usr/bin/python3 " + script + " " + data).c_str());
}

// Lines as compilers print them; a file's control characters are shown, never sent to the terminal.
TEST(HReporter, TextLinesAreCompilerStyleWithControlCharactersEscaped) {
  // clang-format off
  const std::tuple<HViolation, bool, bool, std::string> cases[] = {  // colour, verbose
      {{"a.po", 0, 0, "u2", "", "no rule", "s", "t"}, false, false, "a.po: warning: [u2] no rule\n"},
      // The edges of C0, DEL and C1 (U+0080..U+009F); a space, a tilde and U+00A0 stay as they are.
      {{"a\x1b.po", 1, 2, "u\a", "r\x7f", "m\x1f ~", "\x01\t\x1f", "\r\n\x1b[31m\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0", true},
       false, true,
       "a\\x1B.po:1:2: warning: [u\\x07] m\\x1F ~ [r\\x7F]\n    source (with tags):      \\x01\\t\\x1F\n"
       "    translation (with tags): \\r\\n\\x1B[31m\\u0080\\u009B\\u009F\xc2\xa0\n"},
      {{"a\x1b.po", 3, 4, "u", "r", "m", "s", "t"}, true, false,
       "\x1b[1ma\\x1B.po:3:4:\x1b[0m \x1b[1;35mwarning:\x1b[0m [u] m [\x1b[1;31mr\x1b[0m]\n"}};
  // clang-format on
  for (const auto& [violation, colour, verbose, expected] : cases) {
    HRunResult result;
    result.files.emplace_back().violations.push_back(violation);
    EXPECT_EQ(Render(HFormat::Text, result, colour, verbose), expected);
  }
  // Errors and warnings put the file's position first too.
  EXPECT_EQ(HReporter::ErrorLine({"a.po", 3, "bad \x1b"}), "a.po:3: error: bad \\x1B\n");
  EXPECT_EQ(HReporter::ErrorLine({"a.po", 0, "unknown charset"}), "a.po: error: unknown charset\n");
  EXPECT_EQ(HReporter::ErrorLine({"", 0, "the module's x"}), "inline-patterns: error: the module's x\n");
  EXPECT_EQ(HReporter::WarningLine({"a.po", 3, "R\a", "limit"}), "a.po:3: warning: limit [R\\x07]\n");
}

// Stored by code scanning with every alert: the same name must give the same id in every release.
TEST(HReporter, RuleIdsComeFromTheNameAlone) {
  EXPECT_EQ(HReporter::RuleId("Printf placeholders"), "printf-placeholders-c1789d23");
  EXPECT_EQ(HReporter::RuleId("\xC3\x9C"), "rule-0ac1ea07") << "no ASCII letter";
  EXPECT_NE(HReporter::RuleId("Tags <x>"), HReporter::RuleId("Tags x")) << "same words, other name";
  EXPECT_EQ(HReporter::RuleId(std::string(60, 'a')).size(), 40U + 9U) << "the words are cut, the hash is not";
  EXPECT_EQ(HReporter::RuleId(std::string(40, 'a') + " b").find("--"), std::string::npos) << "cut at a space";
}

TEST(HReporter, JsonMatchesItsSchemaInEveryShape) {
  const std::string schema = "'" + std::string(IP_SOURCE_DIR) + "/docs/report.schema.json'";
  EXPECT_EQ(CheckWithPython(Render(HFormat::Json, HRunResult()), schema, "assert d['violations'] == []"), 0);
  EXPECT_EQ(CheckWithPython(Render(HFormat::Json), schema, R"(
v = d["violations"]
assert d["errors"] == [{"file": "/elsewhere/b.po", "line": 3, "message": 'bad "x"'},
                       {"file": "", "line": 0, "message": "the module's x"}], d["errors"]
assert d["summary"] == {"files": 3, "units": 5, "untranslated": 4, "not_translatable": 1, "violations": 3,
                        "warnings": 2, "in_baseline": 1, "fixed_since_baseline": 1, "suppressed": 1}, d["summary"]
assert [(x["unit"], x["line"], x["rule"]) for x in d["suppressed"]] == [("u3", 11, "Tags <x>")], d["suppressed"]
assert v[0] == {"file": "/nowhere/base/d é/dirty%.xlf", "line": 7, "column": 12, "unit": 'u"1', "rule": "Tags <x>",
                "rule_id": "tags-x-002a1ccf", "message": '"<b>" doesn\'t exist in translation.',
                "source": "a\\ <b>\x01\x1f", "translation": "c\td\r\n", "with_tags": True}, v[0]
assert v[1]["rule"] == "" and v[1]["line"] == 0 and v[1]["source"] == "s\ufffd"
assert d["warnings"][0] == {"file": "rules.ini", "line": 0, "rule": "Tags <x>", "message": 'the pattern "(" does not compile'}
)"),
            0);
}

TEST(HReporter, SarifDescribesRulesPlacesFilesAndSaysWhatFailed) {
  const std::string schema = "npm + '/@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json'";
  EXPECT_EQ(CheckWithPython(Render(HFormat::Sarif), schema, R"(
run = d["runs"][0]
rules = run["tool"]["driver"]["rules"]
assert [r["id"] for r in rules] == ["module-message", "tags-x-002a1ccf"], rules
assert "Regular expression \"<[^>]+>\" (case-insensitive), searched in the texts with tags" in rules[1]["fullDescription"]["text"]
assert "same texts in the same order" in rules[1]["fullDescription"]["text"] and "rules.ini" in rules[1]["help"]["text"]
r = run["results"]
assert [(x["ruleId"], x["ruleIndex"], x["baselineState"], "suppressions" in x) for x in r] == [
    ("tags-x-002a1ccf", 1, "new", False), ("module-message", 0, "new", False), ("tags-x-002a1ccf", 1, "new", False),
    ("tags-x-002a1ccf", 1, "new", True), ("tags-x-002a1ccf", 1, "unchanged", False)], r
assert r[3]["suppressions"] == [{"kind": "inSource"}]
assert r[0]["partialFingerprints"] == r[2]["partialFingerprints"] != r[1]["partialFingerprints"]
loc = r[0]["locations"][0]["physicalLocation"]
assert loc == {"artifactLocation": {"uri": "d%20%C3%A9/dirty%25.xlf", "uriBaseId": "%SRCROOT%"},
               "region": {"startLine": 7, "startColumn": 12}}, loc
assert run["originalUriBaseIds"] == {"%SRCROOT%": {"uri": "file:///nowhere/base/"}}
assert "region" not in r[1]["locations"][0]["physicalLocation"]
assert r[0]["properties"] == {"unit": 'u"1', "source": "a\\ <b>\x01\x1f", "translation": "c\td\r\n", "withTags": True}
inv = run["invocations"][0]
n = inv["toolExecutionNotifications"]
assert inv["executionSuccessful"] is False and [x["level"] for x in n] == ["error", "error", "warning", "warning"]
assert n[0]["locations"][0]["physicalLocation"]["artifactLocation"] == {"uri": "file:///elsewhere/b.po"}
assert n[2]["associatedRule"] == {"id": "tags-x-002a1ccf", "index": 1} and "associatedRule" not in n[3]
)"),
            0);
}

// A page of its own: its one script is the filter, whatever the files hold; the rule's matches are marked.
TEST(HReporter, HtmlEscapesEverythingAndMarksTheMatches) {
  HRunResult result = SampleResult();
  result.files[0].violations.push_back(
      {"<script>f.po", 1, 1, "<script>u</script>", "Tags <x>", "<script>", "<i>", "x<script>y", true});
  const std::string html = Render(HFormat::Html, result);
  EXPECT_EQ(html.find("<script>"), html.rfind("<script>")) << "only the page's own";
  const std::string parts[] = {
      R"(<span class="n bad" id="count-violations">4</span>new violations)",
      R"(<span class="n" id="count-in-baseline">1</span>)",
      R"(<td class="where">&lt;script&gt;f.po:1:1</td>)",
      R"(<td class="text"><mark>&lt;i&gt;</mark></td><td class="text">x<mark>&lt;script&gt;</mark>y</td>)",
      R"(<td class="text">a\ <mark>&lt;b&gt;</mark>)",
      R"(<option value="tags-x-002a1ccf">Tags &lt;x&gt; (3)</option>)",
      R"(<tr class="violation" data-rule="module-message">)"};
  for (const std::string& part : parts) EXPECT_THAT(html, HasSubstr(part));
}

TEST(HReporter, JUnitHasATestCasePerViolationAndPerError) {
  const std::string xml = Render(HFormat::JUnit);
  xmlDocPtr doc =
      xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "junit.xml", nullptr, XML_PARSE_NONET);
  ASSERT_NE(doc, nullptr) << xml;
  xmlFreeDoc(doc);
  const std::string dirty = kBase + kDirty;
  const std::string parts[] = {
      R"(<testsuite name="inline-patterns" tests="6" failures="3" errors="2" skipped="0" time="0">)",
      "<testcase classname=\"" + kBase + "a b/clean.po\" name=\"all rules\"",
      "<testcase classname=\"" + dirty + "\" name=\"Tags &lt;x&gt; in unit u&quot;1\" file=\"" + dirty +
          "\" line=\"7\"",
      "<failure message=\"&quot;&lt;b&gt;&quot; doesn&apos;t exist in translation.\" "
      "type=\"tags-x-002a1ccf\">" +
          dirty + ":7:12: [u&quot;1]",
      "    source (with tags):      a\\ &lt;b&gt;",
      "<system-err>rules.ini: warning: the pattern &quot;(&quot; does not compile [Tags &lt;x&gt;]\n"};
  for (const std::string& part : parts) EXPECT_THAT(xml, HasSubstr(part));
}

// A run keeps its violations in a temporary file, in pieces, until the report: every format writes the same
// bytes from there as from memory, also once a baseline has taken every violation out of the pieces.
TEST(HReporter, SpilledPiecesReportAsViolationsInMemory) {
  HRunResult spilled = SampleResult();
  HFileResult& dirty = spilled.files[1];
  const std::vector<HViolation> violations = std::move(dirty.violations);
  for (const HViolation& violation : violations) {  // each in a piece of its own, the last still in memory
    if (!dirty.violations.empty()) spilled.Spill(1);
    dirty.violations = {violation};
  }
  HRunResult inMemory = SampleResult();
  for (const bool baseline : {false, true}) {
    for (const HFormat format : {HFormat::Text, HFormat::Json, HFormat::JUnit, HFormat::Sarif, HFormat::Html})
      EXPECT_EQ(Render(format, spilled), Render(format, inMemory)) << static_cast<int>(format) << baseline;
    HBaseline::Of(inMemory).Apply(inMemory);
    HBaseline::Of(spilled).Apply(spilled);
  }
  EXPECT_EQ(spilled.Violations(), 0);
}

}  // namespace
