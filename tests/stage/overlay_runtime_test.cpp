// Lifetimes of the stage's overlays without a display: screen effects run their time and
// end (or end at once on parameters that would divide by zero, and on an unknown kind),
// effects play their frames, pictures and messages count their time, and the picture
// lists stay in step when a picture goes or cannot be loaded.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "data/flow/flow_command.h"
#include "flow/overlay_position.h"
#include "media/draw/dd_display.h"
#include "objects/chara.h"
#include "objects/player.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"
#include "stage/effect_run_tables.h"
#include "stage/stage_overlays.h"
#include "stage/stage_world.h"
#include "tests/stage/stage_scene_fixture.h"

namespace {

constexpr int kNeverEnds = 5000;

class OverlayRuntimeTest : public StageSceneTest {
 protected:
  void SetUp() override {
    StageSceneTest::SetUp();
    m_SavedDatabase = g_Database;
    m_SavedEffectTables = g_EffectTables;
    g_vPlayer.assign(1, cPlayer());
    g_vPlayer[0].m_nObjId = 1;
    g_listChara.clear();
  }
  void TearDown() override {
    m_pScene->ClearPictures();
    m_pScene->ClearMessages();
    g_vPlayer.clear();
    g_Database = m_SavedDatabase;
    g_EffectTables = m_SavedEffectTables;
    BuildScrEffectTables(g_ScrEffectFwd, g_ScrEffectRev);
    StageSceneTest::TearDown();
  }

  static void SetScrEffects(const std::vector<cScrEffectData>& entries) {
    g_Database.m_ScrEffect = entries;
    g_Database.m_ScrEffectWork = entries;
    BuildScrEffectTables(g_ScrEffectFwd, g_ScrEffectRev);
  }
  static cScrEffectData ScrEntry(std::int32_t kind, std::int32_t p0, std::int32_t p1, std::int32_t p2 = 0,
                                 std::int32_t p3 = 0, std::int32_t p4 = 0) {
    cScrEffectData e;
    e.m_nKind = kind;
    const std::int32_t p[5] = {p0, p1, p2, p3, p4};
    for (int i = 0; i < 5; ++i) e.m_nParam[i] = p[i];
    return e;
  }
  // Frames the scene's screen effect runs until it ends, kNeverEnds when it does not.
  int FramesUntilEnd() {
    for (int n = 1; n < kNeverEnds; ++n) {
      m_pScene->RunScrEffect(0);
      if (m_pScene->m_ScrEffect.m_nId == 0) return n;
    }
    return kNeverEnds;
  }

  static cEffectData EffectEntry(int w, int h, std::vector<int> tenths) {
    cEffectData e;
    e.m_nWidth = w;
    e.m_nHeight = h;
    e.m_strFile = "effect.bmp";
    e.m_vFrame.clear();
    for (int i = 0; i < static_cast<int>(tenths.size()); ++i) {
      cEffectFrame f;
      f.m_nPattern = i;
      f.m_nTime = tenths[static_cast<std::size_t>(i)];
      e.m_vFrame.push_back(f);
    }
    return e;
  }
  void SetEffects(const std::vector<cEffectData>& entries) {
    g_Database.m_Effect = entries;
    BuildEffectTables(g_EffectTables);
    // Two picture records per entry from entry 1; empty surfaces draw nothing.
    m_pScene->m_vEffectSurface.assign((entries.size() - 1) * 2, DDSURFACEDATA());
  }

  static cFlowCmd Command(std::vector<std::int32_t> params) {
    cFlowCmd cmd;
    cmd.m_vParam = std::move(params);
    return cmd;
  }

