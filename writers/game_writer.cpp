#include "writers/game_writer.h"

#include <utility>

#include "data/save/slot_list.h"
#include "platform/host_files.h"
#include "writers/database_writer.h"

namespace {

// "data\database\Sound.dat" -> "Sound".
std::string DatabaseFileStem(int nKind) {
  const std::string path = cDatabase::FilePath(nKind);
  const std::size_t start = path.rfind('\\') + 1;
  return path.substr(start, path.rfind('.') - start);
}

cDatabase DefaultDatabase() {
  cDatabase database;
  database.ForEachFileList([](int nKind, auto& list) {
    list.resize(2);
    list[1].m_strName = DatabaseFileStem(nKind) + " 1";
    return true;
  });
  return database;
}

cPalette DefaultPalette() {
  cPalette palette;
  cPaletteBlock& ground = palette.m_vBlock.emplace_back();
  ground.m_strName = "ground";
  ground.m_nGraphic = 1;

  cPaletteChara& hero = palette.m_vChara.emplace_back();
  hero.m_strName = "hero";
  hero.m_nGraphic = 1;
  hero.m_nController = CHARACTRL_PLAYER;
  cPaletteChara& enemy = palette.m_vChara.emplace_back();
  enemy.m_strName = "enemy";
  enemy.m_nGraphic = 1;

  cPaletteItem& coin = palette.m_vItem.emplace_back();
  coin.m_strName = "coin";
  coin.m_nGraphic = 1;
  return palette;
}

// One world on the start cell of a new map, whose entry is the first stage.
cWorldMap DefaultWorldMap() {
  cWorldMap map;
  cWorld& world = map.m_vWorld.emplace_back();
  world.m_nWorldX = map.m_nStartX;
  world.m_nWorldY = map.m_nStartY;
  world.m_strWorldName = "World 1";
  world.m_vStage[0].m_nStageNo = 1;
  world.m_vStage[0].m_strStageName = "Stage 1";
  world.m_vStage[0].m_strStageFile = "stage1.stg4_" + std::to_string(g_nDataVersion);
  return map;
}

template <typename T>
void Place(std::vector<T>& placements, const T& definition, const cGameCell& cell) {
  T& entry = placements.emplace_back(definition);
  entry.m_nCellX = cell.nX;
  entry.m_nCellY = cell.nY;
}

// The stage of a cGameStage without a prepared stage.
void BuildGameStage(cStageData& stage, const cGameStage& shape) {
  stage = cStageData();
  stage.m_nWidth = shape.nWidth;
  stage.m_nHeight = shape.nHeight;
  stage.m_nPixelWidth = shape.nWidth * 32;
  stage.m_nPixelHeight = shape.nHeight * 32;
  stage.m_nLimitRight = shape.nWidth - 1;
  stage.m_nLimitBottom = shape.nHeight - 1;

  cPaletteBlock& block = stage.m_vBlockDef.emplace_back();
  block.m_strName = "stage block";
  block.m_nGraphic = 1;
  cPaletteChara& chara = stage.m_vCharaDef.emplace_back();
  chara.m_strName = "stage chara";
  chara.m_nGraphic = 1;
  cPaletteItem& item = stage.m_vItemDef.emplace_back();
  item.m_strName = "stage item";
  item.m_nGraphic = 1;

  if (shape.bFloor) {
    for (std::int32_t x = 0; x < shape.nWidth; ++x)
      Place(stage.m_vBlockPlace, block, {static_cast<std::int16_t>(x), static_cast<std::int16_t>(shape.nHeight - 1)});
  }
  for (const cGameCell& cell : shape.Blocks) Place(stage.m_vBlockPlace, block, cell);
  for (const cGameCell& cell : shape.Charas) Place(stage.m_vCharaPlace, chara, cell);
  if (!stage.m_vCharaPlace.empty()) stage.m_vCharaPlace.front().m_nController = CHARACTRL_PLAYER;
  for (const cGameCell& cell : shape.Items) Place(stage.m_vItemPlace, item, cell);
}

std::string InFolder(const std::string& folder, const std::string& path) {
  if (folder.empty()) return path;
  if (folder.back() == '\\' || folder.back() == '/') return folder + path;
  return folder + "\\" + path;
}

bool HasUserFiles(const cGameContent& game) {
  return game.Options || !game.StorySlots.empty() || game.Challenge;
}

bool MakeGameFolders(const cGameContent& game, const std::string& folder) {
  if (!folder.empty() && !MakeDirectory(folder)) return false;
  for (const char* sub : {"data", "data\\database", "data\\stg4"})
    if (!MakeDirectory(InFolder(folder, sub))) return false;
  if (HasUserFiles(game))
    for (const char* sub : {"user_data", "user_data\\story", "user_data\\challenge"})
      if (!MakeDirectory(InFolder(folder, sub))) return false;
  return true;
}

// Keeps the globals that the writers consult and puts them back when it ends.
class cSavedGlobals {
 public:
  cSavedGlobals()
      : m_Database(g_Database),
        m_Palette(g_CommonPalette),
        m_Stage(g_StageData),
        m_System(g_SystemData),
        m_WorldMap(g_WorldMap) {}
  ~cSavedGlobals() {
    g_Database = std::move(m_Database);
    g_CommonPalette = std::move(m_Palette);
    g_StageData = std::move(m_Stage);
    g_SystemData = std::move(m_System);
    g_WorldMap = std::move(m_WorldMap);
  }
  cSavedGlobals(const cSavedGlobals&) = delete;
  cSavedGlobals& operator=(const cSavedGlobals&) = delete;

