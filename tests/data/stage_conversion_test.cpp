// Stages, backgrounds and ranges from files of older versions.
#include <gtest/gtest.h>

#include <functional>

#include "data/stage/stage_data.h"
#include "tests/data/stage_test_support.h"

namespace {

using namespace stage_test;

class StageConversionTest : public cStageTest {};

struct cConversionCase {
  const char* lpStep;
  int nVersion;
  cValues Values;                        // members stored in the file
  std::vector<std::int32_t> Results;     // result flags stored in the file
  std::vector<std::string> Texts;        // texts stored in the file
  std::function<void(cStageData&)> Prepare;  // the record before reading
  std::function<void(const cStageData&)> Check;
};

const std::vector<std::int32_t> kAllResults = {1, 1, 1, 1, 1};

TEST_F(StageConversionTest, EachConversionStepAppliesBelowItsVersionOnly) {
  const cConversionCase cases[] = {
      {"155: flying hit areas copy the walking ones, bottom flags off", 154,
       {{"m_nPlayerHitWalkW", 20}, {"m_nPlayerHitWalkH", 30}, {"m_nCharaHitWalkW", 14}, {"m_nCharaHitWalkH", 22}},
       kAllResults, {}, nullptr,
       [](const cStageData& s) {
         EXPECT_EQ(s.m_nPlayerHitFlyW, 20);
         EXPECT_EQ(s.m_nPlayerHitFlyH, 30);
         EXPECT_EQ(s.m_nCharaHitFlyW, 14);
         EXPECT_EQ(s.m_nCharaHitFlyH, 22);
         EXPECT_EQ(s.m_bPlayerHitWalkBottom, 0);
         EXPECT_EQ(s.m_bPlayerHitFlyBottom, 0);
         EXPECT_EQ(s.m_bCharaHitWalkBottom, 0);
         EXPECT_EQ(s.m_bCharaHitFlyBottom, 0);
       }},
      {"155: stored", 155,
       {{"m_nPlayerHitFlyW", 9}, {"m_nCharaHitFlyH", 7}, {"m_bPlayerHitWalkBottom", 1}, {"m_bCharaHitFlyBottom", 1}},
       kAllResults, {}, nullptr,
       [](const cStageData& s) {
         EXPECT_EQ(s.m_nPlayerHitFlyW, 9);
         EXPECT_EQ(s.m_nCharaHitFlyH, 7);
         EXPECT_EQ(s.m_bPlayerHitWalkBottom, 1);
         EXPECT_EQ(s.m_bCharaHitFlyBottom, 1);
       }},
      {"166: the music loops", 165, {}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bBgmLoop, 1); }},
      {"166: stored", 166, {{"m_bBgmLoop", 0}}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bBgmLoop, 0); }},
      {"181: HP and SP results added off", 180, {}, {1, 1, 1}, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_vResultKind, (std::vector<std::int32_t>{1, 1, 1, 0, 0})); }},
      {"181: HP and SP results switched off", 180, {}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_vResultKind, (std::vector<std::int32_t>{1, 1, 1, 0, 0})); }},
      {"181: stored", 181, {}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_vResultKind, kAllResults); }},
      {"183: status bar shown", 182, {}, kAllResults, {}, [](cStageData& s) { s.m_bShowStatus = 0; },
       [](const cStageData& s) { EXPECT_EQ(s.m_bShowStatus, 1); }},
      {"183: stored", 183, {{"m_bShowStatus", 0}}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bShowStatus, 0); }},
      {"184: no automatic advance", 183, {}, kAllResults, {}, [](cStageData& s) { s.m_bClearAutoAdvance = 1; },
       [](const cStageData& s) { EXPECT_EQ(s.m_bClearAutoAdvance, 0); }},
      {"184: stored", 184, {{"m_bClearAutoAdvance", 1}}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bClearAutoAdvance, 1); }},
      {"199: music not kept", 198, {}, kAllResults, {}, [](cStageData& s) { s.m_bBgmKeep = 1; },
       [](const cStageData& s) { EXPECT_EQ(s.m_bBgmKeep, 0); }},
      {"199: stored", 199, {{"m_bBgmKeep", 1}}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bBgmKeep, 1); }},
      {"200: fixed body boxes", 199, {{"m_nPlayerPartSel1", 3}}, kAllResults, {},
       [](cStageData& s) {
         s.m_nCharaWalkH = 99;
         s.m_nPlayerWalkW = 99;
         s.m_bCharaFlyBottom = 0;
         s.m_nPlayerPartValue0 = 4;
       },
       [](const cStageData& s) {
         EXPECT_EQ(s.m_nPlayerWalkW, 16);
         EXPECT_EQ(s.m_nPlayerWalkH, 24);
         EXPECT_EQ(s.m_nPlayerFlyW, 16);
         EXPECT_EQ(s.m_nPlayerFlyH, 16);
         EXPECT_EQ(s.m_bPlayerWalkBottom, 1);
         EXPECT_EQ(s.m_bPlayerFlyBottom, 0);
         EXPECT_EQ(s.m_nPlayerPartValue0, 0);
         EXPECT_EQ(s.m_nPlayerPartSel0, 5);
         EXPECT_EQ(s.m_nPlayerPartSel1, 3);
         EXPECT_EQ(s.m_nCharaWalkW, 16);
         EXPECT_EQ(s.m_nCharaWalkH, 30);
         EXPECT_EQ(s.m_nCharaFlyW, 16);
         EXPECT_EQ(s.m_nCharaFlyH, 30);
         EXPECT_EQ(s.m_bCharaWalkBottom, 1);
         EXPECT_EQ(s.m_bCharaFlyBottom, 1);
       }},
      {"200: stored", 200, {{"m_nCharaWalkH", 40}, {"m_nPlayerPartSel0", 2}, {"m_bCharaFlyBottom", 0}}, kAllResults,
       {}, nullptr,
       [](const cStageData& s) {
         EXPECT_EQ(s.m_nCharaWalkH, 40);
         EXPECT_EQ(s.m_nPlayerPartSel0, 2);
         EXPECT_EQ(s.m_bCharaFlyBottom, 0);
       }},
      {"225: no start banner", 224, {}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bStartBanner, 0); }},
      {"225: stored", 225, {{"m_bStartBanner", 1}}, kAllResults, {}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_bStartBanner, 1); }},
      {"754: a thousand texts", 753, {}, kAllResults, {"a", "b"}, nullptr,
       [](const cStageData& s) {
         ASSERT_EQ(s.m_vText.size(), 1000u);
         EXPECT_EQ(s.m_vText[0].m_strText, "a");
         EXPECT_EQ(s.m_vText[1].m_strText, "b");
         EXPECT_EQ(s.m_vText[999].m_strText, "");
       }},
      {"754: stored", 754, {}, kAllResults, {"a"}, nullptr,
       [](const cStageData& s) { EXPECT_EQ(s.m_vText.size(), 1u); }},
      {"125: right, top and bottom flags of a new stage", 124, {}, kAllResults, {},
       [](cStageData& s) {
         // Left over from the stage read before.
         s.m_OutRange[OUTRANGE_WALKING_CHARA].Set(1, 1, 1, 1, 5, 5, 5, 5);
         s.m_OutRange[OUTRANGE_PLAYER_SHOT].Set(0, 0, 0, 0, 0, 0, 0, 0);
       },
       [](const cStageData& s) {
         const cScreenOutRange& walking = s.m_OutRange[OUTRANGE_WALKING_CHARA];
         const cScreenOutRange& playerShots = s.m_OutRange[OUTRANGE_PLAYER_SHOT];
         EXPECT_EQ(walking.m_bLeft, 0);
         EXPECT_EQ(walking.m_bRight, 0);
         EXPECT_EQ(walking.m_bTop, 0);
         EXPECT_EQ(walking.m_bBottom, 0);
         EXPECT_EQ(walking.m_nLeft, 0);
         EXPECT_EQ(playerShots.m_bLeft, 1);
         EXPECT_EQ(playerShots.m_bRight, 1);
         EXPECT_EQ(playerShots.m_bTop, 1);
         EXPECT_EQ(playerShots.m_bBottom, 1);
         EXPECT_EQ(playerShots.m_nBottom, 10);
       }},
      {"125: stored", 125, {}, kAllResults, {},
       [](cStageData& s) { s.m_OutRange[OUTRANGE_ITEM].Set(1, 1, 1, 1, 5, 5, 5, 5); },
       [](const cStageData& s) {
         EXPECT_EQ(s.m_OutRange[OUTRANGE_ITEM].m_bRight, 0);
         EXPECT_EQ(s.m_OutRange[OUTRANGE_OTHER_SHOT].m_bTop, 1);
       }},
      {"150: every step", 150, {}, {1, 1, 1}, {}, nullptr,
       [](const cStageData& s) {
         EXPECT_EQ(s.m_vResultKind, (std::vector<std::int32_t>{1, 1, 1, 0, 0}));
         ASSERT_EQ(s.m_vText.size(), 1000u);
         EXPECT_EQ(s.m_vText[500].m_strText, "");
         EXPECT_EQ(s.m_bBgmLoop, 1);
         EXPECT_EQ(s.m_bStartBanner, 0);
         EXPECT_EQ(s.m_nCharaFlyH, 30);
         EXPECT_EQ(s.m_bPlayerHitWalkBottom, 0);
       }},
  };
  for (const cConversionCase& c : cases) {
    SCOPED_TRACE(c.lpStep);
    cByteBuilder b;
    AddStageHead(b, c.nVersion, c.Values);
    AddStageTail(b, c.nVersion, c.Results, c.Texts);
    cStageData stage;
    if (c.Prepare) c.Prepare(stage);
    ASSERT_TRUE(ReadAt(stage, c.nVersion, b.Get()));
    c.Check(stage);
    EXPECT_EQ(stage.RegisteredVersion(), 811);
  }
}

