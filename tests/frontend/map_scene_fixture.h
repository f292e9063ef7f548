#pragma once
// A small story game for the world-map and world-map-menu tests, and a way to play their
// frames with scripted input: a map of passable cells with a wall, a manual stage and an
// automatic one, the game written into the test's folder, the globals the scenes read set
// up and put back afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "media/input/input.h"
#include "platform/message_box.h"
#include "shell/scene.h"
#include "tests/support/temp_dir.h"

// Cells of the map: the cursor starts between the two stages with a wall above it.
constexpr int kStartX = 9;
constexpr int kStartY = 7;
constexpr int kAutoStageX = 10;  // stage1, number 1, entered on stepping onto it
constexpr int kManualStageX = 8;  // stage2, number 2, entered with the decision key
constexpr int kWallY = 6;         // (9, 6)
constexpr int kBlockedX = 9;      // (9, 8) is a blocked chip
constexpr int kBlockedY = 8;

constexpr WORD kDecide = 1;
constexpr WORD kBack = 2;

class cMapSceneTest : public cTempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // One frame of `scene` with these words on input device 0.
  static void Frame(cScene& scene, WORD dir = 0, WORD button = 0);
  // A press: one frame with the words, one without (the menus take a press once).
  static void Press(cScene& scene, WORD dir, WORD button = 0);
  // Frames without input until the scene's state is `state` (at most `limit` frames).
  static bool RunUntilState(cScene& scene, int state, int limit = 10);

  // The boxes shown whose text holds `part` (the pictures of the scenes are not written
  // with the game, so their boxes are left out this way).
  std::vector<std::string> BoxesSaying(const char* part) const;

  cRecordingMessageBoxes boxes;

 private:
  cSystemData m_SavedSystem;
  cWorldMap m_SavedMap;
  cProgress m_SavedProgress;
  std::vector<cSlotInfo> m_SavedSlots;
  int m_nSavedFade = 0;
};
