// Writes the seed inputs of every fuzz target, made by the game's own writers and the test
// writers: the files of the seed game, a replay recorded from its first stage, and sounds,
// songs, pictures and key configurations, each into the folder of the target that reads it.
//   fuzz_seeds <folder>   makes <folder>/<target>/<file> for every target

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/boot/boot_data.h"
#include "data/database/database.h"
#include "data/option/option_data.h"
#include "data/save/slot_list.h"
#include "data/stage/stage_load.h"
#include "demo/demo_game.h"
#include "fuzz/play_input.h"
#include "fuzz/replay_body.h"
#include "fuzz/seed_game.h"
#include "media/input/key_config.h"
#include "platform/host_files.h"
#include "writers/bmp_writer.h"
#include "writers/byte_builder.h"
#include "writers/midi_builder.h"
#include "writers/system_ini_writer.h"
#include "writers/wave_builder.h"

namespace {

namespace fs = std::filesystem;

// "data\database\Sound.dat" -> "data/database/Sound.dat".
std::string HostPathOf(const std::string& programPath) {
  std::string path = programPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

void Copy(const fs::path& game, const std::string& programPath, const fs::path& folder) {
  const fs::path from = game / HostPathOf(programPath);
  fs::create_directories(folder);
  fs::copy_file(from, folder / from.filename(), fs::copy_options::overwrite_existing);
}

void Write(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(folder);
  WriteTestFile((folder / name).string(), bytes);
}

std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// The default configuration, and one with a joystick, as the authoring tool writes them.
void WriteKeyConfigSeeds(const fs::path& folder) {
  cKeyConfig config{};
  SetDefaultKeyConfig(config);
  for (int variant = 0; variant < 2; ++variant) {
    if (variant == 1) {
      config.m_Key[4].nDevice = 0;
      config.m_Key[4].wCode = 0x0001;
      config.m_Key[0].nDevice = 0;
      config.m_Key[0].wCode = JOYSTICK_LEFT;
      config.m_nKeyNum = 8;
      config.m_nJoyNum = 2;
      config.m_bUse = 1;
    }
    cByteBuilder b;
    for (const cKeyConfig::Key& key : config.m_Key) b.I32(key.nDevice).U16(key.wCode).U16(key.wReserved);
    b.I32(config.m_nKeyNum).I32(config.m_nJoyNum).I32(config.m_bUse);
    Write(folder, "KeyConfig" + std::to_string(variant) + ".dat", b.Get());
  }
}

void WriteWaveSeeds(const fs::path& folder) {
  cWaveLayout mono8;
  mono8.vSamples = {0x80, 0x90, 0xA0, 0x70, 0x60, 0x80};
  Write(folder, "mono8.wav", BuildWave(mono8));
  cWaveLayout stereo16;
  stereo16.nChannels = 2;
  stereo16.nBits = 16;
  stereo16.nRate = 44100;
  stereo16.nFmtSize = 18;
  stereo16.bExtraChunk = true;
  stereo16.vSamples = Pcm16Bytes({0, 1000, -1000, 32767, -32768, 5, 7, -7});
  Write(folder, "stereo16.wav", BuildWave(stereo16));
}

void WriteMidiSeeds(const fs::path& folder) {
  cMidiLayout single;
  single.nFormat = 0;
  single.vTracks.emplace_back().Tempo(0, 500000).NoteOn(0, 0, 60, 100).Raw(240, {64, 0}).NoteOn(0, 0, 62, 90).End(240);
  Write(folder, "format0.mid", BuildMidi(single));
  cMidiLayout layered;
  layered.vTracks.emplace_back().Tempo(0, 400000).Meta(0, 0x03, {'s', 'o', 'n', 'g'}).End(960);
  layered.vTracks.emplace_back()
      .Raw(0, {0xC1, 5})
      .NoteOn(10, 1, 48, 80)
      .SysEx(20, {0x7E, 0x7F, 0x09, 0x01, 0xF7})
      .Raw(100, {0x81, 48, 0})
      .End(0);
  Write(folder, "format1.mid", BuildMidi(layered));
}

void WriteBitmapSeeds(const fs::path& folder) {
  const std::vector<std::uint32_t> palette = {0xFF00FF, 0x000000, 0xFFFFFF, 0x3060C0};
  Write(folder, "indexed.bmp", BytesOf(MakeBmp8(5, 3, palette, {0, 1, 2, 3, 1, 2, 3, 0, 1, 2, 3, 3, 2, 1, 0})));
  const std::vector<std::uint32_t> pixels = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0xFF0000};
  Write(folder, "true24.bmp", BytesOf(MakeBmp24(3, 2, pixels)));
  Write(folder, "true32.bmp", BytesOf(MakeBmp32(2, 3, pixels, true)));
}

// A replay of the first stage, recorded as stage play records one.
void WriteReplaySeed(const fs::path& game, const fs::path& folder) {
  const fs::path previous = fs::current_path();
  fs::current_path(game);
  const bool loaded = LoadStageForPlay(GameStagePath("stage1").c_str(), 0, &g_StageDataOrg) != 0;
  fs::current_path(previous);
  if (!loaded) {
    std::fprintf(stderr, "the seed stage does not load for play\n");
    std::exit(1);
  }
  cProgress progress;
  Write(folder, "replay.rpl4_811", ReplayBytes(g_StageData, g_StageDataOrg, progress));
}

std::vector<std::uint8_t> ReadGameFile(const fs::path& game, const std::string& programPath) {
  return ReadTestFile((game / HostPathOf(programPath)).string());
}

// The inputs of the targets that play, from the demo game written into `demo`: each of its
// stages with its own System.dat and with the one the game has, under a script that waits
// out the start and walks and jumps; the front end with the demo's files and the seed
// game's saves (`game`), and with every file kept, under scripts that start a new game,
// walk the map and open the menus.
void WritePlaySeeds(const fs::path& demo, const fs::path& game, const fs::path& out) {
  using fuzz::cScriptLine;
  const std::vector<cScriptLine> walk = {{40, 0, 0}, {80, 2, 0}, {3, 2, 1}, {30, 2, 0}, {3, 0, 1}, {40, 1, 2}};
  const std::vector<std::uint8_t> system = ReadGameFile(demo, "data\\System.dat");
  int n = 0;
  for (const cGameStage& stage : DemoGameContent().Stages) {
    const std::vector<std::uint8_t> bytes = ReadGameFile(demo, GameStagePath(stage.strName));
    Write(out / "play", "stage" + std::to_string(n) + ".in", fuzz::JoinPlayInput(walk, {system, bytes}));
    Write(out / "play", "stage" + std::to_string(n) + "-kept-system.in", fuzz::JoinPlayInput(walk, {{}, bytes}));
    ++n;
  }
  // Title: a new game, then the map: a walk, the map menu, back.
  const std::vector<cScriptLine> newGame = {{30, 0, 0}, {2, 0, 1}, {60, 0, 0}, {40, 2, 0}, {2, 0, 2}, {20, 0, 0},
                                            {2, 8, 0},  {2, 0, 1}, {30, 0, 0}, {2, 0, 1}, {60, 0, 0}};
  // Title: down to continue and the slot list, then to the challenge list.
  const std::vector<cScriptLine> menus = {{30, 0, 0}, {2, 8, 0}, {2, 0, 0}, {2, 0, 1}, {30, 0, 0}, {2, 0, 1},
                                          {60, 0, 0}, {2, 0, 2}, {30, 0, 0}, {2, 8, 0}, {2, 0, 1}, {60, 0, 0}};
  char story[MAX_PATH];
  GetStoryFileName(story, 0);
  const std::vector<std::vector<std::uint8_t>> files = {system, ReadGameFile(demo, kWorldMapPath),
                                                        ReadGameFile(game, story),
                                                        ReadGameFile(game, kChallengeFilePath)};
  Write(out / "front_end", "new-game.in", fuzz::JoinPlayInput(newGame, files));
  Write(out / "front_end", "menus.in", fuzz::JoinPlayInput(menus, files));
  Write(out / "front_end", "new-game-kept.in", fuzz::JoinPlayInput(newGame, {}));
}

}  // namespace

