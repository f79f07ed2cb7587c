// The four report formats of inline-patterns.
#include "HReporter.h"

#include "HHtmlReport.h"
#include "HInstallPaths.h"
#include "HLspUri.h"
#include "support/KUtf8.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* kToolName = "inline-patterns";
constexpr const char* kFullName = "Inline Patterns reference host (inline-patterns)";
constexpr const char* kSourceRoot = "%SRCROOT%";
constexpr const char* kFingerprint = "unitAndRule/v1";
constexpr size_t kSlugLength = 40;
constexpr size_t kShortIdLength = 40;
// The JSON report's shape; raised when a field changes meaning or goes away, not when one is added.
constexpr int kJsonFormat = 1;

// PO unit ids are whole source texts; one line of a reader's report shows the beginning only.
std::string ShortId(const std::string& id) {
  std::string shortened = id.substr(0, id.find('\n'));
  if (shortened.size() > kShortIdLength) {
    shortened.resize(kShortIdLength);
    while (!shortened.empty() && (static_cast<unsigned char>(shortened.back()) & 0xC0) == 0x80)
      shortened.pop_back();
    if (!shortened.empty() && static_cast<unsigned char>(shortened.back()) >= 0xC0) shortened.pop_back();
  }
  return shortened.size() < id.size() ? shortened + "..." : shortened;
}

// Escapes carry a byte or a control character as a fixed number of upper-case hex digits.
void AppendHex(std::string& out, unsigned value, int digits) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xF];
}

// A catalog declared UTF-8 may still hold stray bytes, and so may a file name; every report is UTF-8, so
// such a byte shows as U+FFFD.
std::string ValidUtf8(std::string_view text) {
  return Utf16ToUtf8(Utf8ToUtf16(text));
}

// A translation file must not drive the reader's terminal: its control characters (C0, DEL and C1) are
// shown as escapes, not sent.
std::string Printable(const std::string& text) {
  const std::string valid = ValidUtf8(text);
  std::string out;
  for (size_t i = 0; i < valid.size(); ++i) {
    const auto byte = static_cast<unsigned char>(valid[i]);
    const auto next = i + 1 < valid.size() ? static_cast<unsigned char>(valid[i + 1]) : 0;
    if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      AppendHex(out, byte, 2);
    } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      out += "\\u00";
      AppendHex(out, next, 2);
      ++i;
    } else {
      out += valid[i];
    }
  }
  return out;
}

// The texts the violated rule checked, as the lines under a violation show them.
std::string Texts(bool withTags, const std::string& sourceText, const std::string& translationText) {
  const std::string kind = withTags ? " (with tags):" : ":";
  const std::string source = "source" + kind;
  const std::string translation = "translation" + kind;
  return "    " + source + std::string(translation.size() - source.size() + 1, ' ') + sourceText + "\n    " +
         translation + " " + translationText + "\n";
}

// FNV-1a in 16 hex digits: stable across platforms and releases, as identifiers that CI systems store need.
std::string Hash(const std::string& text) {
  uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
  std::string out;
  AppendHex(out, static_cast<unsigned>(hash >> 32), 8);
  AppendHex(out, static_cast<unsigned>(hash & 0xFFFFFFFFU), 8);
  return out;
}

// Without a baseline nothing is in one and nothing was fixed since.
size_t InBaseline(const HRunResult& result) {
  return result.baseline ? result.baseline->unchanged.size() : 0;
}

size_t FixedSinceBaseline(const HRunResult& result) {
  return result.baseline ? result.baseline->absent.size() : 0;
}

const char* MethodText(int method) {
  switch (method) {
    case 1:
      return "where the source has a match, the translation must have one too";
    case 2:
      return "the translation must have no match";
    case 3:
      return "the translation must have a match";
    default:
      return "no check";
  }
}

