// XLIFF 1.2 (<trans-unit>) and 2.x (<unit>/<segment>) read block by block with libxml2's SAX2 push parser
// (twice as fast as its text reader and expat on real catalogs): memory holds one unit, not the file.
#include "HXliffReader.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "HByteSource.h"
#include "HCharset.h"
#include "HError.h"
#include "HXmlTags.h"
#include "support/KUtf8.h"

namespace {

// No translation file nests its elements this deep; a file that does is damaged or made to hurt.
constexpr int kMaxDepth = 256;
constexpr const char* kTooDeep = "elements nested more than 256 deep";

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

std::string_view View(const xmlChar* begin, const xmlChar* end) {
  return std::string_view(reinterpret_cast<const char*>(begin), static_cast<size_t>(end - begin));
}

// An element start as the parser reports it: its local name, its attributes and the line it is on.
struct Element {
  std::string_view name;
  const xmlChar** attributes = nullptr;  // local name, prefix, URI, value, value end: five per attribute
  int attributeCount = 0;
  long line = 0;

  // The unprefixed attribute's value. The parser leaves an escaped '&' as "&#38;" in it for the layer above
  // to resolve, which is here.
  std::string Attribute(std::string_view wanted) const {
    for (int i = 0; i < attributeCount; ++i) {
      const xmlChar** attribute = attributes + 5 * i;
      if (attribute[1] != nullptr || View(attribute[0]) != wanted) continue;
      std::string value(View(attribute[3], attribute[4]));
      for (size_t at = 0; (at = value.find("&#38;", at)) != std::string::npos; ++at)
        value.replace(at, 5, "&");
      return value;
    }
    return {};
  }
};

// A source or target text as the rules see it, the line of its element and the position of its content.
struct Text {
  std::string plain;
  std::string native;
  long line = 0;
  long contentLine = 0;
  long contentColumn = 0;
  long endLine = 0;  // where the content ends: the end tag
  long endColumn = 0;
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

// Follows the parser's events and assembles one unit at a time.
class UnitAssembler {
 public:
  explicit UnitAssembler(const HUnitSink& sink) : m_sink(sink) {}

  HXmlTags& Tags() { return m_tags; }
  // A reference in the text being read that stays unread.
  void Unread(const std::string& what) {
    if (!m_captures.empty() && m_unit.unread.empty()) m_unit.unread = what;
  }
  // Where the bytes still wanted start: the earliest text being read as written, else the next tag.
  size_t KeepFrom() const {
    size_t from = m_tags.Position();
    for (const Captured& capture : m_captures) from = std::min(from, capture.from);
    return from;
  }

  // Every element start and end moves the tag finder on, so that it stays in step with the parser.
  void Start(const Element& element) {
    const int depth = m_depth++;
    if (!m_tags.NextStart(m_tag)) return;
    // The parser reports an empty element's end at once; its start stands for both, as "<x/>" does.
    m_emptyEnds = m_tags.IsEmptyElement(m_tag);
    m_element = &element;
    OnStart(element.name, m_emptyEnds, depth);
    m_element = nullptr;
  }

  // The line is the parser's, where the end tag is.
  void End(long line) {
    m_endLine = line;
    const int depth = --m_depth;
    if (m_emptyEnds) {
      m_emptyEnds = false;
      return;
    }
    if (m_tags.NextEnd(m_tag)) OnEnd(depth);
  }

