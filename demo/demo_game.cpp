#include "demo/demo_game.h"

#include <cstdio>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "app/checked_access.h"
#include "data/save/play_mode.h"
#include "data/system/cmd_item.h"
#include "data/system/screen_texts.h"
#include "data/system/sys_status_item.h"
#include "data/system/system_data.h"
#include "data/system/system_ini_keys.h"
#include "demo/demo_art.h"
#include "demo/demo_blend_tables.h"
#include "demo/demo_sounds.h"
#include "demo/demo_stage.h"
#include "demo/demo_stages_more.h"
#include "platform/host_files.h"
#include "writers/game_writer.h"
#include "writers/system_ini_writer.h"

namespace {

constexpr const char* kSongPath = "bgm\\Title.mid";
constexpr const char* kSystemIniPath = "System.ini";

// The world map: an island of grass in the sea with a path across it. Chips 0 to 4 of a
// new map are blocked and 5 to 9 passable; the chip pictures (demo_art) follow that.
constexpr std::int32_t kChipSea = 0;
constexpr std::int32_t kChipGrass = 5;
constexpr std::int32_t kChipPath = 6;
// The map is wider than the screen's 20 cells, so the view, which keeps the cursor nine
// cells from its left edge, never shows past the map's end.
constexpr int kMapWidth = 32;
constexpr int kMapHeight = 15;
constexpr cMapPos kMeadowCell = {9, 7};
constexpr cMapPos kHillsCell = {14, 7};
// Lives of a story game; the other play modes keep their infinite lives.
constexpr std::int32_t kStoryLives = 3;

std::string StageFileName(const std::string& name) { return name + ".stg4_" + std::to_string(g_nDataVersion); }

void PaintCells(cWorldMap& map, int x0, int y0, int x1, int y1, std::int32_t chip) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) map.m_vCell[static_cast<std::size_t>((y << map.m_nPitchShift) + x)] = chip;
}

cWorld DemoWorld(const cMapPos& cell, const char* name, std::int32_t nStageNo, const std::string& stageFile) {
  cWorld world;
  world.m_nWorldX = cell.nX;
  world.m_nWorldY = cell.nY;
  world.m_strWorldName = name;
  cWorldStage& stage = world.m_vStage.front();
  stage.m_nStageNo = nStageNo;
  stage.m_strStageName = name;
  stage.m_strStageFile = StageFileName(stageFile);
  return world;
}

// The meadow stands on the start cell and starts as soon as a new story reaches the map;
// the hills (the first stage's walk) open once the meadow is cleared.
cWorldMap DemoWorldMap() {
  cWorldMap map;
  map.m_strMapName = "Demo island";
  map.SetSize(kMapWidth, kMapHeight);
  PaintCells(map, 0, 0, map.m_nMapW - 1, map.m_nMapH - 1, kChipSea);
  PaintCells(map, 5, 3, 19, 11, kChipGrass);
  PaintCells(map, kMeadowCell.nX, kMeadowCell.nY, kHillsCell.nX, kHillsCell.nY, kChipPath);
  map.m_nStartX = kMeadowCell.nX;
  map.m_nStartY = kMeadowCell.nY;
  const cStagePlan meadow = DemoMeadowStage();
  const cStagePlan hills = DemoFirstStage();
  map.m_vWorld.push_back(DemoWorld(kMeadowCell, "Meadow", 1, meadow.strName));
  cWorld hillsWorld = DemoWorld(kHillsCell, "Hills", 2, hills.strName);
  hillsWorld.m_vStage.front().m_nReqSwitch = 1;  // the meadow's clear flag
  map.m_vWorld.push_back(hillsWorld);
  return map;
}

