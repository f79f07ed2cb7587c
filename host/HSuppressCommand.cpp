// `suppress`: finds the unit with the host's own readers, inserts the suppression in the file format's own
// spelling next to it, and replaces the file atomically as the rule files are replaced.
#include "HSuppressCommand.h"

#include <algorithm>
#include <cctype>

#include "HArguments.h"
#include "HError.h"
#include "HFileBytes.h"
#include "HReporter.h"
#include "HUnitReader.h"
#include "support/KFileReplacer.h"
#include "support/KUtf8.h"

namespace {

constexpr const char* kIgnore = "inline-patterns-ignore";

struct Found {
  bool found = false;
  bool suppressed = false;  // the rule is suppressed for the unit already
  long line = 0;
};

// A PO unit is named by its id or, for the forms of a plural, by the id without the form's index.
Found FindUnit(const std::string& path, const std::string& text, const std::string& unitId,
               const std::string& rule) {
  Found found;
  HUnitReader::Read(path, text, [&](const HUnit& unit) {
    if (found.found || (unit.id != unitId && unit.id != unitId + "[0]")) return;
    found = {true, false, unit.line};
    for (const HSuppression& s : unit.suppressions)
      found.suppressed = found.suppressed || (!s.malformed && (s.rule.empty() || s.rule == rule));
  });
  return found;
}

size_t LineStart(const std::string& text, long line) {
  size_t at = 0;
  for (long i = 1; i < line && at != std::string::npos; ++i) {
    at = text.find('\n', at);
    if (at != std::string::npos) ++at;
  }
  if (at == std::string::npos) throw HError("the unit's line is past the end of the file");
  return at;
}

std::string LineEnd(const std::string& text, size_t lineStart) {
  const size_t end = text.find('\n', lineStart);
  return end != std::string::npos && end > 0 && text[end - 1] == '\r' ? "\r\n" : "\n";
}

// The entry's flag line gets the flag at its end; an entry without one gets a flag line just above its
// first keyword, where gettext's tools write it.
std::string SuppressPo(const std::string& text, long line, const std::string& rule) {
  const std::string flag = rule.empty() ? kIgnore : std::string(kIgnore) + ":\"" + rule + "\"";
  const size_t keyword = LineStart(text, line);
  // The comments directly above the keyword are the entry's.
  for (size_t start = keyword; start > 0;) {
    const size_t end = start - 1;  // the previous line's '\n'
    const size_t before = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
    const size_t from = before == std::string::npos ? 0 : before + 1;
    if (text[from] != '#' || text.compare(from, 2, "#~") == 0) break;
    if (text.compare(from, 2, "#,") == 0) {
      const size_t flagsEnd = end > from && text[end - 1] == '\r' ? end - 1 : end;
      return text.substr(0, flagsEnd) + ", " + flag + text.substr(flagsEnd);
    }
    start = from;
  }
  return text.substr(0, keyword) + "#, " + flag + LineEnd(text, keyword) + text.substr(keyword);
}

size_t StartOfLine(const std::string& text, size_t at) {
  const size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
  return newline == std::string::npos ? 0 : newline + 1;
}

std::string IndentAt(const std::string& text, size_t lineStart) {
  return text.substr(lineStart, text.find_first_not_of(" \t", lineStart) - lineStart);
}

// Puts the element before the tag at at: on a line of its own, indented as the line above, where the tag
// starts its line (a file laid out by lines stays so), else right before the tag.
std::string InsertBefore(const std::string& text, size_t at, const std::string& element) {
  const size_t line = StartOfLine(text, at);
  if (line == 0 || IndentAt(text, line).size() != at - line)
    return text.substr(0, at) + element + text.substr(at);
  return text.substr(0, line) + IndentAt(text, StartOfLine(text, line - 1)) + element + LineEnd(text, line) +
         text.substr(line);
}

// Puts the element after the start tag that ends before at: on the next line where the tag ends its line.
std::string InsertAfter(const std::string& text, size_t at, const std::string& element) {
  const size_t next = at < text.size() && text[at] == '\r' ? at + 1 : at;
  if (next >= text.size() || text[next] != '\n') return text.substr(0, at) + element + text.substr(at);
  return text.substr(0, next + 1) + IndentAt(text, next + 1) + element + LineEnd(text, next + 1) +
         text.substr(next + 1);
}

// The start tag of the unit with the id (XML-escaped as a writer escapes it); npos without one.
size_t UnitTag(const std::string& text, const std::string& element, const std::string& unitId) {
  const std::string escaped = HReporter::XmlEscape(unitId);
  for (size_t at = text.find("<" + element); at != std::string::npos; at = text.find("<" + element, at + 1)) {
    const size_t close = text.find('>', at);
    const std::string tag = text.substr(at, close - at);
    if (tag.size() > element.size() + 1 &&
        std::isspace(static_cast<unsigned char>(tag[element.size() + 1])) &&
        (tag.find(" id=\"" + escaped + "\"") != std::string::npos ||
         tag.find(" id='" + escaped + "'") != std::string::npos))
      return at;
  }
  return std::string::npos;
}

// XLIFF 1.2: a note of the unit before its end (or its context and count groups, which follow the notes).
// XLIFF 2: a note of our category in the unit's notes, which come first in a unit.
std::string SuppressXliff(const std::string& text, const std::string& unitId, const std::string& rule) {
  const std::string content = std::string(kIgnore) + (rule.empty() ? "" : ": " + HReporter::XmlEscape(rule));
  const bool xliff2 = text.find("urn:oasis:names:tc:xliff:document:2") != std::string::npos;
  const std::string element = xliff2 ? "unit" : "trans-unit";
  // A segment of an XLIFF 1.2 unit is reported as ID#MID; the note is the unit's.
  size_t start = UnitTag(text, element, unitId);
  if (start == std::string::npos && unitId.find('#') != std::string::npos)
    start = UnitTag(text, element, unitId.substr(0, unitId.rfind('#')));
  if (start == std::string::npos) throw HError("no unit \"" + unitId + "\" in the file");
  const size_t end = text.find(xliff2 ? "</unit>" : "</trans-unit>", start);
  if (end == std::string::npos) throw HError("the unit \"" + unitId + "\" has no end");
  if (!xliff2) {
    size_t at = end;
    for (const char* later : {"<context-group", "<count-group"}) at = std::min(at, text.find(later, start));
    return InsertBefore(text, at, "<note>" + content + "</note>");
  }
  const std::string note = "<note category=\"inline-patterns\">" + content + "</note>";
  const size_t notes = text.find("</notes>", start);
  if (notes != std::string::npos && notes < end) return InsertBefore(text, notes, note);
  return InsertAfter(text, text.find('>', start) + 1, "<notes>" + note + "</notes>");
}

void Replace(const std::string& path, const std::string& text) {
  try {
    KFileReplacer replacer(Utf8ToUtf16(path));
    KStdioFile file;
    if (!replacer.Open(file)) throw HError(path + ": cannot write the file");
    file.Write(text.data(), static_cast<uint32_t>(text.size()));
    replacer.Commit(file);
  } catch (const KFileException& error) {
    throw HError(path + ": " + Utf16ToUtf8(error.GetErrorMessage()));
  }
}

}  // namespace

