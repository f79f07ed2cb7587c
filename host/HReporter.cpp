// The four report formats of inline-patterns.
#include "HReporter.h"

#include "support/KUtf8.h"

#include <cctype>
#include <set>
#include <string_view>

namespace {

constexpr const char* kToolName = "inline-patterns";
constexpr size_t kShortIdLength = 40;
// The JSON report's shape; raised when a field changes meaning or goes away, not when one is added.
constexpr int kJsonFormat = 1;

std::string Position(const std::string& file, long line) {
  return line > 0 ? file + ":" + std::to_string(line) : file;
}

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

std::string RuleAndMessage(const HViolation& violation) {
  return violation.rule.empty() ? violation.message : violation.rule + ": " + violation.message;
}

// Escapes carry a byte or a control character as a fixed number of upper-case hex digits.
void AppendHex(std::string& out, unsigned value, int digits) {
  constexpr std::string_view kHexDigits = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kHexDigits[(value >> shift) & 0xF];
}

// SARIF locations are URIs; a relative path stays relative, other characters are percent-encoded.
std::string UriOf(const std::string& path) {
  std::string uri;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || std::string_view("/-._~").find(c) != std::string_view::npos) {
      uri += c;
    } else {
      uri += '%';
      AppendHex(uri, byte, 2);
    }
  }
  return uri;
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

std::string RuleId(const HViolation& violation) {
  return violation.rule.empty() ? kToolName : violation.rule;
}

}  // namespace

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
  }
}

std::string HReporter::Paint(const std::string& text, const char* code) const {
  return m_colour ? std::string("\x1b[") + code + "m" + text + "\x1b[0m" : text;
}

std::string HReporter::ErrorLine(const HInputError& error) {
  const std::string where = error.file.empty() ? kToolName : Position(error.file, error.line);
  return Printable(where) + ": error: " + Printable(error.message) + "\n";
}

// As compilers write them, so that editors' error parsers jump to each violation.
void HReporter::WriteText(const HRunResult& result, std::ostream& out) const {
  for (const HFileResult& file : result.files) {
    for (const HViolation& v : file.violations) {
      std::string line = Paint(Printable(Position(v.file, v.line)) + ":", "1") + " " +
                         Paint("warning:", "1;35") + " [" + Printable(ShortId(v.unitId)) + "] " +
                         Printable(v.message);
      if (!v.rule.empty()) line += " [" + Paint(Printable(v.rule), "1;31") + "]";
      out << line << "\n";
      if (m_verbose) out << Texts(v.withTags, Printable(v.source), Printable(v.translation));
    }
  }
}

void HReporter::WriteJson(const HRunResult& result, std::ostream& out) const {
  out << "{\n  \"format\": " << kJsonFormat << ",\n  \"tool\": " << JsonString(kToolName)
      << ",\n  \"summary\": {\"files\": " << result.files.size() << ", \"units\": " << result.Units()
      << ", \"untranslated\": " << result.Untranslated()
      << ", \"not_translatable\": " << result.NotTranslatable() << ", \"violations\": " << result.Violations()
      << "},\n"
      << "  \"violations\": [";
  const char* separator = "\n";
  for (const HFileResult& file : result.files) {
    for (const HViolation& v : file.violations) {
      out << separator << "    {\"file\": " << JsonString(v.file) << ", \"line\": " << v.line
          << ", \"unit\": " << JsonString(v.unitId) << ", \"rule\": " << JsonString(v.rule)
          << ", \"message\": " << JsonString(v.message) << ", \"source\": " << JsonString(v.source)
          << ", \"translation\": " << JsonString(v.translation)
          << ", \"with_tags\": " << (v.withTags ? "true" : "false") << "}";
      separator = ",\n";
    }
  }
  out << (*separator == ',' ? "\n  ],\n" : "],\n") << "  \"errors\": [";
  separator = "";
  for (const HFileResult& file : result.files) {
    if (!file.error) continue;
    out << separator << JsonError(*file.error);
    separator = ", ";
  }
  for (const HInputError& error : result.errors) {
    out << separator << JsonError(error);
    separator = ", ";
  }
  out << "]\n}\n";
}

