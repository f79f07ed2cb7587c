// Geometry helpers and the Win32-compatible values of the platform interface's types.
#include <gtest/gtest.h>

#include "platform/KPlatform.h"

namespace {

TEST(KRect, EdgesFollowWin32Convention) {
  const KRect r{10, 20, 30, 60};
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 40);
  EXPECT_TRUE(r.Contains({10, 20}));
  EXPECT_FALSE(r.Contains({30, 20}));  // right and bottom lie outside
  EXPECT_FALSE(r.Contains({10, 60}));
  EXPECT_EQ(r.Offset(-10, 5), (KRect{0, 25, 20, 65}));
  EXPECT_TRUE((KRect{5, 5, 5, 9}).IsEmpty());
}

TEST(KTypes, ValuesPassThroughToWin32) {
  EXPECT_EQ(KRgb(0, 255, 255), 0x00FFFF00u);  // cyan as a COLORREF
  EXPECT_EQ(reinterpret_cast<intptr_t>(TreeRoot()), -0x10000);
  EXPECT_EQ(reinterpret_cast<intptr_t>(TreeFirst()), -0x0FFFF);
  EXPECT_EQ(reinterpret_cast<intptr_t>(TreeLast()), -0x0FFFE);
  EXPECT_EQ(TVN_SELCHANGINGW, 0xFFFFFE3Eu);  // -450
  EXPECT_EQ(TVN_ENDLABELEDITW, 0xFFFFFE34u);  // -460
  EXPECT_EQ(static_cast<uint32_t>(KStdCursor::No), 32648u);
}

}  // namespace