  // A picture in the scene with its surface record named `name`.
  void AddPicture(const char* name, std::int32_t nLayer, std::int32_t nDispMode, std::int32_t nFrames,
                  std::int32_t bHasId = 0, std::int32_t nId = 0) {
    cPicture& picture = m_pScene->m_lstPicture.emplace_back();
    picture.Set(1, 0, 0, 8, 8, 0, nLayer, 100, nDispMode, nFrames, 0, bHasId, nId);
    DDSURFACEDATA& surface = m_pScene->m_lstPictureSurface.emplace_back();
    std::strcpy(surface.szName, name);
    DDSURFACEDEF& def = m_pScene->m_lstPictureDef.emplace_back();
    std::strcpy(def.szFile, name);
  }
  std::vector<std::string> PictureNames() const {
    std::vector<std::string> names;
    for (const DDSURFACEDATA& s : m_pScene->m_lstPictureSurface) names.emplace_back(s.szName);
    return names;
  }
  void ExpectPictureListsInStep(std::size_t n) const {
    EXPECT_EQ(m_pScene->m_lstPicture.size(), n);
    EXPECT_EQ(m_pScene->m_lstPictureSurface.size(), n);
    EXPECT_EQ(m_pScene->m_lstPictureDef.size(), n);
  }

  cChara m_Subject;
  cDatabase m_SavedDatabase;
  std::vector<FRAMELIST> m_SavedEffectTables;
};

TEST_F(OverlayRuntimeTest, ScreenEffectsRunTheirTimeAndEnd) {
  struct {
    const char* name;
    cScrEffectData entry;
    std::int32_t mode, repeat;
    int frames;     // until the end
    int tolerance;  // frames counted by a sum of sixths may land one either side
  } cases[] = {
      {"rotate 0 to 60 in a second", ScrEntry(SCREFFECT_ROTATE, 10, 0, 60), 0, 0, 61, 0},
      {"reversed: 60 down to 0", ScrEntry(SCREFFECT_ROTATE, 10, 0, 60), 1, 0, 61, 0},
      {"there and back", ScrEntry(SCREFFECT_ROTATE, 10, 0, 60), 2, 0, 122, 0},
      {"there and back, repeating", ScrEntry(SCREFFECT_ROTATE, 10, 0, 60), 2, 1, kNeverEnds, 0},
      {"constant value: by time", ScrEntry(SCREFFECT_ZOOM, 10, 640, 640), 0, 0, 61, 1},
      {"move over p0 tenths", ScrEntry(SCREFFECT_MOVE, 10, 0, 0, 640, 0), 0, 0, 66, 1},
      {"shake", ScrEntry(SCREFFECT_SHAKEX, 10, 4, 4), 0, 0, 66, 1},
      {"shake vertically", ScrEntry(SCREFFECT_SHAKEY, 10, 4, 4), 0, 0, 66, 1},
      {"blink", ScrEntry(SCREFFECT_BLINK, 10, 10), 0, 0, 66, 1},
      {"split in rows", ScrEntry(SCREFFECT_SPLITX, 10, 0, 60, 15), 0, 0, 61, 0},
      {"split in columns", ScrEntry(SCREFFECT_SPLITY, 10, 0, 60, 20), 0, 0, 61, 0},
      {"wave", ScrEntry(SCREFFECT_WAVEX, 10, 0, 60, 4, 8), 0, 0, 61, 0},
      {"wave in columns", ScrEntry(SCREFFECT_WAVEY, 10, 0, 60, 4, 10), 0, 0, 61, 0},
      {"circle closing", ScrEntry(SCREFFECT_CIRCLE, 10, 60, 0, 8), 0, 0, 61, 0},
      {"lens", ScrEntry(SCREFFECT_LENS, 10, 60, 0), 0, 0, 61, 0},
      {"mosaic", ScrEntry(SCREFFECT_MOSAIC, 10, 1, 61), 0, 0, 61, 0},
      {"kind 0 never ends by itself", ScrEntry(SCREFFECT_NONE, 10, 0, 60), 0, 0, kNeverEnds, 0},
      // Values at the int limits run their time like any others.
      {"move between the int limits", ScrEntry(SCREFFECT_MOVE, 10, INT_MIN, INT_MIN, INT_MAX, INT_MAX), 0, 0, 66, 1},
      {"as many bands as an int holds", ScrEntry(SCREFFECT_SPLITX, 10, 0, 60, INT_MAX), 0, 0, 61, 0},
      {"a lens far off the screen", ScrEntry(SCREFFECT_LENS, 10, 60, 0, INT_MAX, INT_MIN), 0, 0, 61, 0},
      {"a zoom to the int limit", ScrEntry(SCREFFECT_ZOOM, 10, 0, INT_MAX), 0, 0, 61, 1},
      // Damaged entries: shown once at their end value, then ended.
      {"time 0", ScrEntry(SCREFFECT_ROTATE, 0, 0, 60), 0, 0, 1, 0},
      {"negative time", ScrEntry(SCREFFECT_MOVE, -5, 0, 0, 640, 0), 0, 0, 1, 0},
      {"negative time, repeating", ScrEntry(SCREFFECT_SHAKEX, -1, 4, 4), 2, 1, 1, 0},
      {"no split bands", ScrEntry(SCREFFECT_SPLITX, 10, 0, 60, 0), 0, 0, 1, 0},
      {"negative split bands", ScrEntry(SCREFFECT_SPLITY, 10, 0, 60, -3), 0, 0, 1, 0},
      {"negative wave band", ScrEntry(SCREFFECT_WAVEX, 10, 0, 60, 4, -8), 0, 0, 1, 0},
      {"no circle band", ScrEntry(SCREFFECT_CIRCLE, 10, 60, 0, 0), 0, 0, 1, 0},
      {"unknown kind", ScrEntry(99, 10, 0, 60), 0, 0, 1, 0},
      {"negative kind", ScrEntry(-1, 10, 0, 60), 0, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SetScrEffects({cScrEffectData(), c.entry});
    m_pScene->m_ScrEffect.Start(1, c.mode, c.repeat);
    ASSERT_EQ(m_pScene->m_ScrEffect.m_nId, 1) << c.name;
    EXPECT_NEAR(FramesUntilEnd(), c.frames, c.tolerance) << c.name;
    m_pScene->m_ScrEffect = cScrEffect();
  }
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 0);
}

TEST_F(OverlayRuntimeTest, ScreenEffectValuesAndPause) {
  SetScrEffects({cScrEffectData(), ScrEntry(SCREFFECT_ROTATE, 10, 0, 60), ScrEntry(SCREFFECT_MOVE, 0, 0, 0, 640, 8),
                 ScrEntry(SCREFFECT_CIRCLE, 0, 640, 5, 8)});
  cScrEffect& fx = m_pScene->m_ScrEffect;
  fx.Start(1, 1, 0);
  EXPECT_EQ(fx.m_dValue, 60);  // the reverse run starts at the end value
  for (int i = 0; i < 100; ++i) m_pScene->RunScrEffect(1);
  EXPECT_EQ(fx.m_dValue, 60);  // paused: frozen, still running
  EXPECT_EQ(fx.m_nId, 1);
  fx.Start(2, 0, 0);
  EXPECT_EQ(fx.m_nWork1, 640);  // a move of time 0 is shown at its end position
  EXPECT_EQ(fx.m_nWork2, 8);
  fx.Start(3, 0, 0);
  EXPECT_EQ(fx.m_dValue, 5);
  fx.Start(7, 0, 0);  // past the list: reported, nothing runs
  EXPECT_EQ(fx.m_nId, 0);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
}

TEST_F(OverlayRuntimeTest, ScreenEffectCommandStartsAndCancels) {
  SetScrEffects({cScrEffectData(), ScrEntry(SCREFFECT_ROTATE, 10, 0, 60)});
  cFlowCmd start = Command({1, 2, 1});
  m_Subject.CmdScreenEffect(start);
  EXPECT_EQ(m_pScene->m_ScrEffect.m_nId, 1);
  EXPECT_EQ(m_pScene->m_ScrEffect.m_nRunMode, 2);
  EXPECT_EQ(m_pScene->m_ScrEffect.m_bRepeat, 1);
  cFlowCmd stop = Command({0, 0, 0});
  m_Subject.CmdScreenEffect(stop);
  EXPECT_EQ(m_pScene->m_ScrEffect.m_nId, 0);
}

TEST_F(OverlayRuntimeTest, EffectCommandSizesAndRemoval) {
  SetEffects({cEffectData(), EffectEntry(33, 33, {1}), EffectEntry(31, 31, {1})});
  struct {
    std::int32_t entry, percent, size, scaled;
  } cases[] = {{1, 50, 17, 1}, {2, 150, 47, 1}, {1, 100, 33, 0}, {2, 100, 31, 0}};
  for (const auto& c : cases) {
    cFlowCmd cmd = Command({c.entry, 0, 0, 0, 0, 0, c.percent, 0});
    m_Subject.CmdEffect(cmd);
    const cEffect& fx = m_pScene->m_lstEffect.back();
    EXPECT_EQ(fx.m_nWidth, c.size) << c.entry << " at " << c.percent;
    EXPECT_EQ(fx.m_nHeight, c.size);
    EXPECT_EQ(fx.m_bScaled, c.scaled);
    EXPECT_DOUBLE_EQ(fx.m_dX, 320 - (c.size >> 1));  // the screen centre
  }
  EXPECT_EQ(m_pScene->m_lstEffect.size(), 4u);
  cFlowCmd removeAll = Command({0, 0, 0, 0, 0, 0, 100, 0});
  m_Subject.CmdEffect(removeAll);
  EXPECT_TRUE(m_pScene->m_lstEffect.empty());
}

TEST_F(OverlayRuntimeTest, EffectsPlayTheirFramesAndEnd) {
  SetEffects({cEffectData(), EffectEntry(16, 16, {2, 3, 5}), EffectEntry(16, 16, {})});
  m_pScene->m_lstEffect.emplace_back(1, 0.0, 0.0, 16, 16, 0);
  for (int i = 0; i < 100; ++i) m_pScene->DrawEffects(&g_BackBuffer, 1);
  EXPECT_EQ(m_pScene->m_lstEffect.size(), 1u);  // paused: stands still
  int frames = 0;
  while (!m_pScene->m_lstEffect.empty() && frames < kNeverEnds) {
    m_pScene->DrawEffects(&g_BackBuffer, 0);
    ++frames;
  }
  EXPECT_EQ(frames, 60);  // 2 + 3 + 5 tenths: its end mark comes with the 60th frame, the last of its wait
  // An entry without frames ends at once.
  m_pScene->m_lstEffect.emplace_back(2, 0.0, 0.0, 16, 16, 0);
  m_pScene->DrawEffects(&g_BackBuffer, 0);
  EXPECT_TRUE(m_pScene->m_lstEffect.empty());
}

TEST_F(OverlayRuntimeTest, PicturesCountTheirTimeAndLeaveWithTheirSurfaces) {
  cPicture timed;
  timed.Set(1, 0, 0, 8, 8, 0, 0, 100, MSGDISP_TIME, 3, 0, 0, 0);
  EXPECT_EQ(timed.m_bScaled, 0);  // 100 % is not scaled
  for (int i = 0; i < 10; ++i) EXPECT_EQ(timed.Draw(&g_BackBuffer, nullptr, 1), 0);  // paused: no count
  EXPECT_EQ(timed.Draw(&g_BackBuffer, nullptr, 0), 0);
  EXPECT_EQ(timed.Draw(&g_BackBuffer, nullptr, 0), 0);
  EXPECT_EQ(timed.Draw(&g_BackBuffer, nullptr, 0), 0);
  EXPECT_EQ(timed.Draw(&g_BackBuffer, nullptr, 0), 1);

  AddPicture("ends", 0, MSGDISP_TIME, 0);
  AddPicture("front", 2, MSGDISP_TIME, 0);  // a layer past 1 is in front too
  AddPicture("stays", 0, MSGDISP_STAGE, 0);
  m_pScene->DrawPictures(&g_BackBuffer, 0, 0);
  ExpectPictureListsInStep(2);
  EXPECT_EQ(PictureNames(), (std::vector<std::string>{"front", "stays"}));
  EXPECT_STREQ(m_pScene->m_lstPictureDef.front().szFile, "front");
  m_pScene->DrawPictures(&g_BackBuffer, 1, 0);
  EXPECT_EQ(PictureNames(), (std::vector<std::string>{"stays"}));
  EXPECT_STREQ(m_pScene->m_lstPictureDef.front().szFile, "stays");
}

TEST_F(OverlayRuntimeTest, PictureCommandDeletesByIdAndAll) {
  AddPicture("a", 0, MSGDISP_STAGE, 0, 1, 4);
  AddPicture("b", 0, MSGDISP_STAGE, 0, 1, 5);
  AddPicture("c", 0, MSGDISP_STAGE, 0, 0, 5);
  cFlowCmd unknownId = Command({0, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 1, 7, 0});
  m_Subject.CmdPicture(unknownId);
  ExpectPictureListsInStep(3);
  cFlowCmd deleteFive = Command({0, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 1, 5, 0});
  m_Subject.CmdPicture(deleteFive);
  EXPECT_EQ(PictureNames(), (std::vector<std::string>{"a", "c"}));
  ExpectPictureListsInStep(2);
  cFlowCmd deleteAll = Command({0, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 0, 0, 0});
  m_Subject.CmdPicture(deleteAll);
  ExpectPictureListsInStep(0);
}

TEST_F(OverlayRuntimeTest, APictureThatCannotBeLoadedLeavesTheListsInStep) {
  cPictureData missing;
  missing.m_strFile = "bmp\\no_such_picture.bmp";
  g_Database.m_Picture = {cPictureData(), missing};
  cRecordingMessageBoxes boxes;
  AddPicture("kept", 0, MSGDISP_STAGE, 0, 1, 4);
  AddPicture("replaced", 0, MSGDISP_STAGE, 0, 1, 5);
  // Appended: the new record goes again.
  cFlowCmd append = Command({1, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 0, 0, 0});
  m_Subject.CmdPicture(append);
  ExpectPictureListsInStep(2);
  // Replacing id 5: the old picture is gone, the new one never comes.
  cFlowCmd replace = Command({1, 0, 0, 0, 0, 0, 0, 100, 1, 0, 0, 0, 1, 5, 0});
  m_Subject.CmdPicture(replace);
  ExpectPictureListsInStep(1);
  EXPECT_EQ(PictureNames(), (std::vector<std::string>{"kept"}));
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 2);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_NE(boxes.shown[0].text.find("no_such_picture"), std::string::npos);
}

