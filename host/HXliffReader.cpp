// XLIFF 1.2 (<trans-unit>) and 2.x (<unit>/<segment>) read node by node with libxml2's text reader.
#include "HXliffReader.h"

#include <libxml/xmlreader.h>

#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

#include "HError.h"
#include "support/KUtf8.h"

namespace {

std::string_view View(const xmlChar* text) {
  return text == nullptr ? std::string_view() : std::string_view(reinterpret_cast<const char*>(text));
}

// Paired inline elements whose content is translatable text; the text of every other inline element
// (ph, bpt, ept, it, sub...) is native code data and not part of the plain text.
bool KeepsContent(std::string_view name) {
  return name == "g" || name == "pc" || name == "mrk";
}

// The escape of a character that XML text (or, with attribute, a quoted attribute value) cannot carry as is.
std::string_view EscapeOf(char c, bool attribute) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return attribute ? "&quot;" : "";
    default:
      return "";
  }
}

// Plain runs go in as one piece: appending character by character cost more than the XML parsing.
void AppendEscaped(std::string& out, std::string_view text, bool attribute) {
  size_t run = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string_view escape = EscapeOf(text[i], attribute);
    if (escape.empty()) continue;
    out.append(text.substr(run, i - run)).append(escape);
    run = i + 1;
  }
  out.append(text.substr(run));
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

// Walks the reader's nodes and assembles one unit at a time.
class UnitAssembler {
 public:
  UnitAssembler(xmlTextReaderPtr reader, const HUnitSink& sink) : m_reader(reader), m_sink(sink) {}

  void OnNode() {
    const int type = xmlTextReaderNodeType(m_reader);
    const int depth = xmlTextReaderDepth(m_reader);
    if (type == XML_READER_TYPE_ELEMENT)
      OnStart(depth);
    else if (type == XML_READER_TYPE_END_ELEMENT)
      OnEnd(depth);
    else if (m_textDepth >= 0 && IsText(type))
      OnText();
  }

 private:
  static bool IsText(int type) {
    return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
           type == XML_READER_TYPE_WHITESPACE || type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
  }

  void OnStart(int depth) {
    const std::string_view name = View(xmlTextReaderConstLocalName(m_reader));
    const bool empty = xmlTextReaderIsEmptyElement(m_reader) == 1;
    if (m_textDepth >= 0) return OnInlineStart(name, empty);
    if (m_unitDepth < 0) {
      if (name == "trans-unit" || name == "unit") BeginUnit(depth, name == "unit", empty);
      return;
    }
    if (m_segmented && depth == m_unitDepth + 1 && (name == "segment" || name == "ignorable")) {
      m_inSegment = !empty;
      return;
    }
    const bool textParent = m_segmented ? m_inSegment && depth == m_unitDepth + 2 : depth == m_unitDepth + 1;
    if (!textParent || empty || (name != "source" && name != "target")) return;
    m_textDepth = depth;
    m_native = name == "source" ? &m_unit.sourceNative : &m_unit.targetNative;
    m_plain = name == "source" ? &m_unit.sourcePlain : &m_unit.targetPlain;
    m_keep.assign(1, true);
  }

  void OnEnd(int depth) {
    if (m_textDepth >= 0 && depth > m_textDepth) return OnInlineEnd();
    if (depth == m_textDepth)
      m_textDepth = -1;
    else if (m_segmented && depth == m_unitDepth + 1)
      m_inSegment = false;
    else if (depth == m_unitDepth)
      EndUnit();
  }

  void BeginUnit(int depth, bool segmented, bool empty) {
    m_unit = HUnit();
    xmlChar* id = xmlTextReaderGetAttribute(m_reader, BAD_CAST "id");
    m_unit.id = std::string(View(id));
    xmlFree(id);
    m_unit.line = xmlGetLineNo(xmlTextReaderCurrentNode(m_reader));
    m_unitDepth = depth;
    m_segmented = segmented;
    m_inSegment = false;
    if (empty) EndUnit();
  }

  void EndUnit() {
    m_unitDepth = -1;
    if (!m_unit.targetNative.empty()) m_sink(m_unit);
  }

  void OnInlineStart(std::string_view name, bool empty) {
    *m_native += '<';
    *m_native += View(xmlTextReaderConstName(m_reader));
    while (xmlTextReaderMoveToNextAttribute(m_reader) == 1) {
      *m_native += ' ';
      *m_native += View(xmlTextReaderConstName(m_reader));
      *m_native += "=\"";
      AppendEscaped(*m_native, View(xmlTextReaderConstValue(m_reader)), true);
      *m_native += '"';
    }
    xmlTextReaderMoveToElement(m_reader);
    *m_native += empty ? "/>" : ">";
    if (name == "cp" && m_keep.back()) AppendCodePoint();
    if (!empty) m_keep.push_back(m_keep.back() && KeepsContent(name));
  }

  void OnInlineEnd() {
    *m_native += "</";
    *m_native += View(xmlTextReaderConstName(m_reader));
    *m_native += '>';
    m_keep.pop_back();
  }

  // <cp hex="..."/> stands for a character that XML cannot carry; the plain text gets the character.
  void AppendCodePoint() {
    xmlChar* hex = xmlTextReaderGetAttribute(m_reader, BAD_CAST "hex");
    const unsigned long codePoint =
        std::strtoul(reinterpret_cast<const char*>(hex ? hex : BAD_CAST ""), nullptr, 16);
    xmlFree(hex);
    if (codePoint <= 0x10FFFF) AppendUtf8(*m_plain, static_cast<char32_t>(codePoint));
  }

  void OnText() {
    const std::string_view text = View(xmlTextReaderConstValue(m_reader));
    AppendEscaped(*m_native, text, false);
    if (m_keep.back()) *m_plain += text;
  }

  xmlTextReaderPtr m_reader;
  const HUnitSink& m_sink;
  HUnit m_unit;
  int m_unitDepth = -1;
  bool m_segmented = false;
  bool m_inSegment = false;
  int m_textDepth = -1;
  std::string* m_native = nullptr;
  std::string* m_plain = nullptr;
  std::vector<bool> m_keep;
};

}  // namespace

void HXliffReader::Read(const std::string& path, const HUnitSink& sink) {
  if (!std::ifstream(path)) throw HError(path + ": cannot open the file");
  // No network and no entity expansion: a translation file must not reach out or blow up.
  xmlTextReaderPtr reader = xmlReaderForFile(path.c_str(), nullptr, XML_PARSE_NONET | XML_PARSE_BIG_LINES);
  if (reader == nullptr) throw HError(path + ": cannot open the file");
  XmlError error;
  error.reader = reader;
  xmlTextReaderSetErrorHandler(reader, CollectError, &error);
  UnitAssembler assembler(reader, sink);
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