std::string FlagsText(int flags) {
  if ((flags & 0x2) == 0) return "";
  std::string text = "; as many matches in the translation as in the source";
  if ((flags & 0x4) == 0) return text;
  text += ", with the same texts";
  return (flags & 0x8) == 0 ? text : text + " in the same order";
}

std::string FileUri(const std::filesystem::path& absolute) {
  return "file://" + HLspUri::Escaped(absolute.generic_string());
}

std::string InformationUri() {
  const std::string configured = IP_INFORMATION_URI;
  return configured.empty() ? FileUri(HInstallPaths::Readme()) : configured;
}

// Absolute, with links resolved as far as the path exists; "" is the current folder.
std::filesystem::path Canonical(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::weakly_canonical(std::filesystem::absolute(path.empty() ? "." : path), ignored);
}

}  // namespace

std::string HReporter::Rule::ShortDescription() const {
  return name.empty() ? "A message of the add-in module that names no rule."
                      : "Inline pattern rule \"" + name + "\".";
}

std::string HReporter::Rule::FullDescription() const {
  if (info == nullptr) return ShortDescription();
  return std::string(info->regex ? "Regular expression " : "Literal text ") + "\"" + info->pattern + "\" (" +
         (info->caseSensitive ? "case-sensitive" : "case-insensitive") + "), " +
         (info->withTags ? "searched in the texts with tags" : "searched in the plain texts") + ": " +
         MethodText(info->method) + FlagsText(info->flags) + ".";
}

std::string HReporter::Rule::Help() const {
  return "The translation does not keep what this rule checks (placeholders, tags, terms or punctuation that "
         "the source has, or that the translation must or must not have). Correct the translation; if the "
         "rule is wrong, edit it in the Inline Patterns dialog" +
         (info == nullptr ? std::string(".") : " (rule file " + info->ruleFile + ").");
}

// The rules that a run's results and notifications name, in the order of their identifiers.
std::vector<HReporter::Rule> HReporter::RulesOf(const HRunResult& result) {
  std::vector<Rule> rules;
  const auto add = [&](const std::string& name) {
    const std::string id = RuleId(name);
    const auto at = std::lower_bound(rules.begin(), rules.end(), id,
                                     [](const Rule& rule, const std::string& key) { return rule.id < key; });
    if (at != rules.end() && at->id == id) return;
    const auto info = result.rules.find(name);
    rules.insert(at, {name, id, info == result.rules.end() ? nullptr : &info->second});
  };
  for (size_t file = 0; file < result.files.size(); ++file) {
    for (const HRunResult::List list : {&HFileResult::violations, &HFileResult::suppressed})
      result.ForEachOf(file, list, [&](const HViolation& v) { add(v.rule); });
  }
  if (result.baseline) {
    for (const HViolation& v : result.baseline->unchanged) add(v.rule);
  }
  for (const HWarning& warning : result.warnings) {
    if (!warning.rule.empty()) add(warning.rule);
  }
  return rules;
}

size_t HReporter::RuleIndex(const std::vector<Rule>& rules, const std::string& name) {
  const std::string id = RuleId(name);
  return static_cast<size_t>(
      std::find_if(rules.begin(), rules.end(), [&](const Rule& r) { return r.id == id; }) - rules.begin());
}

// The files that could not be read, then the problems of the whole run.
std::vector<HInputError> HReporter::Errors(const HRunResult& result) {
  std::vector<HInputError> errors;
  for (const HFileResult& file : result.files) {
    if (file.error) errors.push_back(*file.error);
  }
  errors.insert(errors.end(), result.errors.begin(), result.errors.end());
  return errors;
}

std::string HReporter::RuleId(const std::string& ruleName) {
  if (ruleName.empty()) return "module-message";
  std::string slug;
  for (const char c : ruleName) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) && byte < 0x80)
      slug += static_cast<char>(std::tolower(byte));
    else if (!slug.empty() && slug.back() != '-')
      slug += '-';
  }
  // Cut first: a separator at the cut would otherwise end the words and double the hash's dash.
  slug.resize(std::min(slug.size(), kSlugLength));
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  std::string hash = Hash(ruleName).substr(0, 8);
  std::transform(hash.begin(), hash.end(), hash.begin(), [](char c) { return std::tolower(c); });
  return (slug.empty() ? "rule" : slug) + "-" + hash;
}

