// Our own reader of gettext PO files: large-block reads, one entry in memory at a time, the escapes of C
// strings, message context, plural forms, fuzzy and obsolete entries, and the charset that the header
// declares (UTF-8 read as it is, every other charset converted with iconv).
#include "HPoReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <tuple>
#include <vector>

#include "HByteSource.h"
#include "HCharset.h"
#include "HError.h"
#include "support/KUtf8.h"

namespace {

constexpr size_t kBlockSize = 1 << 20;

// The file's lines one at a time, read in large blocks; a line is valid until the next call. The buffer
// grows only for a line longer than itself and is never cleared before a read fills it.
class KLineSource {
 public:
  explicit KLineSource(HByteSource& bytes) : bytes_(bytes) {}
  KLineSource(const KLineSource&) = delete;
  KLineSource& operator=(const KLineSource&) = delete;
  long LineNumber() const { return lineNumber_; }

  // The next line without its line end; false at the end of the file. A backslash at the end of a line
  // joins the next line to it, as gettext's lexer reads it.
  bool Next(std::string_view& line) {
    bool ended = false;
    if (!NextRaw(line, ended)) return false;
    if (!ended || line.empty() || line.back() != '\\') return TrimCarriageReturn(line);
    joined_.assign(line.data(), line.size() - 1);
    for (std::string_view more; NextRaw(more, ended);) {
      joined_.append(more);
      if (!ended || more.empty() || more.back() != '\\') break;
      joined_.pop_back();
    }
    line = joined_;
    return TrimCarriageReturn(line);
  }

 private:
  static bool TrimCarriageReturn(std::string_view& line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }
  // The next physical line as it stands; `ended` tells whether a line feed ended it.
  bool NextRaw(std::string_view& line, bool& ended) {
    for (size_t searched = start_;;) {
      if (const void* end = std::memchr(buffer_.get() + searched, '\n', end_ - searched)) {
        Take(line, static_cast<const char*>(end) - (buffer_.get() + start_), 1);
        ended = true;
        return true;
      }
      searched = end_;
      if (!Fill()) {
        if (start_ == end_) return false;
        Take(line, end_ - start_, 0);
        ended = false;
        return true;
      }
      searched -= consumedByFill_;
    }
  }
  void Take(std::string_view& line, size_t length, size_t lineEnd) {
    line = std::string_view(buffer_.get() + start_, length);
    start_ += length + lineEnd;
    ++lineNumber_;
  }
  // Moves the unread rest to the front, grows the buffer when the rest fills it, and reads behind the rest;
  // false when nothing more could be read.
  bool Fill() {
    consumedByFill_ = start_;
    std::memmove(buffer_.get(), buffer_.get() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
    if (end_ == capacity_) {
      auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
      std::memcpy(larger.get(), buffer_.get(), end_);
      buffer_ = std::move(larger);
      capacity_ *= 2;
    }
    const size_t got = bytes_.Read(buffer_.get() + end_, capacity_ - end_);
    end_ += got;
    return got > 0;
  }

  HByteSource& bytes_;
  size_t capacity_ = kBlockSize;
  std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(kBlockSize);
  size_t start_ = 0;
  size_t end_ = 0;
  size_t consumedByFill_ = 0;  // how far the last fill moved the unread rest to the front
  std::string joined_;         // lines joined by backslashes
  long lineNumber_ = 0;
};

// One entry as it is read: its strings still in the file's charset.
struct KPoEntry {
  long line = 0;  // of its msgctxt, else of its msgid
  bool hasContext = false;
  bool hasId = false;
  bool hasPlural = false;
  bool fuzzy = false;
  bool obsolete = false;
  std::string context, id, plural;
  std::vector<std::string> translations;                 // msgstr, or msgstr[0], msgstr[1], ...
  std::vector<std::pair<long, long>> translationStarts;  // line and column where each one's text starts
  std::vector<std::pair<long, long>> translationEnds;    // and where it ends: its closing quote
  bool plainTranslation = false;                         // msgstr without an index
  std::vector<HSuppression> suppressions;

