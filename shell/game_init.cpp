#include "shell/game_init.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "app/default_data.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "app/path_table.h"
#include "app/report_log.h"
#include "app/system_ini.h"
#include "app/system_report.h"
#include "data/database/database.h"
#include "data/database/frame_tables.h"
#include "data/option/option_data.h"
#include "data/palette/palette.h"
#include "data/record/data_file.h"
#include "data/record/data_record.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/system/font_faces.h"
#include "data/system/system_data.h"
#include "data/system/system_ini_file.h"
#include "data/worldmap/world_map.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/display_report.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "media/input/key_config.h"
#include "media/sound/bgm.h"
#include "media/sound/sound.h"
#include "platform/crt_random.h"
#include "platform/display_window.h"
#include "platform/host_files.h"
#include "platform/win_time.h"
#include "shell/boot_dialog.h"
#include "shell/fps_display.h"
#include "shell/game_mgr.h"
#include "shell/main_wnd.h"
#include "shell/play_services.h"
#include "shell/screen_mode.h"
#include "shell/sound_table.h"
#include "shell/startup_services.h"
#include "shell/window_data.h"

int g_bStartStage = 0;

namespace {

constexpr const char* kSystemIniPath = "System.ini";
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kRefreshRate = 60;

constexpr const char* kTextureErrorText =
    "テクスチャの作成に失敗しました！\nビデオカードの性能が十分ではないかもしれません。\n"
    "System.iniファイルで「Direct3D=0」に変更してDirect3Dを無効にすれば改善される可能性があります。";

// The error-check log is off in the player, so a step that ends the start-up says why in
// the report log and in a box as well: otherwise the program would vanish without a word.
bool FailWithBox(const char* text) {
  WriteReportBox("%s", text);
  return false;
}

// A data file of the game that did not load; `what` follows the path. A file from a newer
// version of the tool says so, as the databases' own boxes do.
bool FailToLoad(const char* path, const char* what) {
  WriteReportBox("%s%s%s", path, what, g_bFileTooNew ? "\nソフトより上位のバージョンのファイルは使用できません。" : "");
  return false;
}

// The game's data, from the folders to the system data.
bool LoadGameData() {
  if (!CreateDefaultData(g_MainWnd.GetHandle()))
    return FailWithBox("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
  // Folders that exist already are no error; one that cannot be made shows up later as the
  // file that cannot be read or written.
  for (const char* folder : g_FolderList) MakeDirectory(folder);

  if (!g_Database.Load()) return FailWithBox("データベースの読み込みに失敗…");
  // The effect runtimes of stage play read working copies of the two effect lists.
  g_Database.m_CharaEffectWork.resize(g_Database.m_CharaEffect.size());
  for (std::size_t i = 0; i < g_Database.m_CharaEffect.size(); ++i)
    g_Database.m_CharaEffectWork[i] = g_Database.m_CharaEffect[i];
  g_Database.m_ScrEffectWork.resize(g_Database.m_ScrEffect.size());
  for (std::size_t i = 0; i < g_Database.m_ScrEffect.size(); ++i)
    g_Database.m_ScrEffectWork[i] = g_Database.m_ScrEffect[i];
  BuildAnimeTables(g_AnimeTables);
  BuildEffectTables(g_EffectTables);
  if (StartupServices().BuildEffectRunTables != nullptr) StartupServices().BuildEffectRunTables();

  const char* systemPath = g_PathTable[PATH_SYSTEM];
  if (!g_SystemData.LoadFromFile(systemPath)) return FailToLoad(systemPath, " の読み込みに失敗…");
  return true;
}

// A command line names the stage to start on, over System.ini's FreeStage. FreeStage holds
// a path of at most 259 bytes; a longer command line names no file the player could open,
// so it is refused, and the start goes to the title as for a stage that is missing.
void TakeCommandLine(const char* cmdLine) {
  if (cmdLine == nullptr || cmdLine[0] == '\0') return;
  const std::size_t length = std::strlen(cmdLine);
  if (length > cSystemIni::kFreeStageMax) {
    WriteReport("コマンドラインのステージのパスが長すぎるため使いません (%zu バイト)", length);
    g_SystemIni.m_strFreeStage.clear();
    return;
  }
  g_SystemIni.m_strFreeStage = cmdLine;
}

// Window, vertical sync and depth, settled in g_SystemIni. False when the mode cannot run (the box has been shown).
bool SettleScreenMode(int& depth) {
  cScreenModeRequest request;
  request.nDirect3D = g_SystemIni.m_nDirect3D;
  request.nWindowMode = g_SystemIni.m_nWindowMode;
  request.nBpp = g_SystemIni.m_nBpp;
  request.nVSync = g_SystemIni.m_nVSync;
  request.nDesktopBpp = DesktopBitsPerPixel();
  request.bVistaOrLater = IsOSVersionAtLeast(6, 0);
  request.nDepthD3D = g_SystemData.m_nDepthD3D;
  request.nDepthDD = g_SystemData.m_nDepthDD;
  request.bFullColor = g_SystemData.m_bFullColor;
  const cScreenMode mode = ChooseScreenMode(request);
  g_bWindow = mode.bWindow;
  g_SystemIni.m_nVSync = mode.nVSync;
  g_SystemIni.m_nBpp = mode.nDepth;
  depth = mode.nDepth;
  if (mode.fault != eScreenModeFault::kNone) return FailWithBox(ScreenModeFaultText(mode.fault));
  if (mode.bThickFrame) g_MainWnd.AddStyle(WS_THICKFRAME);
  if (mode.bNoVideoStretch) g_SystemIni.m_nDDVideoStretch = 0;
  return true;
}

// Direct3D first when asked for; a machine without a working Direct3D device
// goes on with DirectDraw, the window shown before the second attempt.
bool StartDisplay(int depth, int vsync, int cmdShow) {
  const auto init = [&] {
    return DDInit(g_SystemIni.m_nDirect3D != 0 ? 1 : 0, g_hWnd, kScreenWidth, kScreenHeight, depth, vsync, g_bWindow, 1,
                  kRefreshRate, vsync, g_FixedSurface, g_FixedSurfaceDef, kFixedSurfaceCount, 0);
  };
  if (init()) return true;
  if (g_SystemIni.m_nDirect3D != 0) {
    DDEnd();
    g_SystemIni.m_nDirect3D = 0;
    ShowWindow(g_hWnd, g_bWindow ? cmdShow : SW_MAXIMIZE);
    if (init()) return true;
  }
  WriteEC("DDInit失敗");
  return FailWithBox("DDInit失敗\n画面の初期化に失敗しました！\nSystem.iniと画面の設定を見直して下さい！");
}

// A stored client size no window can have (a damaged Window.dat) is not asked for.
constexpr int kMaxClientSize = 16384;

// Where the window was at the last end of a windowed run.
void RestoreWindowPlace(int& cmdShow) {
  if (!g_bWindow || !g_WindowData.LoadFromFile(g_PathTable[PATH_WINDOW])) return;
  g_MainWnd.Move(g_WindowData.m_nX, g_WindowData.m_nY);
  if (lpDTCon != nullptr && g_SystemIni.m_nWindowMode == 2) {
    const int w = g_WindowData.m_nWidth, h = g_WindowData.m_nHeight;
    if (w > 0 && h > 0 && w <= kMaxClientSize && h <= kMaxClientSize)
      g_MainWnd.SetClientSize(w, h);
    else
      WriteReport("%s : ウインドウの大きさ %d x %d は使えません", g_PathTable[PATH_WINDOW], w, h);
  }
  if (g_WindowData.m_bMaximized) cmdShow = SW_MAXIMIZE;
}

// The game palette and the transparent colour.
bool SetUpColours(int depth) {
  const char* palettePicture = g_FixedSurfaceDef[0].szFile;
  if (lpDTCon != nullptr || lpDDPalette != nullptr) {
    if (!DDLoadPaletteFromFile(g_Palette, palettePicture, g_bWindow)) {
      WriteEC("DDLoadPaletteFromFile失敗");
      WriteReportBox("%s の読み込みに失敗しました！\nパレットを読み込めません。", palettePicture);
      return false;
    }
    std::copy(g_Palette, g_Palette + 256, g_DispPalette);
  }
  const auto setTrans = [palettePicture] {
    if (SetTrans(palettePicture)) return true;
    WriteEC("DDSetTransmit失敗");
    WriteReportBox("%s の読み込みに失敗しました！\n透過色を設定できません。", palettePicture);
    return false;
  };
  const cSystemData& sys = g_SystemData;
  if (sys.m_bFullColor == 0) return setTrans();
  if (depth == 16) {
    if (!setTrans()) return false;
    const RGBTRIPLE key{sys.m_byKeyBlue, sys.m_byKeyGreen, sys.m_byKeyRed};
    if (lpDTCon != nullptr) lpDTCon->rgbTransmit16 = key;
    if (lpDDCon != nullptr) lpDDCon->rgbTransmit16 = key;
    return true;
  }
  DDSetTransmit(sys.m_byKeyRed, sys.m_byKeyGreen, sys.m_byKeyBlue);
  return true;
}

// The fixed surfaces, one row at a time so that the report log names the picture that failed (the
// loader's box names it only on the screen).
bool LoadFixedSurfaces() {
  for (int row = 0; row < kFixedSurfaceCount; ++row) {
    if (DDLoadSurfaces(g_FixedSurface, &row, 1)) continue;
    WriteReport("%s の読み込みに失敗！", g_FixedSurfaceDef[row].szFile[0] != '\0' ? g_FixedSurfaceDef[row].szFile : "E");
    return false;
  }
  return true;
}

// The system fonts in the face the game chose, and their digit strips.
bool SetUpFonts() {
  const char* face = SystemFontName(g_SystemData.m_nFontFace);
  const int cache = lpDTCon != nullptr ? g_SystemIni.m_nD3DFontCache : g_SystemIni.m_nDDFontCache;
  for (FONTDESC& desc : g_FontDesc) {
    std::snprintf(desc.szFace, sizeof desc.szFace, "%s", face);
    if (desc.nFast == 2) desc.nFast = cache;
  }
  // Text without its face is no reason to refuse the game: a font that cannot be made
  // draws nothing, and the report log says so.
  if (!InitFonts(g_Font, g_FontDesc, kSystemFontCount)) WriteReport("フォント「%s」を作成できません！", face);
  g_Font[1].m_bIcon = g_SystemData.m_bFontFlag;
  g_Font[1].m_bCenter = g_SystemData.m_nFontMode;
  if (!InitDigitSurfaces(g_FontDigitSurface, g_ExtraSurfaceDef, kSystemFontCount, g_Font, g_FontDesc))
    return FailWithBox("フォントの数字の画像を作成できません！");
  return true;
}

// Input and the player's own files.
void LoadUserSettings() {
  for (cInput& input : g_Input) input.SetDefaultJoyButtons();
  if (!LoadKeyConfig(g_PathTable[PATH_KEY_CONFIG], g_KeyConfig)) SetDefaultKeyConfig(g_KeyConfig);
  // A missing or unusable file leaves the defaults (the record has reported a damaged one).
  g_OptionData.LoadFromFile(kOptionFilePath);
}

// Music and sound effects.
bool StartSound() {
  if (g_OptionData.m_bBgm && !g_Bgm.Init(1, g_szBgmOggName, g_szBgmMidiName, BGMSLOT_NUM))
    WriteReport("BGMの初期化に失敗しました。BGMなしで続けます");
  BuildSoundTables(g_Sound, g_SoundSrc, g_SystemData.m_SystemSounds, g_Database.m_Sound);
  if (!DS_Init(g_hWnd, 22050, 8, 1)) {
    WriteEC("DS_Init失敗！");
    return FailWithBox("DS_Init失敗！\nサウンドを初期化できません！");
  }
  WriteEC("DSCreate");
  DSCreate(&g_Sound, &g_SoundSrc, SoundEffectVolume(g_OptionData.m_nSeLevel));
  return true;
}

// The stage named on the command line or in System.ini. A missing file only
// leaves a report line and the start goes to the title.
bool StartStage() {
  std::string& stage = g_SystemIni.m_strFreeStage;
  if (stage.empty()) return true;
  std::string latest;
  const bool numbered = FindLatestFileStr(latest, stage, g_ExtTable[EXT_STAGE]) != 0;
  if (numbered) stage = latest;
  if (GetFileAttributesA(stage.c_str()) == INVALID_FILE_ATTRIBUTES) {
    WriteReportEC("「%s」の読み込みに失敗しました！", stage.c_str());
    stage.clear();
    return true;
  }
  g_bStartStage = 1;
  bool (*start)(const char*, int) = PlayServices().StartFreeStage;
  if (start == nullptr) start = LoadFreeStage;
  if (!start(stage.c_str(), 1)) {
    // A file without a numbered stage file beside it is refused by the loader without a
    // word; a stage file that fails has been reported by the loader.
    if (numbered)
      WriteReport("「%s」の読み込みに失敗しました！", stage.c_str());
    else
      WriteReportBox("「%s」の読み込みに失敗しました！", stage.c_str());
    return false;
  }
  g_Progress.m_bSeries = 0;
  g_GameMgr.m_nPlayMode = PLAYMODE_FREE;
  g_GameMgr.m_bRanking = 1;
  g_GameMgr.m_nTitleSel = TITLEITEM_FREE;
  g_GameMgr.m_nScene = SCENE_GAME;
  g_GameMgr.m_nPrevScene = SCENE_TITLE;
  return true;
}

bool RunStartUp(const char* cmdLine, int cmdShow) {
  timeBeginPeriod(1);
  CrtSrand(timeGetTime());
  g_nDataVersion = 811;
  g_bStripCR = 1;
  g_bFileTooNew = 0;
  if (StartupServices().InitVarParamTable != nullptr) StartupServices().InitVarParamTable();

  if (!LoadGameData()) return false;

  SetSystemIniDefaults(g_SystemIni, g_SystemData.m_IniItems);
  if (!LoadSystemIni(kSystemIniPath, g_SystemIni, g_SystemData.m_IniItems)) {
    WriteReportBox("System.ini の読み込みに失敗しました！");
    SetSystemIniDefaults(g_SystemIni, g_SystemData.m_IniItems);
  }
  // Cancel ends the start-up without a further word; a dialog that could not run has
  // said why.
  if (!RunBootDialog(&g_MainWnd, nullptr)) return false;
  TakeCommandLine(cmdLine);

  g_GameMgr.m_nFps = 60;
  g_GameMgr.m_nFadeSpeed = 10;
  SetShowFps(g_SystemIni.m_nShowFps);
  for (cInput& input : g_Input) input.SetRepeat(18, 6);

  int depth = 0;
  if (!SettleScreenMode(depth)) return false;

  // Common controls need no set-up on this system.
  g_MainWnd.Setup();
  g_hWnd = g_MainWnd.GetHandle();
  SetWindowTextA(g_hWnd, g_SystemData.m_strTitle.c_str());

  const int vsync = g_SystemIni.m_nVSync != 0 ? 1 : 0;
  if (!StartDisplay(depth, vsync, cmdShow)) return false;
  if (lpDTCon != nullptr) {
    lpDTCon->strError = kTextureErrorText;
    DDSetSurfaceAliases();
  }
  RestoreWindowPlace(cmdShow);
  ShowWindow(g_hWnd, lpDTCon != nullptr || g_bWindow ? cmdShow : SW_MAXIMIZE);
  WriteDisplayReport(1);
  WriteEC("DDInit成功");

  if (!SetUpColours(depth)) return false;
  g_bCopyPresent = 0;
  if (lpDDCon != nullptr)
    g_bCopyPresent = g_bWindow || g_SystemIni.m_nVSync == 0 || DisplayRefreshRate() < g_GameMgr.m_nFps ? 1 : 0;
  if (!LoadFixedSurfaces()) return false;
  if (!SetUpFonts()) return false;
  LoadUserSettings();
  if (depth == 8 && !SetPaletteVariant(g_OptionData.m_nPaletteVariant)) {
    WriteReport("パレットの色の変更に失敗しました！ (%d)", g_OptionData.m_nPaletteVariant);
    return false;
  }
  if (!StartSound()) return false;

  if (!g_WorldMap.LoadFromFile(kWorldMapPath)) return FailToLoad(kWorldMapPath, " のロードに失敗！");
  if (!LoadCommonPalette()) return false;
  return StartStage();
}

}  // namespace

bool GameInit(const char* cmdLine, int cmdShow) {
  try {
    return RunStartUp(cmdLine, cmdShow);
  } catch (const std::bad_alloc&) {
    // Nothing of the start-up throws but the allocation of what a damaged or oversized game
    // asks for; it ends the start-up in order, with the out-of-memory box.
    MemErrMesBox();
    return false;
  }
}