// Line 0 and file "" when unknown: every error has all three fields, so readers need no special cases.
std::string HReporter::JsonError(const HInputError& error) {
  return "{\"file\": " + JsonString(error.file) + ", \"line\": " + std::to_string(error.line) +
         ", \"message\": " + JsonString(error.message) + "}";
}

std::string HReporter::JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u";
          AppendHex(out, static_cast<unsigned char>(c), 4);
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string HReporter::XmlEscape(const std::string& text) {
  std::string out;
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // XML 1.0 cannot carry other control characters, not even as references.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t' || c == '\r')
          out += c;
        else
          out += "\xEF\xBF\xBD";
    }
  }
  return out;
}

HReporter::HReporter(HFormat format, bool colour, bool verbose, const std::string& baseFolder)
    : m_format(format), m_colour(colour), m_verbose(verbose), m_baseFolder(Canonical(baseFolder)) {}

void HReporter::Write(const HRunResult& result, std::ostream& out) const {
  switch (m_format) {
    case HFormat::Text:
      return WriteText(result, out);
    case HFormat::Json:
      return WriteJson(result, out);
    case HFormat::JUnit:
      return WriteJUnit(result, out);
    case HFormat::Sarif:
      return WriteSarif(result, out);
    case HFormat::Html:
      return HHtmlReport().Write(result, out);
  }
}

std::string HReporter::Paint(const std::string& text, const char* code) const {
  return m_colour ? std::string("\x1b[") + code + "m" + text + "\x1b[0m" : text;
}

std::string HReporter::Position(const std::string& file, long line, long column) {
  if (line <= 0) return file;
  return file + ":" + std::to_string(line) + (column > 0 ? ":" + std::to_string(column) : "");
}

std::string HReporter::ErrorLine(const HInputError& error) {
  const std::string where = error.file.empty() ? kToolName : Position(error.file, error.line);
  return Printable(where) + ": error: " + Printable(error.message) + "\n";
}

std::string HReporter::WarningLine(const HWarning& warning) {
  const std::string where = warning.file.empty() ? kToolName : Position(warning.file, warning.line);
  return Printable(where) + ": warning: " + Printable(warning.message) +
         (warning.rule.empty() ? "" : " [" + Printable(warning.rule) + "]") + "\n";
}

// As compilers write them, at the translation's text, so that editors' error parsers jump to each violation.
void HReporter::WriteText(const HRunResult& result, std::ostream& out) const {
  for (size_t file = 0; file < result.files.size(); ++file) {
    result.ForEachOf(file, &HFileResult::violations, [&](const HViolation& v) {
      std::string line = Paint(Printable(Position(v.file, v.line, v.column)) + ":", "1") + " " +
                         Paint("warning:", "1;35") + " [" + Printable(ShortId(v.unitId)) + "] " +
                         Printable(v.message);
      if (!v.rule.empty()) line += " [" + Paint(Printable(v.rule), "1;31") + "]";
      out << line << "\n";
      if (m_verbose) out << Texts(v.withTags, Printable(v.source), Printable(v.translation));
    });
  }
}

void HReporter::WriteJsonViolations(const HRunResult& result, HRunResult::List list, const char* name,
                                    std::ostream& out) {
  out << "  \"" << name << "\": [";
  const char* separator = "\n";
  for (size_t file = 0; file < result.files.size(); ++file) {
    result.ForEachOf(file, list, [&](const HViolation& v) {
      out << separator << "    {\"file\": " << JsonString(v.file) << ", \"line\": " << v.line
          << ", \"column\": " << v.column << ", \"unit\": " << JsonString(v.unitId)
          << ", \"rule\": " << JsonString(v.rule) << ", \"rule_id\": " << JsonString(RuleId(v.rule))
          << ", \"message\": " << JsonString(v.message) << ", \"source\": " << JsonString(v.source)
          << ", \"translation\": " << JsonString(v.translation)
          << ", \"with_tags\": " << (v.withTags ? "true" : "false") << "}";
      separator = ",\n";
    });
  }
  out << (*separator == ',' ? "\n  ],\n" : "],\n");
}

