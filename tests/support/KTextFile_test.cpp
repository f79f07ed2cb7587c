// Tests of the text file: encoding detection, every reader's byte rules, line ends and chunks, positions
// for re-reading a line, the writers, and the encoding errors with their messages.
#include "support/KTextFile.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/FileBytes.h"
#include "common/TestHost.h"
#include "support/KException.h"

namespace {

using namespace std::string_literals;
using testhost::TempDir;
using testhost::ToU16;
using Lines = std::vector<std::u16string>;

class KTextFileTest : public testing::Test {
 protected:
  std::u16string Make(const std::string& bytes) {
    WriteFileBytes(path_, bytes);
    return ToU16(path_);
  }
  static Lines ReadAll(KTextFile& file) {
    Lines lines;
    for (std::u16string line; file.ReadString(line);) lines.push_back(line);
    return lines;
  }

  TempDir dir_;
  std::filesystem::path path_ = dir_.Path() / "t.ini";
};

constexpr auto le = KTextFile::encodingUnicode, be = KTextFile::encodingUnicodeBigEndian;
constexpr auto utf8 = KTextFile::encodingUtf8, ansi = KTextFile::encodingAnsi;
constexpr auto unknown = KTextFile::lineEndUnknown, crLf = KTextFile::lineEndCrLf;
constexpr auto lf = KTextFile::lineEndLf, cr = KTextFile::lineEndCr;

// The bytes in a code page give the lines, the encoding and the line end (which only the 8-bit reader
// sets). Long lines are read whole across the 8-bit reader's chunks of 128 characters and the stream's buffer.
TEST_F(KTextFileTest, ReadsLinesInEveryEncoding) {
  const std::string a127(127, 'a');
  const std::u16string u127(127, u'a'), cjk300(300, u'\u4E00');
  std::string acute200, cjk1365;
  for (int i = 0; i < 1365; ++i) {
    if (i < 200) acute200 += "\xC3\xA9";
    cjk1365 += "\xE4\xB8\x80";
  }
  const std::tuple<std::string, uint32_t, Lines, KTextFile::Encoding, KTextFile::LineEnd> cases[] = {
      {"\xFF\xFE\x41\x00\x0D\x00\x0A\x00\x42\x00"s, 0, {u"A", u"B"}, le, unknown},
      {"\xFE\xFF\x00\x41\x00\x0A\x00\x42"s, 0, {u"A", u"B"}, be, unknown},
      {"\xFF\xFE\x41\x00\x0D\x00"s, 0, {u"A"}, le, unknown},              // CR at the very end
      {"\xFF\xFE\x41\x00\x42"s, 0, {u"A"}, le, unknown},                  // odd last byte
      {"\xFF\xFE\x41\x00\x00\x00\x42\x00"s, 0, {u"A\0B"s}, le, unknown},  // NUL kept
      {"\xFF\xFE"s, 0, {}, le, unknown},
      {""s, 0, {}, ansi, unknown},
      {"\xEF\xBB\xBF\xE2\x82\xAC"s, 0, {u"\u20AC"}, utf8, unknown},
      {"\xEF\xBB\xBF\xC3\x29"s, 0, {u"\u00E9"}, utf8, unknown},           // top bits of 0x29 ignored
      {"\xEF\xBB\xBF" "A\n\xE2\x82"s, 0, {u"A"}, utf8, unknown},          // sequence cut by the end
      {"\xEF\xBB\xBF\xED\xA0\xBD\xED\xB8\x80"s, 0, {u"\U0001F600"}, utf8, unknown},  // as written
      {"1\r2\n3\r\n"s, 0, {u"1", u"2", u"3"}, ansi, crLf},
      {"1\n2\r"s, 0, {u"1", u"2"}, ansi, cr},
      {"a\r\r\nb\n\n"s, 0, {u"a", u"", u"b", u""}, ansi, lf},
      {"\xC3\xA9"s, 0, {u"\u00C3\u00A9"}, ansi, unknown},                   // no mark: 1252
      {"\x82\xA0" "A\n\x83\x5C\x88\x9F"s, 932, {u"\u3042A", u"\u30BD\u4E9C"}, ansi, lf},
      {a127 + "a\nb", 0, {u127 + u"a", u"b"}, ansi, lf},       // 128 characters and LF: one line
      {a127 + "\r\nb", 0, {u127, u"b"}, ansi, crLf},           // CR as the 128th character of a chunk
      {a127 + "a\r\nb", 0, {u127 + u"a", u"b"}, ansi, crLf},   // CR LF opening the second chunk
      {"\xEF\xBB\xBF" + acute200 + "\r\nz", 0, {std::u16string(200, u'\u00E9'), u"z"}, utf8, unknown},
      // Behind the mark, the last character's three bytes straddle the stream's buffer of 4096.
      {"\xEF\xBB\xBF" + cjk1365, 0, {std::u16string(1365, u'\u4E00')}, utf8, unknown},
      {Utf16Bytes(cjk300 + u"\r\nz", true), 0, {cjk300, u"z"}, be, unknown},
  };
  for (const auto& [bytes, codePage, lines, encoding, lineEnd] : cases) {
    KTextFile file;
    file.SetCodePage(codePage);
    ASSERT_TRUE(file.Open(Make(bytes), KStdioFile::modeRead | KStdioFile::typeText)) << bytes;
    EXPECT_EQ(ReadAll(file), lines) << bytes;
    EXPECT_EQ(std::pair(file.GetEncoding(), file.GetLineEnd()), std::pair(encoding, lineEnd)) << bytes;
  }
}

// Reading the bytes, or writing `written` as 8-bit text, fails with the cause (and the file named or not);
// a text error's message, when given, also as a buffer of 8 units gets its first 7.
TEST_F(KTextFileTest, ThrowsForTextItCannotReadOrWrite) {
  const std::u16string none;
  using Case = std::tuple<const char*, std::string, uint32_t, int32_t, bool, std::u16string, std::u16string>;
  const Case cases[] = {
      {"utf8 four-byte lead", "\xEF\xBB\xBF" "A\xF0\x9F\x98\x80"s, 0, KTextFileException::invalidEncoding,
       true, u"Invalid encoding.", none},
      {"utf8 stray continuation", "\xEF\xBB\xBF\x80"s, 0, KTextFileException::invalidEncoding, true, none,
       none},
      {"lead byte last", "A\n\x82"s, 932, KFileException::genericException, false, none, none},
      {"invalid 932 pair", "\x85\x40"s, 932, KTextFileException::codePageNotInstalled, true,
       u"The required codepage 932 is not installed on your system.", none},
      {"unknown code page", "A"s, 99999, KTextFileException::codePageNotInstalled, true, none, none},
      {"no euro sign in 437", ""s, 437, KTextFileException::codePageNotInstalled, true, none, u"\u20AC"},
      {"257 bytes for a piece of 128 characters", ""s, 65001, KTextFileException::codePageNotInstalled, true,
       none, std::u16string(127, u'\u00E9') + u'\u20AC'},
  };
  for (const auto& [name, bytes, codePage, cause, named, message, written] : cases) {
    SCOPED_TRACE(name);
    KTextFile file;
    if (!written.empty()) file.SetEncoding(ansi);
    file.SetCodePage(codePage);
    const std::u16string path = Make(bytes);
    ASSERT_TRUE(file.Open(path, written.empty() ? KStdioFile::modeRead : KStdioFile::modeWrite));
    try {
      written.empty() ? ReadAll(file).clear() : file.WriteString(written);
      ADD_FAILURE() << "no error";
    } catch (const KFileException& error) {
      const auto* textError = dynamic_cast<const KTextFileException*>(&error);
      const bool noPage = textError != nullptr && cause == KTextFileException::codePageNotInstalled;
      EXPECT_EQ(std::tuple(error.GetCause(), error.GetOsError(), error.GetFileName(), textError != nullptr,
                           noPage ? textError->GetCodePage() : codePage),
                std::tuple(cause, -1, named ? path : u"",
                           cause >= KTextFileException::codePageNotInstalled, codePage));
      char16_t cut[8] = {};
      if (!message.empty()) {
        EXPECT_TRUE(error.GetErrorMessage(cut, 8));
        EXPECT_EQ(std::pair(error.GetErrorMessage(), std::u16string(cut)),
                  std::pair(message, message.substr(0, 7)));
      }
    }
    file.Close();
  }
}

TEST_F(KTextFileTest, SeekingBackToAStartOfLineReadsItAgainInEveryEncoding) {
  const std::u16string text = u"one\r\ntwo\u00E9\r3";
  const std::pair<KTextFile::Encoding, std::string> cases[] = {
      {ansi, "one\r\ntwo\xE9\r3"s},
      {le, Utf16Bytes(text, false)},
      {be, Utf16Bytes(text, true)},
      {utf8, "\xEF\xBB\xBFone\r\ntwo\xC3\xA9\r3"s},
  };
  for (const auto& [encoding, bytes] : cases) {
    KTextFile file;
    ASSERT_TRUE(file.Open(Make(bytes), KStdioFile::modeRead));
    ASSERT_EQ(file.GetEncoding(), encoding);
    std::u16string line, again;
    ASSERT_TRUE(file.ReadString(line));
    const uint64_t start = file.GetPosition();
    ASSERT_TRUE(file.ReadString(line));
    file.Seek(static_cast<int64_t>(start), KStdioFile::begin);
    ASSERT_TRUE(file.ReadString(again));
    EXPECT_EQ(line + u"|" + again, u"two\u00E9|two\u00E9") << encoding;
    file.Seek(0, KStdioFile::begin);  // inside the mark: the next read skips it
    EXPECT_EQ(ReadAll(file), (Lines{u"one", u"two\u00E9", u"3"})) << encoding;
  }
}

TEST_F(KTextFileTest, BufferReaderStoresCapacityLessOneAndTheLineEndAsLf) {
  KTextFile file;
  ASSERT_TRUE(file.Open(Make("abcdef\r\nz"), KStdioFile::modeRead));
  char16_t buffer[4];
  Lines chunks;
  while (file.ReadString(buffer, 4) != nullptr) chunks.push_back(buffer);
  EXPECT_EQ(chunks, (Lines{u"abc", u"def", u"\n", u"z"}));
  EXPECT_THROW(file.ReadString(buffer, 1), KInvalidArgException);
}

TEST_F(KTextFileTest, WritesEachEncodingWithMarkAndLineEnds) {
  const std::u16string x300(300, u'x'), acute128(128, u'\u00E9');
  std::string acuteBytes;
  for (int i = 0; i < 128; ++i) acuteBytes += "\xC3\xA9";
  // The encoding, code page, line end and byte order mark set, the texts written, the bytes they give.
  const std::tuple<KTextFile::Encoding, uint32_t, KTextFile::LineEnd, bool, Lines, std::string> cases[] = {
      {le, 0, unknown, true, {u"x\n", u"x\n"}, "\xFF\xFE\x78\x00\x0D\x00\x0A\x00\x78\x00\x0D\x00\x0A\x00"s},
      {be, 0, lf, true, {u"x\n"}, "\xFE\xFF\x00\x78\x00\x0A"s},
      {utf8, 0, crLf, true, {u"\u00E9\u20AC\n"}, "\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC\r\n"s},
      {utf8, 0, unknown, true, {u"\U0001F600"}, "\xEF\xBB\xBF\xED\xA0\xBD\xED\xB8\x80"s},  // unit by unit
      {le, 0, cr, false, {u"x\n"}, "\x78\x00\x0D\x00"s},
      {ansi, 1252, lf, true, {u"\u00E9\n"}, "\xE9\n"s},
      {ansi, 1252, unknown, true, {u"a\n\n"}, "a\r\n\r\n"s},
      {ansi, 932, crLf, true, {u"\u3042\u4E9C\n"}, "\x82\xA0\x88\x9F\r\n"s},
      {le, 0, unknown, false, {x300 + u"\n"}, Utf16Bytes(x300 + u"\r\n", false).substr(2)},  // one line end
      // 8-bit text goes in pieces of 128 characters, each at most 256 bytes, a surrogate pair never split.
      {ansi, 65001, unknown, true, {acute128}, acuteBytes},
      {ansi, 65001, unknown, true, {x300.substr(0, 127) + u"\U0001F600"}, std::string(127, 'x') + "\xF0\x9F\x98\x80"},
  };
  for (const auto& [encoding, codePage, lineEnd, mark, writes, bytes] : cases) {
    KTextFile file;
    file.SetEncoding(encoding);
    file.SetCodePage(codePage);
    file.SetLineEnd(lineEnd);
    file.SetWriteByteOrderMark(mark);
    ASSERT_TRUE(file.Open(ToU16(path_), KStdioFile::modeWrite | KStdioFile::modeCreate));
    for (const std::u16string& text : writes) file.WriteString(text);
    file.Close();
    EXPECT_EQ(ReadFileBytes(path_), bytes) << bytes;
  }
}

TEST_F(KTextFileTest, EncodingIsSetOnceAMarkOverridesItAndWritingDefaultsToUtf16) {
  KTextFile file;
  EXPECT_EQ((std::pair{file.SetEncoding(le), file.SetEncoding(ansi)}), std::pair(true, false));  // in order
  ASSERT_TRUE(file.Open(Make("\xEF\xBB\xBF" "A"), KStdioFile::modeRead));
  EXPECT_EQ(file.GetEncoding(), utf8);
  file.Close();
  ASSERT_TRUE(file.Open(ToU16(path_), KStdioFile::modeWrite | KStdioFile::modeCreate));
  EXPECT_EQ(file.GetEncoding(), le);
}

}  // namespace
