// Start-up on a game folder: the demo game starts at its title with everything loaded, and
// each broken folder or setting ends the start-up with a box and a report line that say
// why, or goes on as far as it can.
#include "shell/game_init.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/ui/dialog.h"
#include "app/ui/dialog_resources.h"
#include "data/boot/boot_data.h"
#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "data/option/option_data.h"
#include "data/palette/palette.h"
#include "data/record/data_lists.h"
#include "data/record/data_writer.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/system/font_faces.h"
#include "data/system/system_data.h"
#include "data/system/system_ini_keys.h"
#include "data/worldmap/world_map.h"
#include "demo/demo_game.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_state.h"
#include "media/draw/font.h"
#include "media/draw/glyph_ink.h"
#include "media/input/key_config.h"
#include "media/sound/bgm.h"
#include "media/sound/sound.h"
#include "platform/audio_device.h"
#include "platform/dialog_script.h"
#include "platform/display_window.h"
#include "platform/host_files.h"
#include "platform/win_window.h"
#include "shell/boot_dialog.h"
#include "shell/fps_display.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "shell/sound_table.h"
#include "shell/startup_files.h"
#include "shell/play_services.h"
#include "shell/startup_services.h"
#include "shell/window_data.h"
#include "tests/media/draw_test_util.h"
#include "tests/support/box_glyph_source.h"
#include "tests/support/byte_builder.h"
#include "writers/system_ini_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kStagePath = "data\\stg4\\stage1.stg4_811";

// The main window as the entry makes it; its procedure is a quiet one, so that the test
// sees start-up alone.
LRESULT QuietProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

// The start stage as the front end would start it, recorded.
struct cStageStarts {
  std::vector<std::string> paths;
  std::vector<int> findLatest;
  bool result = true;
};
cStageStarts g_Starts;
bool RecordStageStart(const char* path, int findLatest) {
  // As for a stage file named as the first of a series: start-up must clear it.
  g_Progress.m_bSeries = 1;
  g_Starts.paths.push_back(path);
  g_Starts.findLatest.push_back(findLatest);
  return g_Starts.result;
}

class GameInitTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_Root = fs::current_path();
    std::copy(std::begin(g_FontDesc), std::end(g_FontDesc), m_FontDesc);
    SetFontGlyphSource(&m_Glyphs);
    UseNullAudioOutput(true);
    // The demo game once; every run starts from a fresh copy of it.
    fs::create_directory(m_Root / "template");
    fs::current_path(m_Root / "template");
    ForgetDirectoryListings();
    ASSERT_EQ(WriteDemoGame(), 1);
    fs::current_path(m_Root);
  }
  void TearDown() override {
    EndRun();
    SetStartupServices(cStartupServices{});
    SetPlayServices(cPlayServices{});
    SetFontGlyphSource(nullptr);
    UseNullAudioOutput(false);
    unsetenv("SDL_AUDIODRIVER");
    fs::current_path(m_Root);
    ForgetDirectoryListings();
    cTempDirTest::TearDown();
  }

  // A fresh copy of the demo game as the current folder.
  void FreshGame() {
    EndRun();
    fs::current_path(m_Root);
    fs::remove_all(m_Root / "game");
    fs::copy(m_Root / "template", m_Root / "game", fs::copy_options::recursive);
    fs::current_path(m_Root / "game");
    ForgetDirectoryListings();
    // A fresh script: answers given for one run do not carry over to the next.
    m_Script.reset();
    m_Script.emplace();
  }

  // System.ini with the demo's settings, some of them replaced (LF lines, as the demo
  // writes it, so that a text value keeps no CR).
  static void WriteIni(const cIniEntries& changes) {
    cIniEntries entries = {{"Direct3D", "1"}, {"WindowMode", "1"}, {"Bpp", "0"}, {"VSync", "2"}, {"ShowFps", "1"}};
    for (const auto& change : changes) {
      auto at = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == change.first; });
      if (at != entries.end())
        at->second = change.second;
      else
        entries.push_back(change);
    }
    entries.push_back({"Exit", ""});
    std::string text;
    for (const auto& [key, value] : entries) text += key == "Exit" ? "Exit\n" : key + "=" + value + "\n";
    std::ofstream("System.ini", std::ios::binary) << text;
    ForgetDirectoryListings();
  }

  // Runs the start-up as the entry does: report log, hidden main window, GameInit.
  bool Run(const char* cmdLine = "", int cmdShow = 1) {
    ForgetDirectoryListings();
    EXPECT_EQ(OpenReportLog("Report_Game.txt"), 1);
    SetECLog(0, "EC_Game.txt");
    g_MainWnd.SetFrame(640, 480, 640, 480, 640, 480, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                       0, 0, 0, 0, 0);
    EXPECT_EQ(g_MainWnd.Create("", 100, 100, QuietProc), 1);
    return GameInit(cmdLine, cmdShow);
  }

  // The boxes of the run, text by text.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const MessageBoxRecord& box : m_Script->boxes) texts.push_back(box.text);
    return texts;
  }
  cDialogScript& Script() { return *m_Script; }
  bool BoxSays(const std::string& part) const {
    for (const std::string& text : Boxes())
      if (text.find(part) != std::string::npos) return true;
    return false;
  }
  static std::string Report() { return ReadBytes("Report_Game.txt"); }
  static bool ReportSays(const std::string& part) { return Report().find(part) != std::string::npos; }

  // What GameEnd releases, and the globals start-up writes put back as a new process has
  // them.
  void EndRun() {
    DSRelease();
    g_Sound.clear();
    g_SoundSrc.clear();
    g_Bgm.Release();
    g_GameMgr.DeleteAllScenes();
    for (cFont& font : g_Font) font.Release();
    for (DDSURFACEDATA& sd : g_FontDigitSurface) DDReleaseSurface(&sd);
    for (DDSURFACEDATA& sd : g_FixedSurface) DDReleaseSurface(&sd);
    DDEnd();
    if (g_MainWnd.GetHandle() != nullptr) DestroyWindow(g_MainWnd.GetHandle());
    g_MainWnd.Reset();
    g_hWnd = nullptr;
    cHook::Unhook();
    std::copy(std::begin(m_FontDesc), std::end(m_FontDesc), g_FontDesc);
    std::fill(std::begin(g_Palette), std::end(g_Palette), PALETTEENTRY{});
    g_SystemIni = cSystemIni();
    g_BootData = cBootData();
    g_OptionData = cOptionData();
    g_KeyConfig = cKeyConfig();
    g_WindowData = cWindowData();
    g_Database.Reset();
    g_SystemData = cSystemData();
    g_WorldMap = cWorldMap();
    g_CommonPalette = cPalette();
    g_Progress.NewGame();
    g_StageData = cStageData();
    g_GameMgr.m_nScene = g_GameMgr.m_nNextScene = g_GameMgr.m_nPrevScene = SCENE_TITLE;
    g_GameMgr.m_nTitleSel = TITLEITEM_NEWGAME;
    g_GameMgr.m_nPlayMode = 0;
    g_GameMgr.m_bRanking = 0;
    g_GameMgr.m_nFps = 0;
    g_GameMgr.m_nFadeSpeed = 0;
    g_bStartStage = 0;
    g_bCopyPresent = 0;
    g_bWindow = 0;
    SetShowFps(0);
    OverrideDisplayRefreshRate(0);
  }

  cBoxGlyphSource m_Glyphs;

 private:
  fs::path m_Root;
  FONTDESC m_FontDesc[kSystemFontCount];
  std::optional<cDialogScript> m_Script;
};

