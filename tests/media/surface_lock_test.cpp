// The lock guard on every back end and depth: which memory a lock yields for each kind of
// surface, that what is written through it shows on the surface, the failures of each back
// end, and that nothing stays locked after a failure or the end of the guard's scope.
#include <gtest/gtest.h>

#include "app/report_log.h"
#include "media/draw/surface_lock.h"
#include "platform/message_box.h"
#include "tests/media/draw_test_util.h"

namespace {

class SurfaceLockTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {
 protected:
  void SetUp() override {
    cDisplayTest::SetUp();
    SetECLog(1, "EC_Game.txt");
  }
  void TearDown() override {
    SetECLog(0, "EC_Game.txt");
    cDisplayTest::TearDown();
  }
  cRecordingMessageBoxes m_Boxes;  // the debug boxes of lock failures
};

enum class eTarget { kBack, kBlankVideo, kBlankSystem, kAliasOfBlank, kVirtualBack };

struct LockCase {
  const char* name;
  eTarget target;
  bool bD3DOnly;
};

const LockCase kLockCases[] = {
    {"BackBuffer", eTarget::kBack, false},
    {"BlankVideo", eTarget::kBlankVideo, false},
    {"BlankSystem", eTarget::kBlankSystem, false},
    {"AliasOfBlank", eTarget::kAliasOfBlank, true},
    {"VirtualBackBuffer", eTarget::kVirtualBack, true},
};

TEST_P(SurfaceLockTest, LockYieldsTheSurfacesMemoryAndWritesShow) {
  ASSERT_TRUE(Bring(GetParam()));
  for (const LockCase& c : kLockCases) {
    if (c.bD3DOnly && lpDTCon == nullptr) continue;
    SCOPED_TRACE(c.name);
    DDSURFACEDATA blank, alias;
    DDSURFACEDATA* target = &g_BackBuffer;
    DDSURFACEDATA* shows = &g_BackBuffer;  // where the written pixel must appear
    switch (c.target) {
      case eTarget::kBack: break;
      case eTarget::kBlankVideo:
      case eTarget::kBlankSystem:
      case eTarget::kAliasOfBlank: {
        const int mem = c.target == eTarget::kBlankSystem ? 1 : 0;
        ASSERT_TRUE(DDCreateSurface(&blank, 24, 10, 1, mem, mem, 0, 0));
        target = shows = &blank;
        if (c.target == eTarget::kAliasOfBlank) {
          ASSERT_TRUE(DDCreateSurface(&alias, 24, 10, 1, 0, 0, 1, 0));
          alias.lpAlias = &blank;
          target = &alias;
        }
        break;
      }
      case eTarget::kVirtualBack:
        DDSetVirtualBackBuffer(1);
        shows = &g_VirBackBuffer;
        break;
    }
    cPixelBuffer& px = Pixels(shows);
    {
      cSurfaceLock lock;
      ASSERT_TRUE(lock.Lock(target));
      EXPECT_EQ(lock.m_lpSD, shows);
      EXPECT_EQ(lock.m_pBits, px.bytes.data());
      EXPECT_EQ(lock.m_nBpp, g_nBpp);
      EXPECT_EQ(lock.m_nBytes, g_nBpp / 8);
      EXPECT_EQ(lock.RowPixels() * lock.m_nBytes, px.nPitch);
      EXPECT_EQ(lock.m_nWidth, px.nWidth);
      EXPECT_EQ(lock.m_nHeight, px.nHeight);
      // Pixel (3, 2) through the lock's own indexing.
      std::uint8_t* p = lock.Row(2) + 3 * lock.m_nBytes;
      for (int b = 0; b < lock.m_nBytes; ++b) p[b] = static_cast<std::uint8_t>(0x41 + b);
    }
    std::uint32_t want = 0;
    for (int b = 0; b < g_nBpp / 8; ++b) want |= static_cast<std::uint32_t>(0x41 + b) << (8 * b);
    EXPECT_EQ(px.Get(3, 2), want);
    if (c.target == eTarget::kVirtualBack) DDSetVirtualBackBuffer(0);
    DDReleaseSurface(&alias);
    DDReleaseSurface(&blank);
  }
}

TEST_P(SurfaceLockTest, UnlockOnceThenNothing) {
  ASSERT_TRUE(Bring(GetParam()));
  cSurfaceLock lock;
  EXPECT_EQ(lock.Unlock(), D3D_OK);  // nothing locked yet
  ASSERT_TRUE(lock.Lock(&g_BackBuffer));
  EXPECT_TRUE(lock.IsLocked());
  EXPECT_EQ(lock.Unlock(), D3D_OK);
  EXPECT_FALSE(lock.IsLocked());
  EXPECT_EQ(lock.m_pBits, nullptr);
  EXPECT_EQ(lock.Unlock(), D3D_OK);
}

TEST_P(SurfaceLockTest, FailuresLeaveNothingLocked) {
  ASSERT_TRUE(Bring(GetParam()));
  DDSURFACEDATA empty;
  cSurfaceLock lock;
  EXPECT_FALSE(lock.Lock(nullptr));
  EXPECT_FALSE(lock.Lock(&empty));
  EXPECT_FALSE(lock.IsLocked());

  // A pair whose source cannot be locked leaves the destination unlocked too.
  cSurfaceLock dst, src;
  EXPECT_FALSE(DDLockPair(dst, &g_BackBuffer, src, &empty));
  EXPECT_FALSE(dst.IsLocked());
  EXPECT_FALSE(src.IsLocked());
  EXPECT_TRUE(DDLockPair(dst, &g_BackBuffer, src, &g_BackBuffer));
}

TEST_P(SurfaceLockTest, LostSurfacesRefuseTheLock) {
  ASSERT_TRUE(Bring(GetParam()));
  DDSURFACEDATA blank;
  ASSERT_TRUE(DDCreateSurface(&blank, 16, 16, 1, 0, 0, 0, 0));
  cSurfaceLock lock;
  if (lpDTCon != nullptr) {
    DDSimulateDeviceLoss(false);
    EXPECT_FALSE(lock.Lock(&blank));
    EXPECT_NE(ReadBytes("EC_Game.txt").find("GetRenderTargetData"), std::string::npos);
    EXPECT_FALSE(lock.Lock(&g_BackBuffer));
  } else {
    DDSimulateSurfaceLoss();
    EXPECT_FALSE(lock.Lock(&blank));
    EXPECT_FALSE(lock.Lock(&g_BackBuffer));
  }
  EXPECT_FALSE(lock.IsLocked());
  DDReleaseSurface(&blank);
}

TEST_P(SurfaceLockTest, ARenderTargetLostWhileLockedReportsTheUnlock) {
  ASSERT_TRUE(Bring(GetParam()));
  if (lpDTCon == nullptr) GTEST_SKIP() << "a Direct3D device only";
  DDSURFACEDATA blank;
  ASSERT_TRUE(DDCreateSurface(&blank, 16, 16, 1, 0, 0, 0, 0));
  cSurfaceLock lock;
  ASSERT_TRUE(lock.Lock(&blank));
  DDSimulateDeviceLoss(true);
  EXPECT_NE(lock.Unlock(), D3D_OK);
  EXPECT_FALSE(lock.IsLocked());
  DDReleaseSurface(&blank);
}

INSTANTIATE_TEST_SUITE_P(AllModes, SurfaceLockTest, ::testing::ValuesIn(kAllConfigs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
