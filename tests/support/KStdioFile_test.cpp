// Tests of the buffered byte stream: exact positions across its buffer, seeking, mixed reads and writes,
// open flags and the file exception.
#include "support/KStdioFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <tuple>

#include "common/FileBytes.h"
#include "common/TestHost.h"

namespace {

using testhost::TempDir;
using testhost::ToU16;

// Bytes that differ from their neighbours, so a read from a wrong offset shows.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  return bytes;
}

// Every test's file has a name outside ASCII.
class KStdioFileTest : public testing::Test {
 protected:
  std::u16string Make(const std::string& bytes) {
    WriteFileBytes(file_, bytes);
    return ToU16(file_);
  }
  TempDir dir_;
  const std::filesystem::path file_ = dir_.Path() / std::filesystem::path(u"r\u00E9gles \u20AC.bin");
};

TEST_F(KStdioFileTest, ReadsInChunksOfAnySizeWithExactPositions) {
  const std::string bytes = Pattern(10000);
  KStdioFile file;
  ASSERT_TRUE(file.Open(Make(bytes), KStdioFile::modeRead));
  std::string read;
  for (uint32_t chunk = 1; !file.IsEOF(); chunk = chunk * 3 % 5000 + 1) {
    std::string part(chunk, '\0');
    part.resize(file.Read(part.data(), chunk));
    read += part;
    ASSERT_EQ(file.GetPosition(), read.size());
  }
  EXPECT_EQ(read, bytes);
  uint8_t byte = 0;
  EXPECT_FALSE(file.ReadByte(byte));
}

TEST_F(KStdioFileTest, SeeksFromEveryOriginInsideAndOutsideTheBuffer) {
  const std::string bytes = Pattern(9000);
  KStdioFile file;
  ASSERT_TRUE(file.Open(Make(bytes), KStdioFile::modeRead));
  // Each step reads one byte, so a step from the current position starts one behind the last target.
  const std::tuple<int64_t, KStdioFile::SeekPosition, uint64_t> steps[] = {
      {10, KStdioFile::begin, 10}, {-5, KStdioFile::current, 6},    {5000, KStdioFile::current, 5007},
      {-1, KStdioFile::end, 8999}, {4095, KStdioFile::begin, 4095}, {-4000, KStdioFile::current, 96}};
  for (const auto& [offset, from, expected] : steps) {
    ASSERT_EQ(file.Seek(offset, from), expected);
    uint8_t byte = 0;
    ASSERT_TRUE(file.ReadByte(byte));
    EXPECT_EQ(std::pair(byte, file.GetPosition()),
              std::pair(static_cast<uint8_t>(bytes[expected]), expected + 1));
  }
  EXPECT_THROW(file.Seek(-1, KStdioFile::begin), KFileException);
  file.Seek(0, KStdioFile::end);
  EXPECT_TRUE(file.IsEOF());
}

// Writes overwrite at the position and reads see them; creating truncates unless told not to.
TEST_F(KStdioFileTest, WritesOverwriteAtThePositionAndCreateTruncatesUnlessTold) {
  const std::u16string path = Make("0123456789");
  KStdioFile file;
  ASSERT_TRUE(file.Open(path, KStdioFile::modeReadWrite));
  char head[4] = {};
  file.Read(head, 3);
  file.Write("abc", 3);  // bytes 3 to 5, while bytes 6 to 9 sit in the read buffer
  EXPECT_EQ(file.GetPosition(), 6u);
  char rest[5] = {};
  EXPECT_EQ(file.Read(rest, 4), 4u);
  EXPECT_STREQ(rest, "6789");
  file.Write("XY", 2);  // appends
  file.Seek(0, KStdioFile::begin);
  std::string all(20, '\0');
  all.resize(file.Read(all.data(), 20));
  EXPECT_EQ(all, "012abc6789XY");
  file.Close();
  EXPECT_EQ(ReadFileBytes(file_), "012abc6789XY");

  WriteFileBytes(file_, "old content");
  ASSERT_TRUE(file.Open(path, KStdioFile::modeWrite | KStdioFile::modeCreate | KStdioFile::modeNoTruncate));
  file.Write("new", 3);
  file.Close();
  EXPECT_EQ(ReadFileBytes(file_), "new content");
  const std::string big = Pattern(12345);
  ASSERT_TRUE(file.Open(path, KStdioFile::modeWrite | KStdioFile::modeCreate | KStdioFile::typeText));
  for (size_t i = 0; i < big.size(); i += 1000)
    file.Write(big.data() + i, static_cast<uint32_t>(std::min<size_t>(1000, big.size() - i)));
  file.Close();
  EXPECT_EQ(ReadFileBytes(file_), big);  // text mode translates nothing
}

TEST_F(KStdioFileTest, FailuresCarryCauseOsErrorAndFileName) {
  KStdioFile file;
  KFileException error;
  const std::u16string missing = ToU16(dir_.Path() / "missing.ini");
  EXPECT_FALSE(file.Open(missing, KStdioFile::modeRead, &error));
  EXPECT_EQ(std::tuple(error.GetCause(), error.GetOsError(), error.GetFileName(), error.GetErrorMessage()),
            std::tuple(KFileException::fileNotFound, ENOENT, missing, u"Could not find " + missing + u"."));
  // A folder is no file, also for reading (where Linux would open it and fail only at the first read).
  for (const uint32_t mode : {KStdioFile::modeWrite, KStdioFile::modeRead}) {
    EXPECT_FALSE(file.Open(ToU16(dir_.Path()), mode, &error)) << mode;
    EXPECT_EQ(error.GetCause(), KFileException::accessDenied) << mode;
  }

  ASSERT_TRUE(file.Open(Make("abc"), KStdioFile::modeRead));
  file.Write("x", 1);
  try {
    file.Close();  // the write reaches the read-only handle here
    FAIL() << "writing to a file opened for reading must fail";
  } catch (const KFileException& failure) {
    EXPECT_EQ(failure.GetCause(), KFileException::invalidFile);
  }
  EXPECT_FALSE(file.IsOpen());
}

}  // namespace
