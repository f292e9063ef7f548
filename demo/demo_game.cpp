#include "demo/demo_game.h"

#include <cstdio>

#include "data/system/system_ini_keys.h"
#include "demo/demo_art.h"
#include "demo/demo_sounds.h"
#include "demo/demo_stage.h"
#include "platform/host_files.h"
#include "writers/game_writer.h"
#include "writers/system_ini_writer.h"

namespace {

constexpr const char* kSongPath = "bgm\\Title.mid";
constexpr const char* kSystemIniPath = "System.ini";

bool WriteBytes(const char* programPath, const void* data, std::size_t size) {
  FILE* file = OpenFile(programPath, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

cGameContent DemoContent() {
  cGameContent game;
  game.System.m_strTitle = kDemoGameTitle;
  // The 17 system sounds take turns among the four menu and play effects.
  const char* effects[] = {"se\\cursor.wav", "se\\decide.wav", "se\\cancel.wav", "se\\jump.wav"};
  for (std::size_t i = 0; i < game.System.m_SystemSounds.size(); ++i) game.System.m_SystemSounds[i] = effects[i % 4];
  game.Database.m_Sound[1].m_strName = "Coin";
  game.Database.m_Sound[1].m_strFile = "se\\coin.wav";
  game.Database.m_Bgm[1].m_strName = "Demo song";
  game.Database.m_Bgm[1].m_strFile = kSongPath;
  // The title plays the song; the other scenes keep silent.
  game.System.m_SceneBgm[0] = 1;
  // A windowed Direct3D start, without the start-up dialog.
  game.System.m_IniItems[INIKEY_DIRECT3D].m_nValue = 1;
  game.System.m_IniItems[INIKEY_WINDOW_MODE].m_nValue = 1;
  // The world map's one stage, stage1, is the walk of the first stage.
  const cStagePlan first = DemoFirstStage();
  game.Stages.front().strName = first.strName;
  game.Stages.front().Prepared = BuildPlannedStage(first);
  return game;
}

}  // namespace

int WriteDemoGame() {
  const cGameContent game = DemoContent();
  if (!WriteGame(game)) return 0;
  if (!WriteSystemIni(kSystemIniPath, game.System.m_IniItems)) return 0;
  for (const char* folder : {"bmp", "bmp\\plt", "se", "bgm"})
    if (!MakeDirectory(folder)) return 0;
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
  std::vector<std::string> files = {"data\\System.dat", kCommonPalettePath, kWorldMapPath, GameStagePath("stage1"),
                                    kSystemIniPath, kSongPath};
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) files.push_back(cDatabase::FilePath(kind));
  for (const cDemoPicture& picture : DrawDemoPictures()) files.push_back(picture.lpPath);
  for (const cDemoSound& sound : MakeDemoEffects()) files.push_back(sound.lpPath);
  return files;
}