TEST_F(GameInitTest, TheDemoGameStartsAtItsTitleWithEverythingLoaded) {
  FreshGame();
  ASSERT_TRUE(Run()) << Report();
  EXPECT_TRUE(Boxes().empty());
  // The first frame makes the title scene.
  EXPECT_EQ(g_GameMgr.m_nScene, SCENE_TITLE);
  EXPECT_EQ(g_bStartStage, 0);
  EXPECT_EQ(g_GameMgr.m_nFps, 60);
  EXPECT_EQ(g_GameMgr.m_nFadeSpeed, 10);
  EXPECT_EQ(GetShowFps(), 1);
  // The data: databases with their derived tables, the system data, map and palette.
  EXPECT_EQ(g_Database.m_CharaEffectWork.size(), g_Database.m_CharaEffect.size());
  EXPECT_EQ(g_Database.m_ScrEffectWork.size(), g_Database.m_ScrEffect.size());
  EXPECT_EQ(g_AnimeTables.size(), g_Database.m_Anime.size());
  EXPECT_EQ(g_SystemData.m_strTitle, kDemoGameTitle);
  EXPECT_FALSE(g_WorldMap.m_vWorld.empty());
  // The folders of the folder list exist.
  for (const char* folder : {"user_data", "user_data\\rpl4", "bmp\\hbt", "wave"})
    EXPECT_NE(GetFileAttributesA(folder), INVALID_FILE_ATTRIBUTES) << folder;
  // The windowed Direct3D display under the game's title, the palette and the pictures.
  ASSERT_NE(lpDTCon, nullptr);
  EXPECT_EQ(g_bWindow, 1);
  EXPECT_EQ(g_hWnd, g_MainWnd.GetHandle());
  EXPECT_TRUE(IsWindowVisible(g_hWnd));
  EXPECT_FALSE(lpDTCon->strError.empty());
  EXPECT_EQ(g_SystemIni.m_nBpp, DesktopBitsPerPixel());
  EXPECT_EQ(g_SystemIni.m_nVSync, 1);
  EXPECT_EQ(g_bCopyPresent, 0);
  EXPECT_EQ(g_Palette[0].peRed, 255);
  EXPECT_EQ(g_DispPalette[0].peBlue, 255);
  EXPECT_EQ(g_FixedSurface[47].nWidth, 640);
  EXPECT_EQ(g_FixedSurface[3].lpAlias, &g_FixedSurface[2]);
  // Fonts in the game's face, with their digit strips and the second font's switches.
  for (const FONTDESC& desc : g_FontDesc) EXPECT_STREQ(desc.szFace, SystemFontName(g_SystemData.m_nFontFace));
  EXPECT_GT(g_FontDigitSurface[0].nWidth, 0);
  EXPECT_EQ(g_Font[1].m_bIcon, g_SystemData.m_bFontFlag);
  EXPECT_EQ(g_Font[1].m_bCenter, g_SystemData.m_nFontMode);
  // Input defaults, music and the sound effects: 17 system sounds and the database's.
  EXPECT_EQ(g_KeyConfig.m_nKeyNum, cKeyConfig::kKeyCount);
  // The menus' auto-repeat: a direction held from frame 1 passes on it, then on frames 19,
  // 25 and 31.
  for (const cInput& record : g_Input) {
    cInput held = record;
    std::vector<int> passed;
    for (int frame = 1; frame <= 31; ++frame) {
      held.m_wDir = kDirLeft;
      held.ApplyRepeat();
      if (held.m_wDir & kDirLeft) passed.push_back(frame);
    }
    EXPECT_EQ(passed, (std::vector<int>{1, 19, 25, 31}));
  }
  EXPECT_EQ(g_Bgm.m_bInit, 1);
  ASSERT_EQ(g_Sound.size(), 16 + g_Database.m_Sound.size());
  EXPECT_STREQ(g_SoundSrc[0].szFile, g_SystemData.m_SystemSounds[0].c_str());
  EXPECT_STREQ(g_SoundSrc[17].szFile, "se\\coin.wav");
  for (const cSound& sound : g_Sound) EXPECT_EQ(sound.m_nBufferNum, 1) << sound.m_szFile;
  EXPECT_EQ(DSGetVolume(&g_Sound[0], 0), SE_VOLUME_STEPS[7]);
}

TEST_F(GameInitTest, WithoutASoundServerTheGameStartsSilentlyAndSaysSo) {
  FreshGame();
  UseNullAudioOutput(false);
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  ASSERT_TRUE(Run()) << Report();
  EXPECT_EQ(CurrentAudioOutput(), eAudioOutput::kDummy);
  EXPECT_TRUE(ReportSays("playing silently")) << Report();
  EXPECT_EQ(g_Sound[0].m_nBufferNum, 1);
}

TEST_F(GameInitTest, EachMissingGameFileEndsTheStartUpNamingIt) {
  for (const std::string& file : MandatoryGameFiles()) {
    SCOPED_TRACE(file);
    FreshGame();
    ASSERT_TRUE(fs::remove(HostPath(file))) << HostPath(file);
    EXPECT_FALSE(Run());
    EXPECT_TRUE(BoxSays(file)) << (Boxes().empty() ? "no box" : Boxes().back());
    EXPECT_TRUE(ReportSays(file)) << Report();
  }
}