void HReporter::WriteJson(const HRunResult& result, std::ostream& out) const {
  out << "{\n  \"format\": " << kJsonFormat << ",\n  \"tool\": " << JsonString(kToolName)
      << ",\n  \"summary\": {\"files\": " << result.files.size() << ", \"units\": " << result.Units()
      << ", \"untranslated\": " << result.Untranslated()
      << ", \"not_translatable\": " << result.NotTranslatable() << ", \"violations\": " << result.Violations()
      << ", \"in_baseline\": " << InBaseline(result)
      << ", \"fixed_since_baseline\": " << FixedSinceBaseline(result)
      << ", \"suppressed\": " << result.Suppressed() << ", \"warnings\": " << result.warnings.size()
      << "},\n";
  WriteJsonViolations(result, &HFileResult::violations, "violations", out);
  WriteJsonViolations(result, &HFileResult::suppressed, "suppressed", out);
  out << "  \"errors\": [";
  const char* separator = "";
  for (const HInputError& error : Errors(result)) {
    out << separator << JsonError(error);
    separator = ", ";
  }
  out << "],\n  \"warnings\": [";
  separator = "";
  for (const HWarning& w : result.warnings) {
    out << separator << "{\"file\": " << JsonString(w.file) << ", \"line\": " << w.line
        << ", \"rule\": " << JsonString(w.rule) << ", \"message\": " << JsonString(w.message) << "}";
    separator = ", ";
  }
  out << "]\n}\n";
}

// For Ant's junitreport and the CI systems that read its format: the root is one testsuite, each violation
// is a failed testcase of its file, each file that could not be read an erroneous one, and a file without
// either passes. Warnings go to the suite's system-err.
void HReporter::WriteJUnit(const HRunResult& result, std::ostream& out) const {
  const std::vector<HInputError> errors = Errors(result);
  long clean = 0;
  const auto isClean = [&](size_t file) {
    return result.CountOf(file, &HFileResult::violations) == 0 && !result.files[file].error;
  };
  for (size_t file = 0; file < result.files.size(); ++file) clean += isClean(file) ? 1 : 0;
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuite name=\"" << kToolName << "\" tests=\""
      << clean + result.Violations() + static_cast<long>(errors.size()) << "\" failures=\""
      << result.Violations() << "\" errors=\"" << errors.size() << "\" skipped=\"0\" time=\"0\">\n"
      << "  <properties><property name=\"untranslated\" value=\"" << result.Untranslated()
      << "\"/><property name=\"not_translatable\" value=\"" << result.NotTranslatable()
      << "\"/><property name=\"in_baseline\" value=\"" << InBaseline(result)
      << "\"/><property name=\"fixed_since_baseline\" value=\"" << FixedSinceBaseline(result)
      << "\"/><property name=\"suppressed\" value=\"" << result.Suppressed() << "\"/></properties>\n";
  const auto testCase = [&](const std::string& file, long line, const std::string& name) {
    out << "  <testcase classname=\"" << XmlEscape(file) << "\" name=\"" << XmlEscape(name) << "\" file=\""
        << XmlEscape(file) << "\"" << (line > 0 ? " line=\"" + std::to_string(line) + "\"" : "")
        << " time=\"0\"";
  };
  for (size_t file = 0; file < result.files.size(); ++file) {
    if (isClean(file)) {
      testCase(result.files[file].path, 0, "all rules");
      out << "/>\n";
    }
    result.ForEachOf(file, &HFileResult::violations, [&](const HViolation& v) {
      testCase(v.file, v.line, (v.rule.empty() ? "" : v.rule + " in ") + "unit " + ShortId(v.unitId));
      out << ">\n    <failure message=\"" << XmlEscape(v.message) << "\" type=\"" << XmlEscape(RuleId(v.rule))
          << "\">"
          << XmlEscape(Position(v.file, v.line, v.column) + ": [" + v.unitId + "] " + v.message + "\n" +
                       Texts(v.withTags, v.source, v.translation))
          << "</failure>\n  </testcase>\n";
    });
  }
  for (const HInputError& error : errors) {
    testCase(error.file.empty() ? kToolName : error.file, error.line, "read");
    out << ">\n    <error message=\"" << XmlEscape(error.message) << "\" type=\"input error\">"
        << XmlEscape(ErrorLine(error)) << "</error>\n  </testcase>\n";
  }
  out << "  <system-out/>\n  <system-err>";
  for (const HWarning& warning : result.warnings) out << XmlEscape(WarningLine(warning));
  out << "</system-err>\n</testsuite>\n";
}

