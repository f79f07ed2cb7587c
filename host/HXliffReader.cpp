// XLIFF 1.2 (<trans-unit>) and 2.x (<unit>/<segment>) read node by node with libxml2's text reader.
#include "HXliffReader.h"

#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

#include "HCharset.h"
#include "HError.h"
#include "HXmlTags.h"
#include "support/KUtf8.h"

namespace {

std::string_view View(const xmlChar* text) {
  return text == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char*>(text));
}

// Paired inline elements whose content is translatable text; the text of every other inline element
// (ph, bpt, ept, it, sub...) is native code data and not part of the plain text.
constexpr std::string_view kIgnore = "inline-patterns-ignore";
constexpr std::string_view kNoteCategory = "inline-patterns";

bool KeepsContent(std::string_view name) {
  return name == "g" || name == "pc" || name == "mrk";
}

struct XmlError {
  xmlTextReaderPtr reader = nullptr;
  std::string message;
  int line = 0;
};

void CollectError(void* arg, const char* message, xmlParserSeverities severity, xmlTextReaderLocatorPtr) {
  auto* error = static_cast<XmlError*>(arg);
  if (!error->message.empty() || severity == XML_PARSER_SEVERITY_WARNING ||
      severity == XML_PARSER_SEVERITY_VALIDITY_WARNING) {
    return;
  }
  error->message = message == nullptr ? "malformed XML" : message;
  while (!error->message.empty() && (error->message.back() == '\n' || error->message.back() == ' ')) {
    error->message.pop_back();
  }
  // The parser's own line is where it stopped; the locator's is that of the node being built.
  error->line = xmlTextReaderGetParserLineNumber(error->reader);
}

// A source or target text as the rules see it, the line of its element and the position of its content.
struct Text {
  std::string plain;
  std::string native;
  long line = 0;
  long contentLine = 0;
  long contentColumn = 0;
};

// An XLIFF 2 <segment> or <ignorable>, or a segment (<mrk mtype="seg">) of a segmented XLIFF 1.2 unit.
struct Part {
  std::string mid;
  Text source;
  Text target;
  bool hasTarget = false;
  bool ignorable = false;
  bool initial = false;  // an XLIFF 2 segment whose state is "initial"
  long order = 0;        // an XLIFF 2 target's order attribute; 0 when it has none
};

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// memoQ writes a blank target for "not started"; a blank source ("\n" in a PO turned XLIFF) has a blank
// translation, though.
bool IsUnfilled(const Text& source, const Text& target) {
  return IsBlank(target.native) && !IsBlank(source.native);
}

std::string Attribute(xmlTextReaderPtr reader, const char* name) {
  xmlChar* value = xmlTextReaderGetAttribute(reader, BAD_CAST name);
  std::string text(View(value));
  xmlFree(value);
  return text;
}

// Walks the reader's nodes and assembles one unit at a time.
class UnitAssembler {
 public:
  UnitAssembler(xmlTextReaderPtr reader, std::string_view text, const HUnitSink& sink)
      : m_reader(reader), m_tags(text), m_sink(sink) {}

  void OnNode() {
    const int type = xmlTextReaderNodeType(m_reader);
    const int depth = xmlTextReaderDepth(m_reader);
    // Every element start and end moves the tag finder on, so that it stays in step with the parser.
    if (type == XML_READER_TYPE_ELEMENT && m_tags.NextStart(m_tag))
      OnStart(depth);
    else if (type == XML_READER_TYPE_END_ELEMENT && m_tags.NextEnd(m_tag))
      OnEnd(depth);
    else if (!m_captures.empty() && IsText(type))
      OnText();
  }

 private:
  // An element inside a source or target: whether its content is plain text, and what its end closes: an
  // inline element whose tags stay in the text, a segment marker cut out of it, or a segment's own text.
  enum class Closes { Inline, Marker, Segment };
  struct Inline {
    bool keep;
    Closes closes;
  };
  // Which segments a segment marker inside this text opens.
  enum class Side { None, Source, Target };
  struct Captured {
    Text* text;
    int depth;
    Side side;
    size_t from;  // where the text's next characters as written start in the file
  };

  static bool IsText(int type) {
    return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
           type == XML_READER_TYPE_WHITESPACE || type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
  }

  long Line() const { return xmlGetLineNo(xmlTextReaderCurrentNode(m_reader)); }
  Text& Current() { return *m_captures.back().text; }
  bool Keep() const { return m_inline.empty() || m_inline.back().keep; }