// A data file whose version word is newer than the player.
void MakeTooNew(const char* programPath) {
  std::fstream file(HostPath(programPath), std::ios::in | std::ios::out | std::ios::binary);
  const std::uint8_t version[4] = {0x2C, 0x03, 0, 0};  // 812
  file.write(reinterpret_cast<const char*>(version), 4);
}

// A database file that holds no entries at all.
void MakeEmptyList(const char* programPath) {
  cDataWriter out;
  out.WriteInt32(811);
  std::vector<cSoundData> none;
  SaveVector(none, out);
  std::ofstream(HostPath(programPath), std::ios::binary)
      .write(reinterpret_cast<const char*>(out.Bytes().data()), static_cast<std::streamsize>(out.Bytes().size()));
}

TEST_F(GameInitTest, BrokenFoldersAndSettingsEndOrGoOnAsTheyMust) {
  struct Case {
    const char* name;
    std::function<void(cDialogScript&)> breakIt;
    bool result;
    std::vector<std::string> boxes;   // parts of the boxes shown, in order
    std::vector<std::string> report;  // parts of the report log
  } const cases[] = {
      {"neither data nor default: nothing is asked",
       [](cDialogScript&) { fs::remove_all("data"); },
       false,
       {"「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"},
       {"「data」フォルダの作成に失敗…"}},
      {"default only, answered Yes: data is made from it",
       [](cDialogScript& s) {
         fs::rename("data", "default");
         s.AddBoxAnswer("デフォルトデータ作成の確認", "", IDYES);
       },
       true,
       {"データが存在しません！デフォルトデータを作成しますか？"},
       {}},
      {"default only, answered No",
       [](cDialogScript& s) {
         fs::rename("data", "default");
         s.AddBoxAnswer("デフォルトデータ作成の確認", "", IDNO);
       },
       false,
       {"データが存在しません！", "「data」フォルダの作成に失敗…"},
       {"「data」フォルダの作成に失敗…"}},
      {"a database without entries",
       [](cDialogScript&) { MakeEmptyList("data\\database\\Sound.dat"); },
       false,
       {"data\\database\\Sound.dat の読み込みに失敗しました！", "データベースの読み込みに失敗…"},
       {"データベースの読み込みに失敗…"}},
      {"System.dat newer than the player",
       [](cDialogScript&) { MakeTooNew("data\\System.dat"); },
       false,
       {"data\\System.dat の読み込みに失敗…\nソフトより上位のバージョンのファイルは使用できません。"},
       {"data\\System.dat の読み込みに失敗…"}},
      {"a database newer than the player",
       [](cDialogScript&) { MakeTooNew("data\\database\\Bgm.dat"); },
       false,
       {"ソフトより上位のバージョン", "データベースの読み込みに失敗…"},
       {"data\\database\\Bgm.dat"}},
      {"the world map newer than the player",
       [](cDialogScript&) { MakeTooNew("data\\WorldMap.dat"); },
       false,
       {"data\\WorldMap.dat のロードに失敗！\nソフトより上位のバージョンのファイルは使用できません。"},
       {"data\\WorldMap.dat のロードに失敗！"}},
      {"System.ini without its Exit line: defaults, and on",
       [](cDialogScript&) { std::ofstream("System.ini", std::ios::binary) << "Direct3D=0\nWindowMode=1\n"; },
       true,
       {"System.ini の読み込みに失敗しました！"},
       {"System.ini の読み込みに失敗しました！"}},
      {"no System.ini: defaults, and on",
       [](cDialogScript&) { fs::remove("System.ini"); },
       true,
       {"System.ini の読み込みに失敗しました！"},
       {}},
      {"a windowed depth that is not the desktop's",
       [](cDialogScript&) { WriteIni({{"Bpp", "16"}}); },
       false,
       {"画面モードが不正です！\nウインドウモードではSystem.iniの設定と画面の色の設定を合わせて下さい！"},
       {"画面モードが不正です！"}},
      {"8 bits in a window",
       [](cDialogScript&) { WriteIni({{"Direct3D", "0"}, {"Bpp", "8"}}); },
       false,
       {"画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"},
       {"画面モードが不正です！"}},
      {"8 bits without the colour variant's blend table",
       [](cDialogScript&) {
         WriteIni({{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "8"}});
         fs::remove("bmp/hbt/hbt00.dat");
       },
       false,
       {"bmp\\hbt\\hbt00.dat の読み込みに失敗！"},
       {"パレットの色の変更に失敗しました！"}},
      {"Direct3D 2: the dialog cancelled ends without a box",
       [](cDialogScript& s) {
         WriteIni({{"Direct3D", "2"}});
         s.AddDialog(IDD_BOOT, {DialogAction::Click(IDC_BOOT_CANCEL)});
       },
       false,
       {},
       {}},
      {"fonts whose face cannot be opened go on without a box",
       [](cDialogScript&) {},  // set below: the box glyph source refuses the game's face
       true,
       {},
       {"フォント「"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    c.breakIt(Script());
    m_Glyphs.strMissingFace = std::string(c.name).starts_with("fonts") ? SystemFontName(kDefaultFontFace) : "missing";
    EXPECT_EQ(Run(), c.result) << Report();
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), c.boxes.size()) << (boxes.empty() ? "" : boxes.back());
    for (std::size_t i = 0; i < boxes.size(); ++i) EXPECT_NE(boxes[i].find(c.boxes[i]), std::string::npos) << boxes[i];
    for (const std::string& line : c.report) EXPECT_TRUE(ReportSays(line)) << line << "\n" << Report();
  }
}

