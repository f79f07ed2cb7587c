// The host's fixed buffers: a path is copied whole or not at all.
#include "HUtf.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HUtf, CopyToBufferRefusesWhatDoesNotFit) {
  char16_t buffer[260];
  EXPECT_EQ(CopyToBuffer(std::string(259, 'x'), buffer, 260), 0);
  EXPECT_EQ(std::u16string(buffer).size(), 259u);
  EXPECT_NE(CopyToBuffer(std::string(260, 'x'), buffer, 260), 0);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_NE(CopyToBuffer("x", buffer, 0), 0);
  EXPECT_EQ(CopyToBuffer("\xC3\xA9", buffer, 2), 0);  // counted in UTF-16 units, not bytes
  EXPECT_EQ(std::u16string(buffer), u"\u00e9");
}

}  // namespace