void HReporter::WriteJUnit(const HRunResult& result, std::ostream& out) const {
  long failures = 0;
  long errors = 0;
  for (const HFileResult& file : result.files) {
    failures += file.violations.empty() ? 0 : 1;
    errors += file.error ? 1 : 0;
  }
  const std::string counts = " tests=\"" + std::to_string(result.files.size()) + "\" failures=\"" +
                             std::to_string(failures) + "\" errors=\"" + std::to_string(errors) + "\"";
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"" << kToolName << "\"" << counts
      << ">\n  <testsuite name=\"" << kToolName << "\"" << counts << ">\n"
      << "    <properties><property name=\"untranslated\" value=\"" << result.Untranslated()
      << "\"/><property name=\"not_translatable\" value=\"" << result.NotTranslatable()
      << "\"/></properties>\n";
  // One test case per checked file: a file with violations fails, one that could not be read is an error.
  for (const HFileResult& file : result.files) {
    out << "    <testcase classname=\"" << kToolName << "\" name=\"" << XmlEscape(file.path) << "\">\n";
    if (!file.violations.empty()) {
      out << "      <failure message=\"" << file.violations.size() << " violation(s) in " << file.units
          << " unit(s)\" type=\"violation\">";
      for (const HViolation& v : file.violations) {
        out << XmlEscape(Position(v.file, v.line) + ": [" + v.unitId + "] " + RuleAndMessage(v) + "\n" +
                         Texts(v.withTags, v.source, v.translation));
      }
      out << "</failure>\n";
    }
    if (file.error) {
      out << "      <error message=\""
          << XmlEscape(Position(file.path, file.error->line) + ": " + file.error->message) << "\"/>\n";
    }
    out << "    </testcase>\n";
  }
  out << "  </testsuite>\n</testsuites>\n";
}

void HReporter::WriteSarif(const HRunResult& result, std::ostream& out) const {
  std::set<std::string> rules;
  for (const HFileResult& file : result.files) {
    for (const HViolation& v : file.violations) rules.insert(RuleId(v));
  }
  out << "{\n  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n  \"version\": \"2.1.0\",\n"
      << "  \"runs\": [{\n    \"tool\": {\"driver\": {\"name\": " << JsonString(kToolName)
      << ", \"rules\": [";
  const char* separator = "";
  for (const std::string& rule : rules) {
    out << separator << "{\"id\": " << JsonString(rule) << "}";
    separator = ", ";
  }
  out << "]}},\n    \"results\": [";
  separator = "\n";
  for (const HFileResult& file : result.files) {
    for (const HViolation& v : file.violations) {
      out << separator << "      {\"ruleId\": " << JsonString(RuleId(v))
          << ", \"level\": \"error\", \"message\": "
          << "{\"text\": " << JsonString("[" + v.unitId + "] " + v.message) << "}, \"locations\": [{"
          << "\"physicalLocation\": {\"artifactLocation\": {\"uri\": " << JsonString(UriOf(v.file)) << "}";
      if (v.line > 0) out << ", \"region\": {\"startLine\": " << v.line << "}";
      out << "}}], \"properties\": {\"source\": " << JsonString(v.source)
          << ", \"translation\": " << JsonString(v.translation)
          << ", \"withTags\": " << (v.withTags ? "true" : "false") << "}}";
      separator = ",\n";
    }
  }
  out << (*separator == ',' ? "\n    ],\n" : "],\n") << "    \"properties\": {\"units\": " << result.Units()
      << ", \"untranslated\": " << result.Untranslated()
      << ", \"not_translatable\": " << result.NotTranslatable() << "}\n  }]\n}\n";
}