TEST_F(OverlayRuntimeTest, MessagesCountTheirTime) {
  cMessage wait(GameWaitMessage(3));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(wait.Draw(&g_BackBuffer, 1), 0);  // counts while paused
  EXPECT_EQ(wait.Draw(&g_BackBuffer, 1), 1);

  // The item icon rises one dot every four frames over its 30 frames, then ends.
  cMessage icon(ItemIconMessage(2, 1, 0, g_vPlayer[0].m_nObjId));
  EXPECT_EQ(icon.m_nWidth, 16);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(icon.Draw(&g_BackBuffer, 1), 0);  // paused: no count
  for (int i = 0; i < 30; ++i) EXPECT_EQ(icon.Draw(&g_BackBuffer, 0), 0);
  EXPECT_EQ(icon.m_nFramesLeft, 0);
  EXPECT_EQ(icon.Draw(&g_BackBuffer, 0), 1);

  // An icon over a character that has left ends.
  cMessage orphan(ItemIconMessage(2, 1, 0, 99));
  EXPECT_EQ(orphan.Draw(&g_BackBuffer, 0), 1);

  // Until the key or the stage's end: never by itself.
  cMessageSetup untilKey = GameWaitMessage(0);
  untilKey.nDispMode = MSGDISP_KEY;
  cMessage keyed(untilKey);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(keyed.Draw(&g_BackBuffer, 0), 0);
}

TEST_F(OverlayRuntimeTest, MessageCommandDeletesOnlyWhatItNames) {
  m_pScene->m_lstMessage.emplace_back(GameWaitMessage(10));
  cFlowCmd cmd;
  cmd.m_sText = "x";
  cmd.m_vParam.assign(18, 0);
  cmd.m_vParam[15] = 1;  // delete
  m_Subject.CmdMessage(cmd, 0);  // no id flag
  cmd.m_vParam[12] = 1;
  cmd.m_vParam[13] = 7;
  m_Subject.CmdMessage(cmd, 0);  // no window has id 7
  EXPECT_EQ(m_pScene->m_lstMessage.size(), 1u);
  m_pScene->m_bQuit = 1;
  cmd.m_vParam[15] = 0;
  m_Subject.CmdMessage(cmd, 0);  // closing: nothing
  EXPECT_EQ(m_pScene->m_lstMessage.size(), 1u);
  m_pScene->m_bQuit = 0;
}

}  // namespace