  void Clear() {
    line = 0;
    hasContext = hasId = hasPlural = fuzzy = obsolete = plainTranslation = false;
    context.clear();
    id.clear();
    plural.clear();
    translations.clear();
    translationStarts.clear();
    translationEnds.clear();
    suppressions.clear();
  }
};

// White space between the tokens of a line, as gettext's lexer skips it.
constexpr std::string_view kBlanks = " \t\r\f\v";
constexpr std::string_view kFlagSeparators = ", \t\r\f\v";
constexpr std::string_view kIgnoreFlag = "inline-patterns-ignore";

bool StartsWithWord(std::string_view line, std::string_view word) {
  if (line.substr(0, word.size()) != word) return false;
  if (line.size() == word.size()) return true;  // its string follows on the next line
  const char next = line[word.size()];
  return kBlanks.find(next) != std::string_view::npos || next == '"' || next == '[';
}

// The decimal number of a plural form's index; SIZE_MAX when it is none or too large to be one.
size_t IndexOf(std::string_view digits) {
  constexpr size_t kMaxForms = 1'000'000;
  size_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || value > kMaxForms) return SIZE_MAX;
    value = value * 10 + static_cast<size_t>(c - '0');
  }
  return digits.empty() ? SIZE_MAX : value;
}

std::string_view TrimLeft(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

class KPoParser {
 public:
  KPoParser(HByteSource& bytes, const HUnitSink& sink) : path_(bytes.Name()), sink_(sink), lines_(bytes) {}

  void Run() {
    std::string_view line;
    bool first = true;
    while (lines_.Next(line)) {
      if (first && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
      first = false;
      lineStart_ = line.data();
      Line(line);
    }
    Finish();
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw HError(path_ + ":" + std::to_string(lines_.LineNumber()) + ": " + message);
  }

  // A line, or the rest of one after a string: gettext reads tokens, and "#~" marks an obsolete entry's.
  void Line(std::string_view line, bool obsolete = false) {
    line = TrimLeft(line);
    if (line.empty()) return;
    if (awaitingString_ && line[0] != '"' && line[0] != '#') Fail("string expected");
    if (line[0] == '#') {
      if (line.size() < 2 || line[1] != '~') return Comment(line);
      line = TrimLeft(line.substr(2));
      if (line.empty() || line[0] == '|') return;  // an obsolete entry's previous strings
      return Line(line, true);
    }
    obsoleteLine_ = obsolete;
    if (line[0] == '"') return Continuation(line, obsolete);
    Keyword(line, obsolete);
  }

  void Comment(std::string_view line) {
    line = line.substr(0, line.find('\0'));  // gettext's comment, a C string, ends at a NUL byte
    if (line.size() < 2 || line[1] != ',') return;
    EndEntryBeforeComment();
    // Flags are separated by commas or white space; as in gettext, the last flag line before an entry
    // decides whether it is fuzzy.
    pendingFuzzy_ = false;
    for (std::string_view flags = line.substr(2); !flags.empty();) {
      const size_t start = flags.find_first_not_of(kFlagSeparators);
      if (start == std::string_view::npos) break;
      flags.remove_prefix(start);
      if (flags.starts_with(kIgnoreFlag)) {
        flags = IgnoreFlag(flags);
        continue;
      }
      const size_t end = std::min(flags.find_first_of(kFlagSeparators), flags.size());
      if (flags.substr(0, end) == "fuzzy") pendingFuzzy_ = true;
      flags.remove_prefix(end);
    }
  }

  // inline-patterns-ignore suppresses every rule, inline-patterns-ignore:"Rule name" one; the quotes let a
  // name hold the blanks and commas that separate flags. Answers what follows the flag.
  std::string_view IgnoreFlag(std::string_view flags) {
    HSuppression& suppression = pendingSuppressions_.emplace_back();
    suppression.line = lines_.LineNumber();
    std::string_view rest = flags.substr(kIgnoreFlag.size());
    if (rest.empty() || kFlagSeparators.find(rest[0]) != std::string_view::npos) return rest;
    const size_t close = rest.find('"', 2);
    if (!rest.starts_with(":\"") || close == std::string_view::npos || close == 2 ||
        (close + 1 < rest.size() && kFlagSeparators.find(rest[close + 1]) == std::string_view::npos)) {
      suppression.malformed = true;
      return rest.substr(std::min(rest.find_first_of(kFlagSeparators), rest.size()));
    }
    suppression.rule = rest.substr(2, close - 2);
    return rest.substr(close + 1);
  }

  // A comment after a complete entry belongs to the next one.
  void EndEntryBeforeComment() {
    if (!entry_.translations.empty()) Emit();
  }

  void Keyword(std::string_view line, bool obsolete) {
    if (StartsWithWord(line, "msgctxt")) {
      StartEntry(obsolete);
      if (entry_.hasContext || entry_.hasId) Fail("msgctxt out of place");
      entry_.hasContext = true;
      entry_.line = lines_.LineNumber();
      field_ = &entry_.context;
      fieldStart_ = fieldEnd_ = nullptr;
      return Strings(line.substr(7));
    }
    if (StartsWithWord(line, "msgid_plural")) {
      if (!entry_.hasId || entry_.hasPlural || !entry_.translations.empty())
        Fail("msgid_plural out of place");
      entry_.hasPlural = true;
      field_ = &entry_.plural;
      fieldStart_ = fieldEnd_ = nullptr;
      return Strings(line.substr(12));
    }
    if (StartsWithWord(line, "msgid")) {
      StartEntry(obsolete);
      if (entry_.hasId) Fail("msgid out of place");
      entry_.hasId = true;
      if (!entry_.hasContext) entry_.line = lines_.LineNumber();
      field_ = &entry_.id;
      fieldStart_ = fieldEnd_ = nullptr;
      return Strings(line.substr(5));
    }
    if (StartsWithWord(line, "msgstr")) return Translation(line.substr(6));
    Fail("keyword or string expected");
  }

  // A msgctxt or msgid after a complete entry starts the next one.
  void StartEntry(bool obsolete) {
    if (!entry_.translations.empty()) Emit();
    if (entry_.hasContext || entry_.hasId) return;
    entry_.obsolete = obsolete;
    entry_.fuzzy = pendingFuzzy_;
    pendingFuzzy_ = false;
    entry_.suppressions = std::move(pendingSuppressions_);
    pendingSuppressions_.clear();
  }

  void Translation(std::string_view rest) {
    if (!entry_.hasId) Fail("msgstr without msgid");
    rest = TrimLeft(rest);
    const bool indexed = !rest.empty() && rest[0] == '[';
    if (indexed != entry_.hasPlural)
      Fail(indexed ? "msgstr[] without msgid_plural" : "msgid_plural needs msgstr[]");
    if (indexed) {
      const size_t close = rest.find(']');
      if (close == std::string_view::npos) Fail("] expected");
      std::string_view number = TrimLeft(rest.substr(1, close - 1));
      number = number.substr(0, number.find_last_not_of(kBlanks) + 1);
      if (IndexOf(number) != entry_.translations.size())
        Fail("msgstr[" + std::string(number) + "] out of order");
      rest.remove_prefix(close + 1);
    } else if (entry_.plainTranslation) {
      Fail("msgstr given twice");
    }
    entry_.plainTranslation = !indexed;
    field_ = &entry_.translations.emplace_back();
    fieldStart_ = &entry_.translationStarts.emplace_back();
    fieldEnd_ = &entry_.translationEnds.emplace_back();
    Strings(rest);
  }

  void Continuation(std::string_view line, bool obsolete) {
    if (field_ == nullptr || obsolete != entry_.obsolete) Fail("string without a keyword");
    Strings(line);
  }

  // The quoted strings of a line, unescaped and appended to the current field. Each string ends at its
  // first NUL byte (written raw or as an escape), as gettext's own tools read it.
  void Strings(std::string_view rest) {
    rest = TrimLeft(rest);
    awaitingString_ = rest.empty();
    if (awaitingString_) return;
    if (rest[0] != '"') Fail("string expected");
    while (!rest.empty()) {
      // gettext reads tokens, not lines: a keyword or a comment may follow on the same line.
      if (rest[0] != '"') return Line(rest, obsoleteLine_);
      // A translation's text starts at its first non-empty string: `msgstr ""` often only opens it.
      if (fieldStart_ != nullptr && field_->empty())
        *fieldStart_ = {lines_.LineNumber(), ColumnOf(rest.data() + 1)};
      const size_t start = field_->size();
      rest = Unescape(rest.substr(1), *field_);
      if (fieldEnd_ != nullptr) *fieldEnd_ = {lines_.LineNumber(), ColumnOf(rest.data() - 1)};
      if (const size_t nul = field_->find('\0', start); nul != std::string::npos) field_->resize(nul);
      rest = TrimLeft(rest);
    }
  }

  // The 1-based column, in characters, of the byte at on the current line.
  long ColumnOf(const char* at) const {
    return 1 + static_cast<long>(Utf8Characters(std::string_view(lineStart_, at - lineStart_)));
  }

  // Appends the string up to its closing quote and returns what follows it.
  std::string_view Unescape(std::string_view text, std::string& out) {
    for (;;) {
      // A plain loop: find_first_of looks each byte up in its set with a call of its own.
      const size_t special =
          std::find_if(text.begin(), text.end(), [](char c) { return c == '"' || c == '\\'; }) - text.begin();
      if (special == text.size()) Fail("end of string expected");
      out.append(text.data(), special);
      if (text[special] == '"') return text.substr(special + 1);
      text.remove_prefix(special + 1);
      if (text.empty()) Fail("end of string expected");
      text = Escape(text, out);
    }
  }

  std::string_view Escape(std::string_view text, std::string& out) {
    static constexpr std::string_view kSimple = "ntbrfva\\\"'?";
    static constexpr std::string_view kValues = "\n\t\b\r\f\v\a\\\"'?";
    const char c = text[0];
    if (const size_t at = kSimple.find(c); at != std::string_view::npos) {
      out += kValues[at];
      return text.substr(1);
    }
    if (c >= '0' && c <= '7') {
      int value = 0;
      size_t length = 0;
      for (; length < 3 && length < text.size() && text[length] >= '0' && text[length] <= '7'; ++length)
        value = value * 8 + (text[length] - '0');
      out += static_cast<char>(value);
      return text.substr(length);
    }
    if (c == 'x' && text.size() > 1 && std::isxdigit(static_cast<unsigned char>(text[1]))) {
      int value = 0;
      size_t length = 1;
      for (; length < text.size() && std::isxdigit(static_cast<unsigned char>(text[length])); ++length)
        value = value * 16 + (std::isdigit(static_cast<unsigned char>(text[length]))
                                  ? text[length] - '0'
                                  : (std::tolower(static_cast<unsigned char>(text[length])) - 'a' + 10));
      out += static_cast<char>(value & 0xFF);
      return text.substr(length);
    }
    Fail("invalid control sequence");
  }

  void Finish() {
    if (awaitingString_) Fail("string expected");
    if (entry_.hasContext || entry_.hasId) {
      if (entry_.translations.empty()) Fail("missing msgstr");
      Emit();
    }
  }

  void Emit() {
    const bool header = !entry_.obsolete && !entry_.hasContext && entry_.id.empty();
    if (header && !sawHeader_) UseHeader();
    // An empty msgid is the header's, with a context too: it is never a translation.
    if (!entry_.id.empty() && !entry_.obsolete) EmitUnits();
    sawHeader_ = sawHeader_ || header;
    entry_.Clear();
    field_ = nullptr;
  }

  void UseHeader() {
    const std::string& header = entry_.translations.empty() ? entry_.id : entry_.translations[0];
    UseHeaderCharset(header);
    const size_t language = header.starts_with("Language:") ? 0 : header.find("\nLanguage:");
    if (language == std::string::npos) return;
    const size_t from = header.find(':', language) + 1;
    const std::string_view value =
        TrimLeft(std::string_view(header).substr(from, header.find('\n', from) - from));
    unit_.language = value.substr(0, value.find_last_not_of(kBlanks) + 1);
  }

  void UseHeaderCharset(const std::string& header) {
    const size_t at = header.find("charset=");
    if (at == std::string::npos) return;
    const size_t end = header.find_first_of(" \t\n;", at + 8);
    const std::string name = header.substr(at + 8, end == std::string::npos ? end : end - at - 8);
    if (HCharset::IsUtf8Compatible(name)) return;
    try {
      charset_ = std::make_unique<HCharset>(name);
    } catch (const HError& error) {
      throw HError(path_ + ": " + error.what());
    }
  }

  void Convert(std::string& text) {
    if (!charset_ || text.empty()) return;
    try {
      text = charset_->ToUtf8(text);
    } catch (const HError& error) {
      Fail(error.what());
    }
  }

  // Every form of the entry; a fuzzy entry (msgfmt leaves it out) or an empty form waits for a translator.
  // Texts that iconv converted are UTF-8; the others, taken as they are, may hold bytes that are not, which
  // the check reads as U+FFFD: the unit says so. Each text is looked at once, here where it is made.
  void EmitUnits() {
    Convert(entry_.context);
    Convert(entry_.id);
    Convert(entry_.plural);
    const bool idUtf8 = charset_ || IsUtf8(entry_.id);
    const bool pluralUtf8 = charset_ || IsUtf8(entry_.plural);
    unit_.line = entry_.line;
    const std::string baseId = entry_.hasContext ? entry_.context + "|" + entry_.id : entry_.id;
    for (size_t form = 0; form < entry_.translations.size(); ++form) {
      std::string& translation = entry_.translations[form];
      std::tie(unit_.targetLine, unit_.targetColumn) = entry_.translationStarts[form];
      std::tie(unit_.targetEndLine, unit_.targetEndColumn) = entry_.translationEnds[form];
      Convert(translation);
      unit_.status =
          entry_.fuzzy || translation.empty() ? HUnit::Status::Untranslated : HUnit::Status::Translated;
      unit_.id = entry_.hasPlural ? baseId + "[" + std::to_string(form) + "]" : baseId;
      unit_.sourcePlain = unit_.sourceNative = form == 0 ? entry_.id : entry_.plural;
      unit_.targetPlain = unit_.targetNative = translation;
      unit_.suppressions = entry_.suppressions;
      const bool utf8 = (form == 0 ? idUtf8 : pluralUtf8) && (charset_ || IsUtf8(translation));
      unit_.unread = utf8 ? "" : "bytes that are not UTF-8 are read as U+FFFD";
      sink_(unit_);
    }
  }

  const std::string& path_;
  const HUnitSink& sink_;
  KLineSource lines_;
  std::unique_ptr<HCharset> charset_;  // none until the header declares one that needs converting
  KPoEntry entry_;
  HUnit unit_;
  std::string* field_ = nullptr;  // where continuation strings go
  // Where the translation read into field_ starts and ends, if it is one.
  std::pair<long, long>* fieldStart_ = nullptr;
  std::pair<long, long>* fieldEnd_ = nullptr;
  const char* lineStart_ = nullptr;
  bool pendingFuzzy_ = false;
  // The suppressions of the flag lines before the next entry.
  std::vector<HSuppression> pendingSuppressions_;
  bool obsoleteLine_ = false;    // the line being read started with "#~"
  bool awaitingString_ = false;  // a keyword ended its line: its string comes on the next
  bool sawHeader_ = false;
};

}  // namespace

void HPoReader::Read(const std::string& path, const HUnitSink& sink) {
  HByteSource bytes(path);
  KPoParser(bytes, sink).Run();
}

void HPoReader::Read(const std::string& name, std::string_view text, const HUnitSink& sink) {
  HByteSource bytes(name, text);
  KPoParser(bytes, sink).Run();
}
