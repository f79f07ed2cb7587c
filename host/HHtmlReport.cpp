// Writing the HTML report. Everything taken from the files and rules is escaped, so that a translation
// holding markup shows that markup as text; the page's only script is its own filter.
#include "HHtmlReport.h"

#include <algorithm>

#include "HReporter.h"
#include "HRuleMatches.h"
#include "support/KUtf8.h"

namespace {

// No request leaves the page: styles and script are inline, and the policy forbids anything else.
constexpr const char* kHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy"
  content="default-src 'none'; style-src 'unsafe-inline'; script-src 'unsafe-inline'">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Inline Patterns report</title>
<style>
body { font: 14px/1.4 system-ui, sans-serif; margin: 1.5em; color: #1b1f24; }
h1 { font-size: 1.5em; margin: 0 0 .5em; }
h2 { font-size: 1.15em; margin: 1.5em 0 .5em; }
table { border-collapse: collapse; width: 100%; }
th, td { border-bottom: 1px solid #d0d7de; padding: .35em .6em; text-align: left; vertical-align: top; }
th { background: #f6f8fa; }
td.n { text-align: right; font-variant-numeric: tabular-nums; width: 6em; }
#summary { display: flex; flex-wrap: wrap; gap: .6em; margin: 0; padding: 0; list-style: none; }
#summary li { border: 1px solid #d0d7de; border-radius: 6px; padding: .4em .9em; background: #f6f8fa; }
#summary .n { display: block; font-size: 1.4em; font-weight: 600; }
#summary .bad { color: #a40e26; }
.text, .unit, .where { font-family: ui-monospace, monospace; white-space: pre-wrap; overflow-wrap: anywhere; }
.where { overflow-wrap: break-word; }
.text { width: 27%; }
.rule { font-weight: 600; color: #a40e26; }
.tags { font-size: .8em; color: #57606a; }
mark { background: #ffe08a; border-radius: 2px; outline: 1px solid #d4a72c; }
.error { color: #a40e26; }
.warning { color: #7d4e00; }
tr[hidden] { display: none; }
</style>
</head>
<body>
<h1>Inline Patterns report</h1>
)";

constexpr const char* kScript = R"(<script>
(function () {
  var filter = document.getElementById("rule-filter");
  function show() {
    var rule = filter.value, shown = 0;
    document.querySelectorAll("tr.violation").forEach(function (row) {
      row.hidden = rule !== "" && row.dataset.rule !== rule;
      if (!row.hidden) shown++;
    });
    document.getElementById("shown").textContent = shown;
  }
  // "#rule=ID" shows one rule's violations, so that a link can name a rule.
  function fromAddress() {
    var match = /^#rule=(.*)$/.exec(location.hash);
    filter.value = match ? decodeURIComponent(match[1]) : "";
    if (filter.selectedIndex < 0) filter.value = "";
    show();
  }
  filter.addEventListener("change", function () {
    location.hash = filter.value ? "rule=" + filter.value : "";
  });
  window.addEventListener("hashchange", fromAddress);
  fromAddress();
})();
</script>
</body>
</html>
)";

std::string Escape(const std::string& text) {
  return HReporter::XmlEscape(text);
}

// A path breaks at its folders, not inside a name.
std::string Where(const std::string& position) {
  std::string html;
  for (const char c : Escape(position)) html += c == '/' ? std::string("/<wbr>") : std::string(1, c);
  return html;
}

std::string RuleName(const std::string& name) {
  return name.empty() ? "(message without a rule)" : name;
}

// A count that is not 0 where it should be is marked.
void Count(std::ostream& out, const std::string& label, const std::string& id, size_t count,
           bool bad = false) {
  out << "<li><span class=\"n" << (bad && count > 0 ? " bad" : "") << "\" id=\"count-" << id << "\">" << count
      << "</span>" << label << "</li>\n";
}

}  // namespace

void HHtmlReport::Write(const HRunResult& result, std::ostream& out) const {
  const std::vector<RuleCount> rules = CountByRule(result);
  out << kHead;
  WriteSummary(result, out);
  WriteRules(result, rules, out);
  WriteFiles(result, out);
  WriteViolations(result, rules, out);
  WriteProblems(result, out);
  out << kScript;
}

// The most violated rules first, then by name.
std::vector<HHtmlReport::RuleCount> HHtmlReport::CountByRule(const HRunResult& result) {
  std::vector<RuleCount> rules;
  for (size_t file = 0; file < result.files.size(); ++file) {
    result.ForEachOf(file, &HFileResult::violations, [&](const HViolation& v) {
      const auto at =
          std::find_if(rules.begin(), rules.end(), [&](const RuleCount& r) { return r.name == v.rule; });
      if (at == rules.end())
        rules.push_back({v.rule, 1});
      else
        ++at->violations;
    });
  }
  std::sort(rules.begin(), rules.end(), [](const RuleCount& a, const RuleCount& b) {
    return a.violations != b.violations ? a.violations > b.violations : a.name < b.name;
  });
  return rules;
}

void HHtmlReport::WriteSummary(const HRunResult& result, std::ostream& out) {
  size_t errors = result.errors.size();
  for (const HFileResult& file : result.files) errors += file.error ? 1 : 0;
  out << "<ul id=\"summary\">\n";
  Count(out, "files", "files", result.files.size());
  Count(out, "units checked", "units", static_cast<size_t>(result.Units()));
  Count(out, "not yet translated", "untranslated", static_cast<size_t>(result.Untranslated()));
  Count(out, "not to be translated", "not-translatable", static_cast<size_t>(result.NotTranslatable()));
  Count(out, result.baseline ? "new violations" : "violations", "violations",
        static_cast<size_t>(result.Violations()), true);
  if (result.baseline) {
    Count(out, "in the baseline", "in-baseline", result.baseline->unchanged.size());
    Count(out, "fixed since the baseline", "fixed-since-baseline", result.baseline->absent.size());
  }
  Count(out, "warnings", "warnings", result.warnings.size(), true);
  Count(out, "errors", "errors", errors, true);
  out << "</ul>\n";
}

void HHtmlReport::WriteRules(const HRunResult& result, const std::vector<RuleCount>& rules,
                             std::ostream& out) {
  out << "<h2>By rule</h2>\n<table id=\"by-rule\">\n<tr><th>Rule</th><th>What it checks</th>"
         "<th class=\"n\">Violations</th></tr>\n";
  for (const RuleCount& rule : rules) {
    const std::string id = HReporter::RuleId(rule.name);
    const auto info = result.rules.find(rule.name);
    const HReporter::Rule described{rule.name, id, info == result.rules.end() ? nullptr : &info->second};
    out << "<tr data-rule=\"" << id << "\"><td><a href=\"#rule=" << id << "\">" << Escape(RuleName(rule.name))
        << "</a></td><td>" << Escape(described.FullDescription()) << "</td><td class=\"n\">"
        << rule.violations << "</td></tr>\n";
  }
  out << "</table>\n";
}

void HHtmlReport::WriteFiles(const HRunResult& result, std::ostream& out) {
  out << "<h2>By file</h2>\n<table id=\"by-file\">\n<tr><th>File</th><th class=\"n\">Units checked</th>"
         "<th class=\"n\">Violations</th></tr>\n";
  for (size_t number = 0; number < result.files.size(); ++number) {
    const HFileResult& file = result.files[number];
    out << "<tr><td class=\"where\">" << Where(file.path);
    if (file.error)
      out << "<br><span class=\"error\">" << Escape(HReporter::ErrorLine(*file.error)) << "</span>";
    out << "</td><td class=\"n\">" << file.units << "</td><td class=\"n\">"
        << result.CountOf(number, &HFileResult::violations) << "</td></tr>\n";
  }
  out << "</table>\n";
}

void HHtmlReport::WriteViolations(const HRunResult& result, const std::vector<RuleCount>& rules,
                                  std::ostream& out) {
  out << "<h2>Violations</h2>\n<p><label for=\"rule-filter\">Rule</label> <select id=\"rule-filter\">"
      << "<option value=\"\">all rules (" << result.Violations() << ")</option>";
  for (const RuleCount& rule : rules) {
    out << "<option value=\"" << HReporter::RuleId(rule.name) << "\">" << Escape(RuleName(rule.name)) << " ("
        << rule.violations << ")</option>";
  }
  out << "</select> <span id=\"shown\">" << result.Violations() << "</span> shown</p>\n"
      << "<table id=\"violations\">\n<tr><th>Where</th><th>Unit</th><th>Rule and message</th><th>Source</th>"
         "<th>Translation</th></tr>\n";
  HRuleMatches matches;
  for (size_t file = 0; file < result.files.size(); ++file) {
    result.ForEachOf(file, &HFileResult::violations, [&](const HViolation& v) {
      const auto info = result.rules.find(v.rule);
      const HRuleInfo* rule = info == result.rules.end() ? nullptr : &info->second;
      out << "<tr class=\"violation\" data-rule=\"" << HReporter::RuleId(v.rule) << "\"><td class=\"where\">"
          << Where(HReporter::Position(v.file, v.line, v.column)) << "</td><td class=\"unit\">"
          << Escape(v.unitId) << "</td><td><span class=\"rule\">" << Escape(RuleName(v.rule)) << "</span>"
          << (v.withTags ? " <span class=\"tags\">with tags</span>" : "") << "<br>" << Escape(v.message)
          << "</td><td class=\"text\">" << Highlighted(matches, rule, v.source) << "</td><td class=\"text\">"
          << Highlighted(matches, rule, v.translation) << "</td></tr>\n";
    });
  }
  out << "</table>\n";
}

void HHtmlReport::WriteProblems(const HRunResult& result, std::ostream& out) {
  if (result.errors.empty() && result.warnings.empty()) return;
  out << "<h2>Errors and warnings</h2>\n<ul id=\"problems\">\n";
  for (const HInputError& error : result.errors)
    out << "<li class=\"error\">" << Escape(HReporter::ErrorLine(error)) << "</li>\n";
  for (const HWarning& warning : result.warnings)
    out << "<li class=\"warning\">" << Escape(HReporter::WarningLine(warning)) << "</li>\n";
  out << "</ul>\n";
}

std::string HHtmlReport::Highlighted(HRuleMatches& matches, const HRuleInfo* rule, const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  const auto piece = [&](size_t from, size_t to) {
    return Escape(Utf16ToUtf8(wide.substr(from, to - from)));
  };
  std::string html;
  size_t at = 0;
  for (const HRuleMatches::Match& match :
       rule == nullptr ? std::vector<HRuleMatches::Match>() : matches.Find(*rule, wide)) {
    html += piece(at, match.start) + "<mark>" + piece(match.start, match.start + match.length) + "</mark>";
    at = match.start + match.length;
  }
  return html + piece(at, wide.size());
}
