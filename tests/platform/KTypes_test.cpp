// Rectangles as Win32 has them: the right and bottom edges lie outside.
#include <gtest/gtest.h>

#include "platform/KPlatform.h"

namespace {

TEST(KRect, RightAndBottomEdgesLieOutside) {
  const KRect r{10, 20, 30, 60};
  EXPECT_TRUE(r.Contains({10, 20}));
  EXPECT_TRUE(r.Contains({29, 59}));
  EXPECT_FALSE(r.Contains({30, 20}));
  EXPECT_FALSE(r.Contains({10, 60}));
  EXPECT_EQ(r.Offset(-10, 5), (KRect{0, 25, 20, 65}));
}

}  // namespace