#ifdef TOVREL_FUZZ_AFL
// Built beside the instrumented targets, with the same instrumentation: nothing to count.
extern "C" [[gnu::no_sanitize_coverage]] void __sanitizer_cov_trace_pc() {}
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  const fs::path out = fs::absolute(argv[1]);
  // Beside the seeds, so that two builds making seeds at once never share it.
  const fs::path game = out.string() + ".game";
  fs::create_directories(game);
  const fs::path previous = fs::current_path();
  fs::current_path(game);
  WriteAndLoadSeedGame();
  // The machine-side files beside the game: settings with a comment and a start stage,
  // and the start-up choice of a player who picked DirectDraw and the dialog no more.
  const bool written =
      WriteSystemIniLines("System.ini", {{"Direct3D", "2"}, {"WindowMode", "1 // window"}, {"Bpp", "16"},
                                    {"VSync", "2"}, {"ShowFps", "0"}, {"English", "1"},
                                    {"FreeStage", "data\\stg4\\flows.stg4_811"}}) &&
      MakeDirectory("user_data") && [] {
        cBootData boot;
        boot.m_nDrawMode = BOOTDRAW_DIRECTDRAW;
        boot.m_bNoAsk = 1;
        return boot.SaveToFile(kBootFilePath) == 1;
      }();
  // The demo game beside it, for the targets that play.
  const fs::path demo = out.string() + ".demo";
  fs::create_directories(demo);
  fs::current_path(demo);
  ForgetDirectoryListings();
  const bool demoWritten = WriteDemoGame() == 1;
  fs::current_path(previous);
  ForgetDirectoryListings();
  if (!demoWritten) {
    std::fprintf(stderr, "the demo game cannot be written\n");
    return 1;
  }
  if (!written) {
    std::fprintf(stderr, "System.ini or Boot.dat cannot be written\n");
    return 1;
  }

  for (const cGameStage& stage : SeedGame().Stages) Copy(game, GameStagePath(stage.strName), out / "stage");
  Copy(game, "data\\System.dat", out / "system_data");
  Copy(game, kCommonPalettePath, out / "common_palette");
  Copy(game, "System.ini", out / "system_ini");
  Copy(game, kBootFilePath, out / "boot_data");
  for (int kind = 0; kind < DBKIND_COUNT; ++kind) {
    const fs::path file = HostPathOf(cDatabase::FilePath(kind));
    Copy(game, cDatabase::FilePath(kind), out / ("database_" + file.stem().string()));
  }
  Copy(game, kWorldMapPath, out / "world_map");
  Copy(game, kOptionFilePath, out / "option");
  char story[MAX_PATH];
  GetStoryFileName(story, 0);
  Copy(game, story, out / "save_story");
  Copy(game, kChallengeFilePath, out / "save_challenge");
  // Stage play loads stages and replays alike.
  for (const cGameStage& stage : SeedGame().Stages) Copy(game, GameStagePath(stage.strName), out / "stage_for_play");
  WriteReplaySeed(game, out / "stage_for_play");
  WriteReplaySeed(game, out / "replay");
  WriteKeyConfigSeeds(out / "key_config");
  WriteWaveSeeds(out / "wave");
  WriteMidiSeeds(out / "midi");
  WriteBitmapSeeds(out / "bitmap");
  WritePlaySeeds(demo, game, out);
  fs::remove_all(demo);
  fs::remove_all(game);
  std::printf("seeds written to %s\n", out.c_str());
  return 0;
}
