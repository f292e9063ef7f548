// The option scene in the built player: reached from the title with scripted keys, a value
// edited and kept, another edited and cancelled, and the options written when the scene
// is left; an option file with values out of range is brought back into range first.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/option/option_data.h"
#include "demo/demo_game.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/game_writer.h"

namespace {

class OptionTraceTest : public cTempDirTest {};

TEST_F(OptionTraceTest, EditedOptionsAreWrittenOnLeavingAndDamagedOnesClampedFirst) {
  ASSERT_EQ(WriteDemoGame(), 1);
  cGameContent game;
  game.System.m_bTitlePictures = 0;
  ASSERT_EQ(WriteGame(game), 1);
  // A damaged option file: the colour variant and the sound-effect level out of range.
  std::filesystem::create_directories("user_data");
  cOptionData damaged;
  damaged.m_nPaletteVariant = 999;
  damaged.m_nSeLevel = -5;
  damaged.m_nRankRegMode = 2;
  ASSERT_EQ(damaged.SaveToFile(kOptionFilePath), 1);

  cPlayRequest request;
  request.strStagePath = "";  // the title
  request.nFrames = 420;
  std::vector<cInputSpan> input = {{60, 0, 0}};  // the title fades in
  for (int i = 0; i < 5; ++i) input.insert(input.end(), {{1, kDirDown, 0}, {1, 0, 0}});  // to "options"
  input.insert(input.end(), {
                                {1, 0, kButton1}, {100, 0, 0},   // chosen; into the option scene
                                {1, 0, kButton1}, {1, 0, 0},     // edit the colour variant
                                {1, kDirDown, 0}, {1, 0, 0},     // 23 (clamped) - 1
                                {1, 0, kButton1}, {1, 0, 0},     // kept
                                {1, kDirDown, 0}, {1, 0, 0},     // music
                                {1, kDirDown, 0}, {1, 0, 0},     // sound-effect level
                                {1, 0, kButton1}, {1, 0, 0},     // edit it
                                {1, kDirUp, 0},   {1, 0, 0},     // 0 (clamped) + 1
                                {1, 0, kButton2}, {1, 0, 0},     // cancelled: 0 again
                                {1, 0, kButton2}, {100, 0, 0},   // leave: the file is written
                            });
  request.vInput = input;
  const cPlayResult run = RunPlayer(request);
  ASSERT_FALSE(run.bTimedOut) << run.strOutput;

  cOptionData written;
  ASSERT_EQ(written.LoadFromFile(kOptionFilePath), 1) << run.strOutput;
  EXPECT_EQ(written.m_nPaletteVariant, 22) << run.strOutput;
  EXPECT_EQ(written.m_nSeLevel, 0);
  EXPECT_EQ(written.m_nRankRegMode, 2);
}

}  // namespace