std::string HSuppressCommand::Suppressed(const std::string& path, const std::string& text,
                                         const std::string& unitId, const std::string& rule) {
  const Found found = FindUnit(path, text, unitId, rule);
  if (!found.found) throw HError(path + ": no unit \"" + unitId + "\"");
  if (found.suppressed) return text;
  return path.ends_with(".po") || path.ends_with(".PO") ? SuppressPo(text, found.line, rule)
                                                        : SuppressXliff(text, unitId, rule);
}

int HSuppressCommand::Run(const std::vector<std::string>& arguments, const HConsole& console) {
  HArguments args(arguments);
  if (args.Switch({"-h", "--help"})) {
    console.out << Usage();
    return 0;
  }
  const bool everyRule = args.Switch({"--all"});
  const std::vector<std::string> operands =
      args.Operands(everyRule ? 2 : 3, everyRule ? 2 : 3, everyRule ? "FILE UNIT" : "FILE UNIT RULE");
  const std::string& path = operands[0];
  const std::string rule = everyRule ? "" : operands[2];
  if (rule.find('"') != std::string::npos) throw HError("a suppressed rule's name cannot hold a quote");
  const std::string text = HFileBytes::Read(path, "file");
  const std::string suppressed = Suppressed(path, text, operands[1], rule);
  const std::string what = rule.empty() ? "every rule" : "rule \"" + rule + "\"";
  if (suppressed == text) {
    console.err << "inline-patterns: " << what << " is suppressed for unit \"" << operands[1]
                << "\" already\n";
    return 0;
  }
  Replace(path, suppressed);
  console.err << "inline-patterns: " << what << " suppressed for unit \"" << operands[1] << "\" in " << path
              << "\n";
  return 0;
}

const char* HSuppressCommand::Usage() {
  return R"(Usage: inline-patterns suppress FILE UNIT RULE
       inline-patterns suppress --all FILE UNIT

Writes a reviewed exception into a PO or XLIFF file, so that the check accepts what RULE (with --all:
every rule) reports for UNIT, the unit's id as reports show it. The file keeps every other byte; it is
replaced atomically, and a symbolic link is followed and stays a link.
  PO          #, inline-patterns-ignore:"RULE"   (the entry's flag line; with --all: inline-patterns-ignore)
  XLIFF 1.2   <note>inline-patterns-ignore: RULE</note>
  XLIFF 2     <note category="inline-patterns">inline-patterns-ignore: RULE</note>

Exit status: 0 written or there already, 2 usage or input/output error.
)";
}