TEST_F(GameInitTest, TheDrawingModeComesFromSystemIniOrTheBootRecord) {
  struct Case {
    const char* name;
    cIniEntries ini;
    std::optional<std::vector<std::uint8_t>> bootFile;
    std::optional<std::vector<DialogAction>> dialog;
    bool direct3D;
    int window;
    int copyPresent;
    int refreshRate;  // 0: the display's own
    int videoStretch;
  } const cases[] = {
      {"DirectDraw window copies its frames", {{"Direct3D", "0"}, {"DD_VideoStretch", "1"}}, {}, {}, false, 1, 1, 0, 1},
      {"Direct3D 2, do not ask: the stored DirectDraw",
       {{"Direct3D", "2"}},
       cByteBuilder().I32(811).I32(2).I32(0).I32(1).I32(0).Get(),
       {},
       false,
       1,
       1,
       0,
       0},
      {"Direct3D 2, Direct3D picked in the dialog",
       {{"Direct3D", "2"}},
       {},
       std::vector<DialogAction>{DialogAction::Click(IDC_BOOT_DIRECT3D), DialogAction::Click(IDC_BOOT_START)},
       true,
       1,
       0,
       0,
       0},
      {"full-screen DirectDraw at 8 bits: no stretching, flips at 60 Hz",
       {{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "8"}, {"VSync", "1"}, {"DD_VideoStretch", "1"}},
       {},
       {},
       false,
       0,
       0,
       60,
       0},
      {"full-screen DirectDraw copies when the monitor is slower than the game",
       {{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "16"}, {"VSync", "1"}},
       {},
       {},
       false,
       0,
       1,
       50,
       0},
      {"full-screen DirectDraw, automatic sync is off: copies",
       {{"Direct3D", "0"}, {"WindowMode", "0"}, {"Bpp", "32"}, {"VSync", "2"}},
       {},
       {},
       false,
       0,
       1,
       60,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    WriteIni(c.ini);
    fs::create_directories("user_data");
    fs::create_directories("bmp/hbt");
    if (c.bootFile) WriteTestFile("user_data/Boot.dat", *c.bootFile);
    if (c.dialog) Script().AddDialog(IDD_BOOT, *c.dialog);
    // The 8-bit palette variant reads its blend table.
    WriteTestFile("bmp/hbt/hbt00.dat", std::vector<std::uint8_t>(65536, 0));
    OverrideDisplayRefreshRate(c.refreshRate);
    ASSERT_TRUE(Run()) << Report();
    EXPECT_TRUE(Boxes().empty()) << Boxes().front();
    EXPECT_EQ(lpDTCon != nullptr, c.direct3D);
    EXPECT_EQ(lpDDCon != nullptr, !c.direct3D);
    EXPECT_EQ(g_SystemIni.m_nDirect3D, c.direct3D ? 1 : 0);
    EXPECT_EQ(g_bWindow, c.window);
    EXPECT_EQ(g_bCopyPresent, c.copyPresent);
    EXPECT_EQ(g_SystemIni.m_nDDVideoStretch, c.videoStretch);
    EXPECT_NE(g_Palette[0].peRed, 0);  // the key magenta, in the display's channel width
  }
}

TEST_F(GameInitTest, TheStageToStartOnIsTakenOrLeftForTheTitle) {
  const std::string tooLong = "data\\stg4\\" + std::string(250, 'x') + ".stg4_811";
  struct Case {
    const char* name;
    std::string cmdLine;
    std::string freeStage;  // in System.ini
    bool started;
    std::string startedPath;
    std::string report;
  } const cases[] = {
      {"the command line's stage", kStagePath, "", true, kStagePath, ""},
      {"a stage name finds its newest file", "data\\stg4\\stage1.stg4", "", true, kStagePath, ""},
      {"FreeStage of System.ini", "", "data\\stg4\\stage1.stg4", true, kStagePath, ""},
      {"a missing stage starts at the title", "data\\stg4\\none.stg4_811", "", false, "",
       "「data\\stg4\\none.stg4_811」の読み込みに失敗しました！"},
      {"the command line wins over FreeStage even when it is missing", "data\\stg4\\none.stg4_811",
       "data\\stg4\\stage1.stg4", false, "", "「data\\stg4\\none.stg4_811」の読み込みに失敗しました！"},
      {"a command line too long for a path is refused", tooLong, "data\\stg4\\stage1.stg4", false, "",
       "コマンドラインのステージのパスが長すぎるため使いません"},
  };
  cPlayServices services;
  services.StartFreeStage = RecordStageStart;
  SetPlayServices(services);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    if (!c.freeStage.empty()) WriteIni({{"FreeStage", c.freeStage}});
    g_Starts = cStageStarts{};
    ASSERT_TRUE(Run(c.cmdLine.c_str())) << Report();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(g_bStartStage, c.started ? 1 : 0);
    if (c.started) {
      EXPECT_EQ(g_Starts.paths, std::vector<std::string>{c.startedPath});
      EXPECT_EQ(g_Starts.findLatest, std::vector<int>{1});
      EXPECT_EQ(g_GameMgr.m_nScene, SCENE_GAME);
      EXPECT_EQ(g_GameMgr.m_nPrevScene, SCENE_TITLE);
      EXPECT_EQ(g_GameMgr.m_nPlayMode, PLAYMODE_FREE);
      EXPECT_EQ(g_GameMgr.m_nTitleSel, TITLEITEM_FREE);
      EXPECT_EQ(g_GameMgr.m_bRanking, 1);
      EXPECT_EQ(g_Progress.m_bSeries, 0);
    } else {
      EXPECT_TRUE(g_Starts.paths.empty());
      EXPECT_EQ(g_GameMgr.m_nScene, SCENE_TITLE);
      EXPECT_EQ(g_SystemIni.m_strFreeStage, "");
      EXPECT_TRUE(ReportSays(c.report)) << Report();
    }
  }
}