TEST_F(StageConversionTest, UpgradedStageWritesTheCurrentLayoutAndStaysTheSame) {
  cStageData old;
  ASSERT_TRUE(ReadAt(old, 150, StageBody(150, {{"m_nWidth", 40}, {"m_nHeight", 20}}, {1, 1, 1})));
  const std::vector<std::uint8_t> upgraded = BodyOf(old);
  EXPECT_EQ(upgraded[0], 98);

  cStageData again;
  ASSERT_TRUE(ReadAt(again, 811, upgraded));
  EXPECT_EQ(again.m_nWidth, 40);
  EXPECT_EQ(BodyOf(again), upgraded);
}

TEST_F(StageConversionTest, SentinelIsReadFrom173AndComparedFrom174) {
  const struct {
    int nVersion;
    bool bWithSentinel;
    std::int32_t nSentinel;
    bool bLoads;
  } cases[] = {
      {172, false, 0, true},               // no sentinel before 173
      {173, true, 0, true},                // read and dropped without comparing
      {173, false, 0, false},              // but it must be there: the body is cut short
      {174, true, 0, false},               // compared from 174
      {174, false, 0, false},
      {174, true, kStageSentinel, true},
      {811, true, 123456788, false},
      {811, true, kStageSentinel, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.nVersion << " sentinel " << c.bWithSentinel << " " << c.nSentinel);
    std::vector<std::uint8_t> body = StageBody(c.nVersion, {{"m_nWidth", 25}});
    if (c.nVersion >= 173) body.resize(body.size() - 4);
    if (c.bWithSentinel) {
      const std::vector<std::uint8_t> tail = cByteBuilder().I32(c.nSentinel).Get();
      body.insert(body.end(), tail.begin(), tail.end());
    }
    cStageData stage;
    EXPECT_EQ(ReadAt(stage, c.nVersion, body), c.bLoads);
    EXPECT_EQ(stage.m_nWidth, c.bLoads ? 25 : 0);
  }
}