bool WriteBytes(const char* programPath, const void* data, std::size_t size) {
  FILE* file = OpenFile(programPath, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

// The demo speaks English throughout: its menus, prompts, results and hints, in the order
// of SCREENTEXT.
constexpr const char* kDemoScreenTexts[SCREENTEXT_COUNT] = {
    "World",
    "Stage",
    "Score",
    "High score",
    "Total score",
    "Score",
    "Time left",
    "Clear time",
    "HP left",
    "SP left",
    "Enter the stage",
    "Not now",
    "Save",
    "Not now",
    "Auto save ON",
    "Auto save OFF",
    "No save slot yet! Save once first!",
    "Back to the title",
    "Not now",
    "Quit",
    "Continue",
    "Retry",
    "Back to the map",
    "Retry",
    "Back to the map",
    "V key: next ranking",
    "Space key: back to the title",
    "Space key: quit",
    "F3 key: enter the ranking",
};

void DemoSetLabels(std::vector<cCmdItem>& items, std::initializer_list<const char*> labels) {
  std::size_t i = 0;
  for (const char* label : labels) {
    if (i >= items.size()) break;
    items[i++].m_strLabel = label;
  }
}

// The English texts of the demo's System data, over the defaults of a new record.
void DemoUseEnglishTexts(cSystemData& system) {
  system.m_Texts.assign(std::begin(kDemoScreenTexts), std::end(kDemoScreenTexts));
  const char* const statusLabels[STATUSITEM_COUNT] = {"Score", "Stage", "HP", "SP", "Lives"};
  for (std::size_t i = 0; i < system.m_StatusItems.size() && i < std::size(statusLabels); ++i)
    system.m_StatusItems[i].m_strLabel = statusLabels[i];
  std::size_t item = 0;
  for (cCmdItem& title : system.m_TitleMenu)
    if (item < std::size(kDemoTitleItemLabels)) title.m_strLabel = kDemoTitleItemLabels[item++];
  DemoSetLabels(system.m_MapMenu, {"Save", "Auto save", "Back", "To title"});
  DemoSetLabels(system.m_OptionMenu, {"", "BGM", "SE", "Ranking entry", "Ranking name", "Back"});
  system.m_RankRegLabels = {"Manual (type a name)", "Manual (fixed name)", "Automatic (type a name)",
                            "Automatic (fixed name)"};
  // The dialogs and the ranking window speak English too.
  system.m_IniItems[INIKEY_ENGLISH].m_nValue = 1;
}

}  // namespace

cGameContent DemoGameContent() {
  cGameContent game;
  game.System.m_strTitle = kDemoGameTitle;
  DemoUseEnglishTexts(game.System);
  // The 17 system sounds take turns among the four menu and play effects.
  const char* effects[] = {"se\\cursor.wav", "se\\decide.wav", "se\\cancel.wav", "se\\jump.wav"};
  for (std::size_t i = 0; i < game.System.m_SystemSounds.size(); ++i) game.System.m_SystemSounds[i] = effects[i % 4];
  game.Database.m_Sound[1].m_strName = "Coin";
  game.Database.m_Sound[1].m_strFile = "se\\coin.wav";
  // The sparkle (four pictures a tenth of a second each) and the hills' name board.
  cEffectData& sparkle = game.Database.m_Effect[kDemoSparkleEffect];
  sparkle.m_strName = "Sparkle";
  sparkle.m_strFile = kDemoSparklePath;
  sparkle.m_nWidth = kDemoSparkleSize;
  sparkle.m_nHeight = kDemoSparkleSize;
  sparkle.m_vFrame.assign(kDemoSparkleFrames, cEffectFrame());
  for (int i = 0; i < kDemoSparkleFrames; ++i) sparkle.m_vFrame[static_cast<std::size_t>(i)].m_nPattern = i;
  game.Database.m_Picture[kDemoHillsSignPicture].m_strName = "Hills board";
  game.Database.m_Picture[kDemoHillsSignPicture].m_strFile = kDemoHillsSignPath;
  game.Database.m_Bgm[1].m_strName = "Demo song";
  game.Database.m_Bgm[1].m_strFile = kSongPath;
  // The title plays the song; the other scenes keep silent.
  game.System.m_SceneBgm[0] = 1;
  // A windowed Direct3D start, without the start-up dialog.
  game.System.m_IniItems[INIKEY_DIRECT3D].m_nValue = 1;
  game.System.m_IniItems[INIKEY_WINDOW_MODE].m_nValue = 1;
  // The title menu shows its items as pictures (bmp\GameMode.bmp, drawn by demo_art).
  game.System.m_bTitlePictures = 1;
  // A story has three lives (the lives box on the map shows the two left in reserve)
  // and keeps a ranking for each stage.
  CheckedAt(game.System.m_Lives, PLAYMODE_STORY) = kStoryLives;
  CheckedAt(game.System.m_bInfiniteLives, PLAYMODE_STORY) = 0;
  CheckedAt(game.System.m_ModeRanking, PLAYMODE_STORY).m_bRankingOn = 1;
  // The opening meadow, then the walk of the first stage over the hills.
  game.Stages.clear();
  for (const cStagePlan& plan : {DemoMeadowStage(), DemoFirstStage()}) {
    cGameStage& stage = game.Stages.emplace_back();
    stage.strName = plan.strName;
    stage.Prepared = BuildPlannedStage(plan);
  }
  game.WorldMap = DemoWorldMap();
  return game;
}

int WriteDemoGame() {
  const cGameContent game = DemoGameContent();
  if (!WriteGame(game)) return 0;
  if (!WriteSystemIni(kSystemIniPath, game.System.m_IniItems)) return 0;
  for (const char* folder : {"bmp", "bmp\\plt", "bmp\\hbt", "se", "bgm"})
    if (!MakeDirectory(folder)) return 0;
  for (const cDemoBlendTable& table : DemoBlendTables())
    if (!WriteBytes(table.strPath.c_str(), table.Bytes.data(), table.Bytes.size())) return 0;
  for (const cDemoPicture& picture : DrawDemoPictures()) {
    const std::string bytes = picture.Canvas.Bitmap();
    if (!WriteBytes(picture.lpPath, bytes.data(), bytes.size())) return 0;
  }
  for (const cDemoSound& sound : MakeDemoEffects())
    if (!WriteBytes(sound.lpPath, sound.Bytes.data(), sound.Bytes.size())) return 0;
  const std::vector<std::uint8_t> song = MakeDemoSong();
  return WriteBytes(kSongPath, song.data(), song.size()) ? 1 : 0;
}

std::vector<std::string> DemoGameFiles() {
  std::vector<std::string> files = {"data\\System.dat", kCommonPalettePath, kWorldMapPath, GameStagePath("meadow"),
                                    GameStagePath("stage1"),
                                    kSystemIniPath, kSongPath};
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) files.push_back(cDatabase::FilePath(kind));
  for (const cDemoPicture& picture : DrawDemoPictures()) files.push_back(picture.lpPath);
  for (const cDemoBlendTable& table : DemoBlendTables()) files.push_back(table.strPath);
  for (const cDemoSound& sound : MakeDemoEffects()) files.push_back(sound.lpPath);
  return files;
}