  void OnStart(int depth) {
    const std::string_view name = View(xmlTextReaderConstLocalName(m_reader));
    const bool empty = xmlTextReaderIsEmptyElement(m_reader) == 1;
    if (!m_captures.empty()) return OnInlineStart(name, empty, depth);
    if (m_unitDepth < 0) {
      if (name == "trans-unit" || name == "unit") return BeginUnit(depth, name == "unit", empty);
      if (name == "file" || name == "xliff") ReadLanguage(name == "file" ? "target-language" : "trgLang");
      const std::string translate = Attribute(m_reader, "translate");
      if ((name == "file" || name == "group") && !translate.empty() && !empty)
        m_translate.push_back({depth, translate != "no"});
      return;
    }
    if (m_xliff2 && depth == m_unitDepth + 1 && (name == "segment" || name == "ignorable")) {
      m_inPart = !empty;
      if (!empty) {
        Part& part = m_parts.emplace_back();
        part.ignorable = name == "ignorable";
        part.initial = Attribute(m_reader, "state") == "initial";
      }
      return;
    }
    if (name == "note" && !empty && IsSuppressionNote(depth)) {
      m_note = Text();
      m_note.line = Line();
      return m_captures.push_back({&m_note, depth, Side::None, m_tag.end});
    }
    const bool textParent = m_xliff2 ? m_inPart && depth == m_unitDepth + 2 : depth == m_unitDepth + 1;
    if (!textParent || empty) return;
    if (name == "seg-source") {
      m_segmented = true;
      m_captures.push_back({&m_outside, depth, Side::Source, m_tag.end});
    } else if (name == "target" && !m_xliff2) {
      const std::string state = Attribute(m_reader, "state");
      m_untranslatedState = state == "new" || state == "needs-translation";
      m_outsideTarget.line = Line();
      MarkContent(m_outsideTarget);
      if (m_segmented) return m_captures.push_back({&m_outsideTarget, depth, Side::Target, m_tag.end});
      Capture(m_target, depth);
    } else if (name == "source") {
      Capture(m_xliff2 ? m_parts.back().source : m_source, depth);
    } else if (name == "target") {
      m_parts.back().hasTarget = true;
      m_parts.back().order = std::strtol(Attribute(m_reader, "order").c_str(), nullptr, 10);
      Capture(m_parts.back().target, depth);
    }
  }

  // A unit's note in XLIFF 1.2; in XLIFF 2 one of its notes of our category.
  bool IsSuppressionNote(int depth) const {
    if (!m_xliff2) return depth == m_unitDepth + 1;
    return depth == m_unitDepth + 2 && Attribute(m_reader, "category") == kNoteCategory;
  }

  // The note reads "inline-patterns-ignore" for every rule or "inline-patterns-ignore: Rule name" for one;
  // another note of an XLIFF 1.2 unit is the translators' and none of ours.
  void AddSuppression() {
    const std::string text = Trimmed(m_note.plain);
    if (!text.starts_with(kIgnore)) {
      if (m_xliff2) m_unit.suppressions.push_back({"", m_note.line, true});
      return;
    }
    HSuppression suppression{"", m_note.line, false};
    if (text.size() > kIgnore.size()) {
      suppression.rule = Trimmed(text.substr(kIgnore.size() + 1));
      suppression.malformed = text[kIgnore.size()] != ':' || suppression.rule.empty();
    }
    m_unit.suppressions.push_back(suppression);
  }