TEST_F(StageConversionTest, BackgroundsOfTheThreeLayouts) {
  const struct {
    int nVersion;
    std::vector<std::uint8_t> body;
    std::int32_t bVisible, bFill, nFillColour, nLayer;
    double dSpeedX, dSpeedY;
    std::int32_t bAutoX, bAutoY;
    double dPosX, dPosY;
  } cases[] = {
      // Two int32 speeds, dropped.
      {60, cByteBuilder().Count(5).I32(1).I32(7).I32(2).I32(999).I32(888).Count(1).Text("a.bmp").Get(), 1, 1, 7,
       2, 0.1, 0.1, 0, 0, 0, 0},
      // Speeds as doubles and the automatic flags; two int32 offsets, dropped.
      {61,
       cByteBuilder().Count(9).I32(0).I32(7).I32(2).F64(0.5).F64(0.25).I32(1).I32(0).I32(55).I32(66).Count(1)
           .Text("a.bmp").Get(),
       1, 0, 7, 2, 0.5, 0.25, 1, 0, 0, 0},
      {62,
       cByteBuilder().Count(10).I32(0).I32(0).I32(3).I32(1).F64(0.5).F64(0.25).I32(0).I32(1).F64(12.5).F64(-3)
           .Count(1).Text("a.bmp").Get(),
       0, 0, 3, 1, 0.5, 0.25, 0, 1, 12.5, -3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nVersion);
    g_nFileVersion = c.nVersion;
    cDataReader in(c.body);
    cStageBack back;
    back.Read(in);
    EXPECT_FALSE(in.Damaged());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.m_bVisible, c.bVisible);
    EXPECT_EQ(back.m_bFill, c.bFill);
    EXPECT_EQ(back.m_nFillColour, c.nFillColour);
    EXPECT_EQ(back.m_nLayer, c.nLayer);
    EXPECT_EQ(back.m_dSpeedX, c.dSpeedX);
    EXPECT_EQ(back.m_dSpeedY, c.dSpeedY);
    EXPECT_EQ(back.m_bAutoX, c.bAutoX);
    EXPECT_EQ(back.m_bAutoY, c.bAutoY);
    EXPECT_EQ(back.m_dPosX, c.dPosX);
    EXPECT_EQ(back.m_dPosY, c.dPosY);
    EXPECT_EQ(back.m_strPicture, "a.bmp");
  }
}

TEST_F(StageConversionTest, RangesBefore125HaveOnlyTheLeftFlag) {
  g_nFileVersion = 124;
  const std::vector<std::uint8_t> body = cByteBuilder().Count(5).I32(1).I32(2).I32(3).I32(4).I32(5).Count(0).Get();
  cDataReader in(body);
  cScreenOutRange range;
  range.Set(0, 9, 9, 9, 0, 0, 0, 0);
  range.Read(in);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_EQ(range.m_bLeft, 1);
  EXPECT_EQ(range.m_bRight, 9);
  EXPECT_EQ(range.m_nLeft, 2);
  EXPECT_EQ(range.m_nBottom, 5);

  g_nFileVersion = 811;
  EXPECT_EQ(BodyOf(range), cByteBuilder().Count(8).I32(1).I32(9).I32(9).I32(9).I32(2).I32(3).I32(4).I32(5).Count(0).Get());
}

}  // namespace
