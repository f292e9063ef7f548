// The installed face that stands in for a family: the family's own face where the machine
// has it, else fontconfig's best match, never nothing.
#include <gtest/gtest.h>

#include "platform/glyph_source.h"

TEST(InstalledFaceTest, AFamilyNoMachineHasStillGetsAFace) {
  cInstalledFace found;
  ASSERT_TRUE(MatchInstalledFace("Tovrel No Such Family 7f3a", found));
  EXPECT_FALSE(found.bExact);
  EXPECT_FALSE(found.strFile.empty());
  EXPECT_FALSE(found.strFamily.empty());
  cInstalledFace own;
  ASSERT_TRUE(MatchInstalledFace("IPAPGothic", own));
  EXPECT_TRUE(own.bExact) << own.strFamily;
}