bool RunOutOfMemory(const char*, int) { throw std::bad_alloc(); }

TEST_F(GameInitTest, AStageThatCannotStartEndsTheStartUp) {
  const std::string stageFailed = std::string("「") + kStagePath + "」の読み込みに失敗しました！";
  struct Case {
    const char* name;
    const char* cmdLine;
    bool (*start)(const char*, int);  // null: the stage loader alone
    std::string box;                  // "": none of start-up's own
    std::string report;
  } const cases[] = {
      {"the stage loader refuses a stage file", kStagePath, RecordStageStart, "", stageFailed},
      // The loader finds no numbered stage file beside it and says nothing of its own.
      {"a file that is no stage file", "data\\System.dat", nullptr, "「data\\System.dat」の読み込みに失敗しました！",
       "「data\\System.dat」の読み込みに失敗しました！"},
      {"memory runs out", kStagePath, RunOutOfMemory, "メモリが不足しています！", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    cPlayServices services;
    services.StartFreeStage = c.start;
    SetPlayServices(services);
    g_Starts = cStageStarts{};
    g_Starts.result = false;
    EXPECT_FALSE(Run(c.cmdLine));
    if (c.box.empty()) {
      EXPECT_TRUE(Boxes().empty()) << Boxes().front();
    } else {
      EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
    }
    EXPECT_TRUE(ReportSays(c.report)) << Report();
  }
}

TEST_F(GameInitTest, WithoutTheFrontEndTheStageLoaderStartsTheStage) {
  FreshGame();
  ASSERT_TRUE(Run(kStagePath)) << Report();
  EXPECT_EQ(g_StageData.m_bLoaded, 1);
  EXPECT_EQ(g_StageData.m_strPath, kStagePath);
  EXPECT_EQ(g_GameMgr.m_nScene, SCENE_GAME);
}

TEST_F(GameInitTest, TheOptionsDecideMusicAndTheSoundLevel) {
  struct Case {
    const char* name;
    int bgm;
    int seLevel;
    int musicInit;
    LONG volume;
    bool reported;
  } const cases[] = {
      {"music on, level 3", 1, 3, 1, SE_VOLUME_STEPS[3], false},
      {"music off: the manager is never set up", 0, 10, 0, 0, false},
      {"a level above 10 plays at full volume", 1, 57, 1, 0, true},
      {"a level below 0 is silent", 1, -4, 1, -10000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    fs::create_directories("user_data");
    cOptionData options;
    options.m_bBgm = c.bgm;
    options.m_nSeLevel = c.seLevel;
    ASSERT_EQ(options.SaveToFile(kOptionFilePath), 1);
    ASSERT_TRUE(Run()) << Report();
    EXPECT_EQ(g_Bgm.m_bInit, c.musicInit);
    for (std::size_t i = 0; i < g_Sound.size(); ++i) EXPECT_EQ(DSGetVolume(&g_Sound[i], 0), c.volume) << i;
    EXPECT_EQ(ReportSays("効果音の音量"), c.reported) << Report();
  }
}

TEST_F(GameInitTest, AWindowedRunOpensWhereTheLastOneEnded) {
  struct Case {
    const char* name;
    const char* windowMode;
    int storedW, storedH;
    int clientW, clientH;
    bool reported;
  } const cases[] = {
      {"a resizable window takes the stored size", "2", 800, 600, 800, 600, false},
      {"a fixed window keeps its size", "1", 800, 600, 640, 480, false},
      {"a damaged size is not asked for", "2", -5, 100000, 640, 480, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshGame();
    WriteIni({{"WindowMode", c.windowMode}});
    fs::create_directories("user_data");
    cWindowData stored;
    stored.Set(200, 150, c.storedW, c.storedH, 0);
    ASSERT_EQ(stored.SaveToFile("user_data\\Window.dat"), 1);
    ASSERT_TRUE(Run()) << Report();
    POINT place{};
    g_MainWnd.GetPos(place);
    EXPECT_EQ(place.x, 200);
    EXPECT_EQ(place.y, 150);
    RECT client{};
    GetClientRect(g_hWnd, &client);
    EXPECT_EQ(client.right - client.left, c.clientW);
    EXPECT_EQ(client.bottom - client.top, c.clientH);
    EXPECT_EQ(ReportSays("ウインドウの大きさ"), c.reported) << Report();
  }
}

TEST(SoundTableTest, SystemSoundsFirstThenTheDatabase) {
  struct Case {
    const char* name;
    std::size_t systemSounds;
    std::size_t databaseEntries;
    std::size_t size;
  } const cases[] = {
      {"17 system sounds and 3 database entries", 17, 3, 19},
      {"a database of the none entry alone", 17, 1, 17},
      {"a damaged system record with too few sounds", 5, 2, 18},
      {"a damaged system record with too many sounds", 40, 2, 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> system;
    for (std::size_t i = 0; i < c.systemSounds; ++i) system.push_back("se\\s" + std::to_string(i) + ".wav");
    std::vector<cSoundData> database(c.databaseEntries);
    for (std::size_t k = 0; k < database.size(); ++k) database[k].m_strFile = "se\\d" + std::to_string(k) + ".wav";
    std::vector<cSound> sounds(30);
    std::vector<SOUNDSRC> sources(30);
    BuildSoundTables(sounds, sources, system, database);
    ASSERT_EQ(sounds.size(), c.size);
    ASSERT_EQ(sources.size(), c.size);
    for (std::size_t i = 0; i < c.size; ++i) {
      std::string expected;
      if (i < 17 && i < c.systemSounds) expected = system[i];
      if (i >= 17) expected = database[i - 16].m_strFile;
      EXPECT_EQ(sources[i].szFile, expected) << i;
      EXPECT_EQ(sources[i].nNum, expected.empty() ? 0 : 1) << i;
      EXPECT_EQ(sources[i].nVolume, 0) << i;
    }
  }
}

}  // namespace