 private:
  cDatabase m_Database;
  cPalette m_Palette;
  cStageData m_Stage;
  cSystemData m_System;
  cWorldMap m_WorldMap;
};

bool WriteDatabases(const std::string& folder) {
  return g_Database.ForEachFileList([&](int nKind, auto& list) {
    return SaveDatabaseFile(InFolder(folder, cDatabase::FilePath(nKind)).c_str(), list) != 0;
  });
}

bool WriteStage(const cGameStage& shape, const std::string& folder) {
  if (shape.Prepared)
    g_StageData = *shape.Prepared;
  else
    BuildGameStage(g_StageData, shape);
  return g_StageData.SaveToFile(InFolder(folder, GameStagePath(shape.strName)).c_str()) != 0;
}

bool WriteUserFiles(const cGameContent& game, const std::string& folder) {
  if (game.Options) {
    cOptionData options = *game.Options;
    if (!options.SaveToFile(InFolder(folder, kOptionFilePath).c_str())) return false;
  }
  for (const cGameSlot& slot : game.StorySlots) {
    char name[MAX_PATH];
    GetStoryFileName(name, slot.nSlot);
    cProgress progress = slot.Progress;
    if (!progress.SaveToFile(InFolder(folder, name).c_str())) return false;
  }
  if (game.Challenge) {
    cProgress progress = *game.Challenge;
    if (!progress.SaveToFile(InFolder(folder, kChallengeFilePath).c_str())) return false;
  }
  return true;
}

}  // namespace

cGameContent::cGameContent()
    : Database(DefaultDatabase()), Palette(DefaultPalette()), WorldMap(DefaultWorldMap()), Stages(1) {
  System.m_strTitle = kGameTitle;
}

std::string GameStagePath(const std::string& name) {
  return "data\\stg4\\" + name + ".stg4_" + std::to_string(g_nDataVersion);
}

int WriteGame(const cGameContent& game, const std::string& folder) {
  if (!MakeGameFolders(game, folder)) return 0;
  const cSavedGlobals saved;
  g_Database = game.Database;
  g_CommonPalette = game.Palette;

  cSystemData system = game.System;
  if (!system.SaveToFile(InFolder(folder, "data\\System.dat").c_str())) return 0;
  if (!WriteDatabases(folder)) return 0;
  if (!g_CommonPalette.SaveToFile(InFolder(folder, kCommonPalettePath).c_str())) return 0;
  g_WorldMap = game.WorldMap;
  if (!g_WorldMap.SaveToFile(InFolder(folder, kWorldMapPath).c_str())) return 0;
  for (const cGameStage& stage : game.Stages)
    if (!WriteStage(stage, folder)) return 0;
  g_SystemData = system;
  return WriteUserFiles(game, folder) ? 1 : 0;
}