  void Characters(std::string_view text) {
    if (!m_captures.empty() && Keep()) Current().plain += text;
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

  long Line() const { return m_element->line; }
  std::string Attribute(std::string_view name) const { return m_element->Attribute(name); }
  Text& Current() { return *m_captures.back().text; }
  bool Keep() const { return m_inline.empty() || m_inline.back().keep; }

  void OnStart(std::string_view name, bool empty, int depth) {
    if (!m_captures.empty()) return OnInlineStart(name, empty, depth);
    if (m_unitDepth < 0) {
      if (name == "trans-unit" || name == "unit") return BeginUnit(depth, name == "unit", empty);
      if (name == "file" || name == "xliff")
        ReadLanguage(name == "file" ? "target-language" : "trgLang", empty);
      const std::string translate = Attribute("translate");
      if ((name == "file" || name == "group") && !translate.empty() && !empty)
        m_translate.push_back({depth, translate != "no"});
      return;
    }
    if (m_xliff2 && depth == m_unitDepth + 1 && (name == "segment" || name == "ignorable")) {
      m_inPart = !empty;
      if (!empty) {
        Part& part = m_parts.emplace_back();
        part.ignorable = name == "ignorable";
        part.initial = Attribute("state") == "initial";
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
      const std::string state = Attribute("state");
      m_untranslatedState = state == "new" || state == "needs-translation";
      m_outsideTarget.line = Line();
      MarkContent(m_outsideTarget);
      if (m_segmented) return m_captures.push_back({&m_outsideTarget, depth, Side::Target, m_tag.end});
      Capture(m_target, depth);
    } else if (name == "source") {
      Capture(m_xliff2 ? m_parts.back().source : m_source, depth);
    } else if (name == "target") {
      m_parts.back().hasTarget = true;
      m_parts.back().order = std::strtol(Attribute("order").c_str(), nullptr, 10);
      Capture(m_parts.back().target, depth);
    }
  }

  // A unit's note in XLIFF 1.2; in XLIFF 2 one of its notes of our category.
  bool IsSuppressionNote(int depth) const {
    if (!m_xliff2) return depth == m_unitDepth + 1;
    return depth == m_unitDepth + 2 && Attribute("category") == kNoteCategory;
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

  void ReadLanguage(const char* attribute, bool empty) {
    if (empty) return;
    m_unit.language = Attribute(attribute);
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

  void MarkEnd(Text& text) const {
    text.endLine = m_endLine;
    text.endColumn = m_tags.ColumnAt(m_tag.begin);
  }

  void OnEnd(int depth) {
    if (!m_inline.empty()) return OnInlineEnd();
    if (m_unitDepth < 0) {
      if (!m_translate.empty() && m_translate.back().depth == depth) m_translate.pop_back();
      return;
    }
    if (!m_captures.empty() && depth == m_captures.back().depth) {
      CutAtTag();
      MarkEnd(Current());
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
    m_unit.id = Attribute("id");
    m_unit.line = Line();
    // translate="no" holds for everything inside the file, group or unit that says it.
    const std::string translate = Attribute("translate");
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

  // A joined text starts where its first part does and ends where its last part in the file ends.
  static void Append(Text& text, const Text& part) {
    if (text.contentLine == 0) {
      text.contentLine = part.contentLine;
      text.contentColumn = part.contentColumn;
    }
    if (std::pair(part.endLine, part.endColumn) > std::pair(text.endLine, text.endColumn)) {
      text.endLine = part.endLine;
      text.endColumn = part.endColumn;
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
    m_unit.targetEndLine = target.endLine;
    m_unit.targetEndColumn = target.endColumn;
    m_sink(m_unit);
  }

  // The text as written runs up to the current tag and resumes after it.
  void CutAtTag() {
    Captured& capture = m_captures.back();
    capture.text->native += m_tags.Between(capture.from, m_tag.begin);
    capture.from = m_tag.end;
  }

  void OnInlineStart(std::string_view name, bool empty, int depth) {
    if (name == "mrk" && Attribute("mtype") == "seg") return OnSegmentStart(empty, depth);
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
    Part& part = FindPart(Attribute("mid"));
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
      MarkEnd(Current());
      m_captures.pop_back();
      m_captures.back().from = m_tag.end;
    }
  }

  // <cp hex="..."/> stands for a character that XML cannot carry; the plain text gets the character.
  void AppendCodePoint() {
    const unsigned long codePoint = std::strtoul(Attribute("hex").c_str(), nullptr, 16);
    if (codePoint <= 0x10FFFF) AppendUtf8(Current().plain, static_cast<char32_t>(codePoint));
  }

  HXmlTags m_tags;
  HXmlTags::Tag m_tag;  // the tag of the element start or end at hand
  const HUnitSink& m_sink;
  const Element* m_element = nullptr;  // the element start at hand
  int m_depth = 0;
  long m_endLine = 0;  // the line of the element end at hand
  bool m_emptyEnds = false;  // the next end is that of the empty element just started
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

constexpr size_t kBlockSize = 1 << 18;
// The parser copies what it is fed into a buffer of its own, grown to hold it: fed in slices, that buffer
// stays small enough to be reused from file to file instead of being mapped anew (and faulted in) each time.
constexpr size_t kSliceSize = 1 << 15;

// The push parser fed block by block. Each block goes to the tag finder before the parser, so that every
// tag the parser reports is there; behind the text being read the tag finder lets the bytes go.
class KXliffParser {
 public:
  KXliffParser(HByteSource& bytes, const HUnitSink& sink)
      : m_bytes(bytes), m_path(bytes.Name()), m_assembler(sink) {}
  KXliffParser(const KXliffParser&) = delete;
  KXliffParser& operator=(const KXliffParser&) = delete;
  ~KXliffParser() {
    if (m_entities != nullptr) xmlFreeDoc(m_entities);
    if (m_context == nullptr) return;
    // The parser keeps the entity declarations of a document in a document of its own, left to its user.
    if (m_context->myDoc != nullptr) xmlFreeDoc(m_context->myDoc);
    xmlFreeParserCtxt(m_context);
  }

  void Run() {
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    char* const raw = buffer.get();
    size_t length = m_bytes.Read(raw, kBlockSize);
    // The texts as written are cut from the very characters the parser reads, so a document in another
    // encoding is turned into UTF-8 first and the parser told to take it as such.
    const std::unique_ptr<HCharset> charset = CharsetOf(std::string_view(raw, length));
    Begin(charset != nullptr);
    std::string utf8;
    while (length > 0) {
      std::string_view block(raw, length);
      size_t used = block.size();
      if (charset) {
        utf8.clear();
        used = Convert(*charset, block, utf8);
        block = utf8;
      }
      Feed(block, false);
      // A character cut at the block's end moves to the front and is completed by the next read.
      const size_t kept = length - used;
      std::memmove(raw, raw + used, kept);
      const size_t added = m_bytes.Read(raw + kept, kBlockSize - kept);
      if (added == 0 && kept > 0) Convert(*charset, std::string_view(raw, kept), utf8, true);
      length = added == 0 ? 0 : kept + added;
    }
    Feed(std::string_view(), true);
    if (!m_message.empty() || m_context->wellFormed == 0) {
      const std::string where = m_errorLine > 0 ? m_path + ":" + std::to_string(m_errorLine) : m_path;
      throw HError(where + ": " + (m_message.empty() ? "malformed XML" : m_message));
    }
  }

 private:
  // A byte-order mark or the XML declaration at the start of the file; none for UTF-8 and its subsets.
  std::unique_ptr<HCharset> CharsetOf(std::string_view start) const {
    const std::string encoding = DocumentEncoding(start);
    if (HCharset::IsUtf8Compatible(encoding)) return nullptr;
    try {
      return std::make_unique<HCharset>(encoding);
    } catch (const HError& error) {
      throw HError(m_path + ": " + error.what());
    }
  }

  size_t Convert(HCharset& charset, std::string_view block, std::string& out, bool last = false) const {
    try {
      return charset.AppendUtf8(block, out, last);
    } catch (const HError& error) {
      throw HError(m_path + ": " + error.what());
    }
  }

  // No network and no entity expansion: a translation file must not reach out or blow up.
  void Begin(bool converted) {
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = OnStart;
    handler.endElementNs = OnEnd;
    handler.characters = OnCharacters;
    handler.cdataBlock = OnCharacters;
    handler.ignorableWhitespace = OnCharacters;
    handler.serror = OnError;
    handler.entityDecl = OnEntityDeclaration;
    handler.getEntity = OnGetEntity;
    m_context = xmlCreatePushParserCtxt(&handler, this, nullptr, 0, m_path.c_str());
    if (m_context == nullptr) throw HError(m_path + ": cannot open the file");
    xmlCtxtUseOptions(m_context,
                      XML_PARSE_NONET | XML_PARSE_BIG_LINES | (converted ? XML_PARSE_IGNORE_ENC : 0));
  }

  void Feed(std::string_view block, bool last) {
    m_assembler.Tags().Append(block);
    for (size_t at = 0; at < block.size() && !m_failure; at += kSliceSize) {
      const size_t slice = std::min(kSliceSize, block.size() - at);
      xmlParseChunk(m_context, block.data() + at, static_cast<int>(slice), 0);
    }
    if (last && !m_failure) xmlParseChunk(m_context, nullptr, 0, 1);
    if (m_failure) std::rethrow_exception(m_failure);
    m_assembler.Tags().Forget(m_assembler.KeepFrom());
  }

  // What the sink throws must not unwind through the parser: it stops the parser and is thrown after it.
  template <class F>
  static void Guarded(void* self, F&& handle) {
    auto* parser = static_cast<KXliffParser*>(self);
    if (parser->m_failure) return;
    try {
      handle(*parser);
    } catch (...) {
      parser->m_failure = std::current_exception();
      xmlStopParser(parser->m_context);
    }
  }

  static void OnStart(void* self, const xmlChar* name, const xmlChar*, const xmlChar*, int, const xmlChar**,
                      int attributeCount, int, const xmlChar** attributes) {
    Guarded(self, [&](KXliffParser& parser) {
      const Element element{View(name), attributes, attributeCount, xmlSAX2GetLineNumber(parser.m_context)};
      if (parser.m_context->nameNr >= kMaxDepth) return parser.Stop(element.line, kTooDeep);
      parser.m_assembler.Start(element);
    });
  }

  static void OnEnd(void* self, const xmlChar*, const xmlChar*, const xmlChar*) {
    Guarded(self, [](KXliffParser& parser) { parser.m_assembler.End(xmlSAX2GetLineNumber(parser.m_context)); });
  }

  static void OnCharacters(void* self, const xmlChar* text, int length) {
    Guarded(self, [&](KXliffParser& parser) { parser.m_assembler.Characters(View(text, text + length)); });
  }

  // Entities that the document declares itself are known but never expanded: a reference stays out of the
  // plain text and stands as written in the other. The parser is given them without their text, which it
  // would otherwise hand to the handlers (elements included) as if it stood in the file.
  static void OnEntityDeclaration(void* self, const xmlChar* name, int type, const xmlChar* publicId,
                                  const xmlChar* systemId, xmlChar*) {
    auto* parser = static_cast<KXliffParser*>(self);
    if (parser->m_entities == nullptr) {
      parser->m_entities = xmlNewDoc(BAD_CAST "1.0");
      xmlCreateIntSubset(parser->m_entities, BAD_CAST "entities", nullptr, nullptr);
    }
    xmlAddDocEntity(parser->m_entities, name, type, publicId, systemId, BAD_CAST "");
  }

  static xmlEntityPtr OnGetEntity(void* self, const xmlChar* name) {
    auto* parser = static_cast<KXliffParser*>(self);
    if (parser->m_entities == nullptr) return xmlGetPredefinedEntity(name);
    const xmlEntityPtr entity = xmlGetDocEntity(parser->m_entities, name);
    if (entity != nullptr && entity->etype != XML_INTERNAL_PREDEFINED_ENTITY)
      parser->m_assembler.Unread("the entity &" + std::string(View(name)) + "; is not expanded");
    return entity;
  }

  // Ends the parse with the file's error at that line.
  void Stop(long line, const char* message) {
    m_message = message;
    m_errorLine = line;
    xmlStopParser(m_context);
  }

  // The first error counts; the parser's own line is where it stopped.
  static void OnError(void* self, xmlErrorPtr error) {
    auto* parser = static_cast<KXliffParser*>(self);
    if (!parser->m_message.empty() || error == nullptr || error->level < XML_ERR_ERROR) return;
    std::string& message = parser->m_message;
    message = error->message == nullptr ? "malformed XML" : error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
    if (message.empty()) message = "malformed XML";
    parser->m_errorLine = xmlSAX2GetLineNumber(parser->m_context);
  }

  HByteSource& m_bytes;
  const std::string& m_path;
  UnitAssembler m_assembler;
  xmlParserCtxtPtr m_context = nullptr;
  xmlDocPtr m_entities = nullptr;  // holds the entities the document declares, when it declares any
  std::exception_ptr m_failure;
  std::string m_message;
  long m_errorLine = 0;
};

}  // namespace

void HXliffReader::Read(const std::string& path, const HUnitSink& sink) {
  HByteSource bytes(path);
  KXliffParser(bytes, sink).Run();
}

void HXliffReader::Read(const std::string& name, std::string_view text, const HUnitSink& sink) {
  HByteSource bytes(name, text);
  KXliffParser(bytes, sink).Run();
}