  static std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return "";
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first));
  }

  void ReadLanguage(const char* attribute) {
    if (xmlTextReaderIsEmptyElement(m_reader) == 1) return;
    m_unit.language = Attribute(m_reader, attribute);
  }

  void Capture(Text& text, int depth) {
    text.line = Line();
    MarkContent(text);
    m_captures.push_back({&text, depth, Side::None, m_tag.end});
  }

  // The content starts just after the start tag, on the line where libxml2 puts the element: the tag's last.
  void MarkContent(Text& text) {
    text.contentLine = Line();
    text.contentColumn = m_tags.ColumnAt(m_tag.end);
  }

  void OnEnd(int depth) {
    if (!m_inline.empty()) return OnInlineEnd();
    if (m_unitDepth < 0) {
      if (!m_translate.empty() && m_translate.back().depth == depth) m_translate.pop_back();
      return;
    }
    if (!m_captures.empty() && depth == m_captures.back().depth) {
      CutAtTag();
      if (m_captures.back().text == &m_note) AddSuppression();
      m_captures.pop_back();
    } else if (m_xliff2 && depth == m_unitDepth + 1)
      m_inPart = false;
    else if (depth == m_unitDepth)
      EndUnit();
  }

  void BeginUnit(int depth, bool xliff2, bool empty) {
    std::string language = std::move(m_unit.language);
    m_unit = HUnit();
    m_unit.language = std::move(language);
    m_unit.id = Attribute(m_reader, "id");
    m_unit.line = Line();
    // translate="no" holds for everything inside the file, group or unit that says it.
    const std::string translate = Attribute(m_reader, "translate");
    m_translatable =
        translate.empty() ? m_translate.empty() || m_translate.back().translatable : translate != "no";
    m_unitDepth = depth;
    m_xliff2 = xliff2;
    m_inPart = false;
    m_segmented = false;
    m_untranslatedState = false;
    m_source = m_target = m_outside = m_outsideTarget = Text();
    m_parts.clear();
    if (empty) EndUnit();
  }

  void EndUnit() {
    m_unitDepth = -1;
    if (m_segmented) return EmitSegments();
    if (!m_xliff2) return Emit(m_source, m_target, IsUnfilled(m_source, m_target) || m_untranslatedState);
    // The unit waits for a translator until one of its segments holds a translation.
    bool untranslated = true;
    for (const Part& part : m_parts) {
      Append(m_source, part.source);
      if (!part.ignorable && part.hasTarget && !part.initial && !IsUnfilled(part.source, part.target))
        untranslated = false;
    }
    AssembleTarget();
    Emit(m_source, m_target, untranslated);
  }

  // A translator may reorder the segments of a unit: each target stands at the place its order attribute
  // gives (by default its own). An ignorable without a target keeps the source's white space there.
  void AssembleTarget() {
    std::vector<std::pair<long, const Text*>> placed;
    for (size_t i = 0; i < m_parts.size(); ++i) {
      const Part& part = m_parts[i];
      const long place = part.order > 0 ? part.order : static_cast<long>(i + 1);
      if (part.hasTarget || part.ignorable)
        placed.push_back({place, part.hasTarget ? &part.target : &part.source});
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [place, text] : placed) Append(m_target, *text);
  }

  // A joined text starts where its first part does.
  static void Append(Text& text, const Text& part) {
    if (text.contentLine == 0) {
      text.contentLine = part.contentLine;
      text.contentColumn = part.contentColumn;
    }
    text.plain += part.plain;
    text.native += part.native;
  }

  // Each segment is a unit of its own, ID#MID, at the line of its marker in the target.
  void EmitSegments() {
    const bool targetSegmented =
        std::any_of(m_parts.begin(), m_parts.end(), [](const Part& p) { return p.hasTarget; });
    if (!targetSegmented && !IsBlank(m_outsideTarget.native)) {
      m_unit.line = m_outsideTarget.line;
      return Emit(m_source, m_outsideTarget, m_untranslatedState);
    }
    const std::string id = m_unit.id;
    for (const Part& part : m_parts) {
      m_unit.id = id + "#" + part.mid;
      m_unit.line = part.hasTarget ? part.target.line : part.source.line;
      Emit(part.source, part.target, IsUnfilled(part.source, part.target) || m_untranslatedState);
    }
  }

  void Emit(const Text& source, const Text& target, bool untranslated) {
    m_unit.status = !m_translatable ? HUnit::Status::NotTranslatable
                    : untranslated  ? HUnit::Status::Untranslated
                                    : HUnit::Status::Translated;
    m_unit.sourcePlain = source.plain;
    m_unit.sourceNative = source.native;
    m_unit.targetPlain = target.plain;
    m_unit.targetNative = target.native;
    m_unit.targetLine = target.contentLine;
    m_unit.targetColumn = target.contentColumn;
    m_sink(m_unit);
  }

  // The text as written runs up to the current tag and resumes after it.
  void CutAtTag() {
    Captured& capture = m_captures.back();
    capture.text->native += m_tags.Between(capture.from, m_tag.begin);
    capture.from = m_tag.end;
  }

  void OnInlineStart(std::string_view name, bool empty, int depth) {
    if (name == "mrk" && Attribute(m_reader, "mtype") == "seg") return OnSegmentStart(empty, depth);
    if (name == "cp" && Keep()) AppendCodePoint();
    if (!empty) m_inline.push_back({Keep() && KeepsContent(name), Closes::Inline});
  }

  // Segment markers are never part of a text: they only cut it into the pieces translated one by one. In a
  // segmented unit a marker in the seg-source or the target opens that segment's text.
  void OnSegmentStart(bool empty, int depth) {
    const Side side = m_captures.back().side;
    CutAtTag();
    if (side == Side::None) {
      if (!empty) m_inline.push_back({Keep(), Closes::Marker});
      return;
    }
    Part& part = FindPart(Attribute(m_reader, "mid"));
    Text& text = side == Side::Target ? part.target : part.source;
    part.hasTarget = part.hasTarget || side == Side::Target;
    text.line = Line();
    MarkContent(text);
    if (empty) return;
    m_inline.push_back({Keep(), Closes::Segment});
    m_captures.push_back({&text, depth, Side::None, m_tag.end});
  }

  Part& FindPart(const std::string& mid) {
    for (Part& part : m_parts) {
      if (part.mid == mid) return part;
    }
    return m_parts.emplace_back(Part{mid, {}, {}, false});
  }

  void OnInlineEnd() {
    const Closes closes = m_inline.back().closes;
    m_inline.pop_back();
    if (closes == Closes::Inline) return;
    CutAtTag();
    if (closes == Closes::Segment) {
      m_captures.pop_back();
      m_captures.back().from = m_tag.end;
    }
  }

  // <cp hex="..."/> stands for a character that XML cannot carry; the plain text gets the character.
  void AppendCodePoint() {
    const unsigned long codePoint = std::strtoul(Attribute(m_reader, "hex").c_str(), nullptr, 16);
    if (codePoint <= 0x10FFFF) AppendUtf8(Current().plain, static_cast<char32_t>(codePoint));
  }

  void OnText() {
    if (Keep()) Current().plain += View(xmlTextReaderConstValue(m_reader));
  }

  xmlTextReaderPtr m_reader;
  HXmlTags m_tags;
  HXmlTags::Tag m_tag;  // the tag of the element start or end at hand
  const HUnitSink& m_sink;
  HUnit m_unit;
  int m_unitDepth = -1;
  bool m_xliff2 = false;
  bool m_inPart = false;
  bool m_segmented = false;  // an XLIFF 1.2 unit with a <seg-source>
  bool m_untranslatedState = false;
  bool m_translatable = true;  // an XLIFF 1.2 target whose state says nobody translated it yet
  Text m_source;
  Text m_target;
  Text m_outside;        // what a segmented seg-source holds between its segments
  Text m_outsideTarget;  // the same of the target; all of it when the target has no segment markers
  Text m_note;           // a note that may suppress rules for the unit
  std::vector<Part> m_parts;
  std::vector<Captured> m_captures;  // the texts being read, innermost last
  std::vector<Inline> m_inline;
  struct Translate {
    int depth;
    bool translatable;
  };
  std::vector<Translate> m_translate;  // the translate attributes of the files and groups around
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw HError(path + ": cannot open the file");
  std::string text(static_cast<size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  if (!in.seekg(0) || !in.read(text.data(), static_cast<std::streamsize>(text.size())))
    throw HError(path + ": cannot read the file");
  return text;
}