std::string HReporter::ArtifactLocation(const std::string& path) const {
  const std::filesystem::path file = Canonical(path);
  const std::filesystem::path relative = file.lexically_relative(m_baseFolder);
  if (relative.empty() || *relative.begin() == "..") return "{\"uri\": " + JsonString(FileUri(file)) + "}";
  return "{\"uri\": " + JsonString(HLspUri::Escaped(relative.generic_string())) + ", \"uriBaseId\": \"" +
         kSourceRoot + "\"}";
}

std::string HReporter::SarifLocations(const std::string& artifact, long line, long column) {
  if (artifact.empty()) return "";
  std::string region;
  if (line > 0) {
    region = ", \"region\": {\"startLine\": " + std::to_string(line) +
             (column > 0 ? ", \"startColumn\": " + std::to_string(column) : "") + "}";
  }
  return ", \"locations\": [{\"physicalLocation\": {\"artifactLocation\": " + artifact + region + "}}]";
}

std::string HReporter::SarifNotification(const char* level, const std::string& file, long line,
                                         const std::string& message, const std::vector<Rule>& rules,
                                         const std::string& ruleName) const {
  std::string text = "{\"level\": \"" + std::string(level) +
                     "\", \"message\": {\"text\": " + JsonString(message) + "}" +
                     SarifLocations(file.empty() ? "" : ArtifactLocation(file), line, 0);
  if (!ruleName.empty()) {
    text += ", \"associatedRule\": {\"id\": " + JsonString(RuleId(ruleName)) +
            ", \"index\": " + std::to_string(RuleIndex(rules, ruleName)) + "}";
  }
  return text + "}";
}

// The fingerprint leaves the line out, so that an alert follows its unit through edits. A suppressed result
// stays in the log with the suppression written in the file, as code scanning shows it.
std::string HReporter::SarifResult(const HViolation& v, const std::vector<Rule>& rules,
                                   const char* baselineState, bool suppressed) const {
  const std::string id = RuleId(v.rule);
  const std::string artifact = ArtifactLocation(v.file);
  return "{\"ruleId\": " + JsonString(id) + ", \"ruleIndex\": " + std::to_string(RuleIndex(rules, v.rule)) +
         ", \"level\": \"error\", \"message\": {\"text\": " +
         JsonString(v.message + " Unit: " + v.unitId + ".") + "}" +
         SarifLocations(artifact, v.line, v.column) + ", \"partialFingerprints\": {\"" + kFingerprint +
         "\": \"" + Hash(artifact + '\n' + v.unitId + '\n' + id) + "\"}" +
         (baselineState == nullptr ? "" : ", \"baselineState\": \"" + std::string(baselineState) + "\"") +
         (suppressed ? ", \"suppressions\": [{\"kind\": \"inSource\"}]" : "") +
         ", \"properties\": {\"unit\": " + JsonString(v.unitId) + ", \"source\": " + JsonString(v.source) +
         ", \"translation\": " + JsonString(v.translation) +
         ", \"withTags\": " + (v.withTags ? "true" : "false") + "}}";
}

