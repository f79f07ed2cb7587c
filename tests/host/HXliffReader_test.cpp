// XLIFF 1.2 and 2.x units: inline tags as written and skipped, line numbers, what is not checked.
#include "HXliffReader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "HError.h"
#include "HostTestFiles.h"
#include "support/KUtf8.h"

namespace {

std::vector<HUnit> ReadAll(const std::string& content) {
  HostTestFiles files;
  std::vector<HUnit> units;
  HXliffReader::Read(files.Write("t.xlf", content), [&](const HUnit& unit) { units.push_back(unit); });
  return units;
}

// A document as Windows tools write it: UTF-16, little-endian behind its byte order mark.
std::string Utf16Document(const std::string& body) {
  return Utf16Bytes(Utf8ToUtf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?>" + body));
}

// The text with tags is the characters between the element's tags as the file has them, in any encoding. The
// plain text keeps the content of g and mrk and drops the codes (ph, bpt, ept): an entity that the document
// declares is not expanded, elements in it included; an alternative translation is not the target.
TEST(HXliffReader, TextWithTagsIsTheTextAsWrittenAndPlainTextDropsTheCodes) {
  const std::string target =
      R"(<g id="1">G</g><x id='2' /> &#x41;&apos;&amp;<bpt id="3">&lt;i&gt;</bpt><mrk mtype="term">m<ph )"
      R"(xmlns:o="urn:o" o:k="v>w">&lt;b></ph></mrk><ept id="3">&lt;/i&gt;</ept><![CDATA[<i>]]><!--<x/>-->&co;)";
  const std::string body =
      "<!DOCTYPE xliff [<!ELEMENT x EMPTY><!ENTITY co \"<b>Acme</b>\">]>\n<xliff version=\"1.2\"><file><body>"
      "<trans-unit id=\"u\"><source>s</source><target>" +
      target +
      "</target><alt-trans><target>not this one</target></alt-trans></trans-unit></body></file></xliff>";
  for (const std::string& file :
       {"<?xml version=\"1.0\"?>\n" + body,
        "<?xml version='1.0' encoding='ISO-8859-1'?>\n" + body + "<!-- \xE9 -->", Utf16Document(body)}) {
    std::vector<std::string> read;
    for (const HUnit& unit : ReadAll(file)) read.push_back(unit.targetNative + "|" + unit.targetPlain);
    EXPECT_EQ(read, std::vector<std::string>{target + "|G A'&m<i>"}) << file.substr(0, 45);
  }
}

// The segments of a unit form one text, the ignorables between them included; a translator who reordered
// them: the target reads in the order its attributes give, and an ignorable without a target keeps the
// source's white space.
TEST(HXliffReader, Xliff2SegmentsOfAUnitFormOneTextInTheTargetsOrder) {
  const std::vector<HUnit> units =
      ReadAll(R"(<xliff version="2.0" xmlns="urn:oasis:names:tc:xliff:document:2.0"><file id="f">
<unit id="u"><originalData><data id="d1">&lt;br/&gt;</data></originalData>
 <segment><source>Open <pc id="1">Settings</pc><ph id="2" dataRef="d1"/>.</source><target>Abra <pc id="1">Ajustes</pc><ph id="2" dataRef="d1"/>.</target></segment>
 <ignorable><source> </source><target> </target></ignorable>
 <segment><source>Tab<cp hex="0009"/>stop <sc id="3"/>x<ec startRef="3"/></source><target>Tab<cp hex="0009"/>parada</target></segment>
</unit><unit id="o">
<segment><source>Sentence 1.</source><target>Satz 1.</target></segment><ignorable><source> </source></ignorable>
<segment><source>Phrase 2</source><target order="5">Teil 2-3.</target></segment><ignorable><source> </source></ignorable>
<segment><source>-3. Sentence 3.</source><target order="3">Satz 3.</target></segment>
</unit></file></xliff>)");
  ASSERT_EQ(units.size(), 2u);
  EXPECT_EQ(std::tuple(units[0].line, units[0].sourcePlain, units[0].targetNative, units[1].targetPlain),
            std::tuple(2, "Open Settings. Tab\tstop x",
                       R"(Abra <pc id="1">Ajustes</pc><ph id="2" dataRef="d1"/>. Tab<cp hex="0009"/>parada)",
                       "Satz 1. Satz 3. Teil 2-3."));
}

// Okapi and other segmenting tools: each segment pair is a unit ID#MID at its target marker's line; the
// markers themselves are in neither text, also in a target without a seg-source.
TEST(HXliffReader, Xliff12SegmentsAreUnitsOfTheirOwn) {
  const std::vector<HUnit> units = ReadAll(R"(<xliff version="1.2"><file><body>
<trans-unit id="s"><source>One. <g id="1">Two</g>.</source>
<seg-source><mrk mtype="seg" mid="1">One.</mrk> <mrk mtype="seg" mid="2"><g id="1">Two</g>.</mrk></seg-source>
<target><mrk mtype="seg" mid="1">Un.</mrk>
 <mrk mtype="seg" mid="2"><g id="1">Deux</g>.</mrk></target></trans-unit>
<trans-unit id="plain"><source>1</source><target><mrk mtype="seg" mid="1">1</mrk></target></trans-unit>
</body></file></xliff>)");
  std::vector<std::string> read;  // id|line|source native|target native|target plain
  for (const HUnit& u : units)
    read.push_back(u.id + "|" + std::to_string(u.line) + "|" + u.sourceNative + "|" + u.targetNative + "|" +
                   u.targetPlain);
  EXPECT_EQ(read, (std::vector<std::string>{"s#1|4|One.|Un.|Un.",
                                            R"(s#2|5|<g id="1">Two</g>.|<g id="1">Deux</g>.|Deux.)",
                                            "plain|6|1|1|1"}));
}

// What counts as translated: "?" marks a unit the sink gets as untranslated, "-" one not to translate.
TEST(HXliffReader, UntranslatedUnitsAreMarked) {
  std::vector<std::string> read;
  for (const std::string& file : {std::string(R"(<xliff version="1.2"><file><body>
<trans-unit id="none"><source>a</source></trans-unit>
<trans-unit id="empty"><source>a</source><target/></trans-unit>
<trans-unit id="blank"><source>a</source><target> </target></trans-unit>
<trans-unit id="both-blank"><source>
</source><target>
</target></trans-unit>
<trans-unit id="new"><source>a</source><target state="new">a</target></trans-unit>
<trans-unit id="needs"><source>a</source><target state="needs-translation">a</target></trans-unit>
<trans-unit id="code"><source><x id="1"/></source><target state="translated"><x id="1"/></target></trans-unit>
<trans-unit id="s"><source>a. b.</source><seg-source><mrk mtype="seg" mid="1">a.</mrk> <mrk mtype="seg" mid="2">b.</mrk></seg-source>
<target><mrk mtype="seg" mid="1"/> <mrk mtype="seg" mid="2">B.</mrk></target></trans-unit>
<trans-unit id="unmarked"><source>a</source><seg-source><mrk mtype="seg" mid="1">a</mrk></seg-source><target>A</target></trans-unit>
</body></file></xliff>)"),
                                  std::string(R"(<xliff version="2.0"><file id="f">
<unit id="initial"><segment state="initial"><source>a</source><target>a</target></segment></unit>
<unit id="ignorable"><segment><source>a</source></segment><ignorable><source> </source><target> </target></ignorable></unit>
<unit id="one"><segment state="initial"><source>a</source></segment><segment><source>b</source><target>B</target></segment></unit>
<unit id="no" translate="no"><segment><source>a</source><target>a</target></segment></unit>
<group id="g" translate="no"><unit id="in-g"><segment><source>a</source><target>a</target></segment></unit>
<unit id="yes" translate="yes"><segment><source>a</source><target>A</target></segment></unit></group>
<unit id="after-g"><segment><source>a</source><target>A</target></segment></unit>
</file><file id="f2" translate="no"><unit id="in-f"><segment><source>a</source><target>a</target></segment></unit>
</file></xliff>)")}) {
    for (const HUnit& u : ReadAll(file)) {
      const bool skip = u.status == HUnit::Status::NotTranslatable;
      read.push_back((u.status == HUnit::Status::Untranslated ? "?" : skip ? "-" : "") + u.id);
    }
  }
  EXPECT_EQ(read, (std::vector<std::string>{"?none", "?empty", "?blank", "both-blank", "?new", "?needs",
                                            "code", "?s#1", "s#2", "unmarked", "?initial", "?ignorable",
                                            "one", "-no", "-in-g", "yes", "after-g", "-in-f"}));
}

// A file read in many blocks: units cut by a block's end come out whole, at their lines and columns, in UTF-8
// and converted from UTF-16.
TEST(HXliffReader, UnitsAcrossBlocksComeOutWhole) {
  // Mostly after its inline tag, so that many a block ends there.
  const std::string kTarget = "t <x id='1'/>é" + std::string(100, '.');
  std::string body = "<xliff version=\"1.2\"><file><body>\n";
  for (int i = 0; i < 12000; ++i)
    body += "<trans-unit id=\"" + std::to_string(i) + "\"><source>s</source><target>" + kTarget +
            "</target></trans-unit>\n";
  body += "</body></file></xliff>";
  for (const std::string& file : {body, Utf16Document(body)}) {
    const std::vector<HUnit> units = ReadAll(file);
    ASSERT_EQ(units.size(), 12000u);
    for (size_t i = 0; i < units.size(); ++i)
      ASSERT_EQ(std::tuple(units[i].targetNative, units[i].line - 2, units[i].targetColumn - 45),
                std::tuple(kTarget, static_cast<long>(i), static_cast<long>(std::to_string(i).size())))
          << i;
  }
}

// A character that the first block's end cuts in two, a surrogate pair of UTF-16, is completed by the next.
TEST(HXliffReader, ACharacterCutByTheBlocksEndIsCompletedByTheNext) {
  const std::u16string head =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><xliff version=\"1.2\"><file><body><trans-unit "
      u"id=\"u\"><source>s</source><target>";
  // Behind 2 bytes of mark and the padding, the pair's first unit is the block's last.
  const size_t padding = (1 << 17) - 2 - head.size();
  const std::u16string tail = u"\U0001F600</target></trans-unit></body></file></xliff>";
  const std::vector<HUnit> units = ReadAll(Utf16Bytes(head + std::u16string(padding, u'x') + tail));
  ASSERT_EQ(units.size(), 1u);
  EXPECT_EQ(units[0].targetPlain, std::string(padding, 'x') + "\xF0\x9F\x98\x80");
}

// No file other than the one named is ever read: external entities and DTDs stay unresolved, so no file's
// content reaches a report; no entity is expanded, so none can blow up. Nesting beyond 256 elements ends the
// file with its error; 256 read. An error names the file and the line.
TEST(HXliffReader, ExternalEntitiesStayUnreadAndExpansionAndNestingAreBoundedAndErrorsSayWhere) {
  HostTestFiles files;
  const std::string secret = files.Write("secret.txt", "SECRET");
  files.Write("secret.dtd", "<!ENTITY leak SYSTEM \"" + secret + "\">");
  const auto unit = [](const std::string& doctype, const std::string& target = "&leak;") {
    return doctype + "<xliff><file><body><trans-unit id=\"u\"><source>a</source><target>" + target +
           "</target></trans-unit></body></file></xliff>";
  };
  std::string laughs = "<!ENTITY l0 \"lol\">";
  for (int i = 1; i < 12; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int j = 0; j < 10; ++j) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">";
  }
  const auto nested = [](int depth) {
    std::string open, close;
    for (int i = 1; i < depth; ++i) open += "<g>", close += "</g>";
    return "<xliff>" + open + close + "</xliff>";
  };
  // What each file holds and what its error says (null: the file reads).
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"external entity", unit("<!DOCTYPE xliff [<!ENTITY leak SYSTEM \"" + secret + "\">]>"), nullptr},
      {"external DTD", unit("<!DOCTYPE xliff SYSTEM \"" + files.Path("secret.dtd") + "\">"), "leak"},
      {"parameter entity",
       unit("<!DOCTYPE xliff [<!ENTITY % p SYSTEM \"" + files.Path("secret.dtd") + "\"> %p;]>"), "%p"},
      // Declared entities are never expanded.
      {"entity expansion", unit("<!DOCTYPE xliff [" + laughs + "]>", "&l11;"), nullptr},
      {"nesting at the limit", nested(256), nullptr},
      {"nesting beyond the limit", nested(257), "nested more than 256 deep"},
      {"malformed", "<xliff>\n<file>\n</xliff>\n", "t.xlf:3: "},
      // So no unit with them reaches the check, unlike PO.
      {"bytes that are not UTF-8", unit("", "\xC3"), "not proper UTF-8"},
  };
  for (const auto& [name, text, expected] : cases) {
    std::string texts;
    try {
      HXliffReader::Read(files.Write("t.xlf", text),
                         [&](const HUnit& read) { texts += read.targetPlain + read.targetNative; });
      EXPECT_EQ(expected, nullptr) << name << " read without an error";
    } catch (const HError& error) {
      ASSERT_NE(expected, nullptr) << name << ": " << error.what();
      EXPECT_THAT(error.what(), testing::AllOf(testing::StartsWith(files.Path("t.xlf") + ":"),
                                               testing::HasSubstr(expected)))
          << name;
    }
    EXPECT_EQ(texts.find("SECRET"), std::string::npos) << name;
  }
  EXPECT_THROW(HXliffReader::Read(files.Path("missing.xlf"), [](const HUnit&) {}), HError);
}

}  // namespace