// A byte-order mark names a UTF-16 document; otherwise the XML declaration's encoding, if any.
std::string DocumentEncoding(std::string_view text) {
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) return "UTF-16";
  if (text.starts_with(std::string_view("<\0?\0", 4))) return "UTF-16LE";
  if (text.starts_with(std::string_view("\0<\0?", 4))) return "UTF-16BE";
  const size_t end = text.find("?>");
  if (!text.starts_with("<?xml") || end == std::string_view::npos) return "";
  const std::string_view declaration = text.substr(0, end);
  const size_t name = declaration.find("encoding");
  const size_t open = declaration.find_first_of("\"'", name);
  if (name == std::string_view::npos || open == std::string_view::npos) return "";
  const size_t close = declaration.find(declaration[open], open + 1);
  return std::string(declaration.substr(open + 1, close - open - 1));
}

}  // namespace

void HXliffReader::Read(const std::string& path, const HUnitSink& sink) {
  std::string text = ReadFile(path);
  // The texts as written are cut from the very characters the parser reads, so a document in another
  // encoding is turned into UTF-8 first and the parser told to take it as such.
  const std::string encoding = DocumentEncoding(text);
  int options = XML_PARSE_NONET | XML_PARSE_BIG_LINES;
  if (!HCharset::IsUtf8Compatible(encoding)) {
    try {
      text = HCharset(encoding).ToUtf8(text);
    } catch (const HError& error) {
      throw HError(path + ": " + error.what());
    }
    options |= XML_PARSE_IGNORE_ENC;
  }
  // No network and no entity expansion: a translation file must not reach out or blow up.
  xmlTextReaderPtr reader =
      xmlReaderForMemory(text.data(), static_cast<int>(text.size()), path.c_str(), "UTF-8", options);
  if (reader == nullptr) throw HError(path + ": cannot open the file");
  XmlError error;
  error.reader = reader;
  xmlTextReaderSetErrorHandler(reader, CollectError, &error);
  UnitAssembler assembler(reader, text, sink);
  int rc = 0;
  try {
    while ((rc = xmlTextReaderRead(reader)) == 1) assembler.OnNode();
  } catch (...) {
    xmlFreeTextReader(reader);
    throw;
  }
  xmlFreeTextReader(reader);
  if (rc < 0 || !error.message.empty()) {
    const std::string where = error.line > 0 ? path + ":" + std::to_string(error.line) : path;
    throw HError(where + ": " + (error.message.empty() ? "malformed XML" : error.message));
  }
}