// For code scanning: rules described as its alert pages show them, alerts that follow a unit through edits
// (the fingerprint leaves the line out), and a run that could not read a file says so, so that a scanner
// does not close the alerts of that file.
void HReporter::WriteSarif(const HRunResult& result, std::ostream& out) const {
  const std::vector<Rule> rules = RulesOf(result);
  out << "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": \"2.1.0\",\n"
      << "  \"runs\": [{\n    \"tool\": {\"driver\": {\"name\": " << JsonString(kToolName)
      << ", \"fullName\": " << JsonString(kFullName) << ", \"version\": \"" << IP_VERSION
      << "\", \"semanticVersion\": \"" << IP_VERSION
      << "\", \"informationUri\": " << JsonString(InformationUri()) << ", \"rules\": [";
  const char* separator = "\n";
  for (const Rule& rule : rules) {
    out << separator << "      {\"id\": " << JsonString(rule.id)
        << ", \"name\": " << JsonString(rule.name.empty() ? "module message" : rule.name)
        << ", \"shortDescription\": {\"text\": " << JsonString(rule.ShortDescription())
        << "}, \"fullDescription\": {\"text\": " << JsonString(rule.FullDescription())
        << "}, \"help\": {\"text\": " << JsonString(rule.Help())
        << "}, \"defaultConfiguration\": {\"level\": \"error\"}}";
    separator = ",\n";
  }
  out << (*separator == ',' ? "\n    ]}},\n" : "]}},\n")
      << "    \"invocations\": [{\"executionSuccessful\": " << (result.HasErrors() ? "false" : "true")
      << ", \"toolExecutionNotifications\": [";
  separator = "\n";
  for (const HInputError& error : Errors(result)) {
    out << separator << "      "
        << SarifNotification("error", error.file, error.line, error.message, rules, "");
    separator = ",\n";
  }
  for (const HWarning& w : result.warnings) {
    out << separator << "      " << SarifNotification("warning", w.file, w.line, w.message, rules, w.rule);
    separator = ",\n";
  }
  out << (*separator == ',' ? "\n    ]}],\n" : "]}],\n") << "    \"originalUriBaseIds\": {\"" << kSourceRoot
      << "\": {\"uri\": " << JsonString(FileUri(m_baseFolder / ""))
      << "}},\n    \"columnKind\": \"unicodeCodePoints\",\n"
      << "    \"results\": [";
  // With a baseline, a result says whether it is new; those the baseline holds follow as "unchanged".
  separator = "\n";
  const char* state = result.baseline ? "new" : nullptr;
  for (size_t file = 0; file < result.files.size(); ++file) {
    for (const HRunResult::List list : {&HFileResult::violations, &HFileResult::suppressed}) {
      result.ForEachOf(file, list, [&](const HViolation& v) {
        out << separator << "      " << SarifResult(v, rules, state, list == &HFileResult::suppressed);
        separator = ",\n";
      });
    }
  }
  if (result.baseline) {
    for (const HViolation& v : result.baseline->unchanged) {
      out << separator << "      " << SarifResult(v, rules, "unchanged", false);
      separator = ",\n";
    }
  }
  out << (*separator == ',' ? "\n    ],\n" : "],\n") << "    \"properties\": {\"units\": " << result.Units()
      << ", \"untranslated\": " << result.Untranslated()
      << ", \"not_translatable\": " << result.NotTranslatable() << ", \"in_baseline\": " << InBaseline(result)
      << ", \"fixed_since_baseline\": " << FixedSinceBaseline(result)
      << ", \"suppressed\": " << result.Suppressed() << "}\n  }]\n}\n";
}
