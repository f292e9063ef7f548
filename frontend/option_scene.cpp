#include "frontend/option_scene.h"

#include <algorithm>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "data/system/system_data.h"
#include "frontend/front_scene_steps.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "media/sound/bgm.h"
#include "media/sound/sound.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/menu_cursor.h"
#include "stage/ranking_text.h"
#include "stage/sub_loops.h"

namespace {

constexpr int kWindowRow = 45;     // "bmp\Window.bmp"
constexpr int kAccessoryRow = 49;  // "bmp\Accessory.bmp": cursor sprites
constexpr int kOptionRows[] = {kAccessoryRow, kWindowRow};
constexpr int kOptionRowCount = 2;
constexpr int kOptionBgmSlot = 3;

constexpr int kItemCursorX = 48;
constexpr int kItemY = 96;
constexpr int kRowHeight = 16;
constexpr int kLabelX = 64;
constexpr int kValueX = 208;
constexpr int kValueCursorX = 192;
constexpr int kHeadingY = 32;
constexpr int kHeadingCentreX = 320;
constexpr int kLargeCharWidth = 32;
constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;
constexpr DWORD kClearColour = 16;

constexpr int kPaletteVariants = 24;
constexpr int kSeLevels = static_cast<int>(SE_VOLUME_STEPS.size());
constexpr int kRankModes = 4;

DDSURFACEDATA* Fixed(int row) { return &g_FixedSurface[row]; }

// A text of a System data list, "" past its end: the lists come from the game's file and
// may be shorter than the player's tables.
const std::string& ListText(const std::vector<std::string>& list, int n) {
  static const std::string empty;
  return n >= 0 && static_cast<std::size_t>(n) < list.size() ? list[static_cast<std::size_t>(n)] : empty;
}
const std::string& MenuLabel(const std::vector<cCmdItem>& menu, int n) {
  static const std::string empty;
  return n >= 0 && static_cast<std::size_t>(n) < menu.size() ? menu[static_cast<std::size_t>(n)].m_strLabel : empty;
}

void DrawCursor(int x, int y, int sx) { DDBlt(&g_BackBuffer, x, y, 16, 16, Fixed(kAccessoryRow), sx, 0, 1); }

}  // namespace

cOptionRange OptionRange(int nItem) {
  switch (nItem) {
    case OPTITEM_PALETTE:
      return {0, kPaletteVariants - 1};
    case OPTITEM_BGM:
      return {0, 1};
    case OPTITEM_SEVOLUME:
      return {0, kSeLevels - 1};
    case OPTITEM_RANKMODE:
      return {0, kRankModes - 1};
    default:
      return {0, 0};
  }
}

std::int32_t* OptionField(cOptionData& option, int nItem) {
  switch (nItem) {
    case OPTITEM_PALETTE:
      return &option.m_nPaletteVariant;
    case OPTITEM_BGM:
      return &option.m_bBgm;
    case OPTITEM_SEVOLUME:
      return &option.m_nSeLevel;
    case OPTITEM_RANKMODE:
      return &option.m_nRankRegMode;
    default:
      return nullptr;
  }
}

void ClampOptionValues(cOptionData& option) {
  for (int item = OPTITEM_PALETTE; item <= OPTITEM_RANKMODE; ++item) {
    std::int32_t* value = OptionField(option, item);
    const cOptionRange range = OptionRange(item);
    if (*value < range.nMin || *value > range.nMax) {
      WriteReport("オプションの値 %d (項目 %d) は範囲外のため直します", *value, item);
      *value = std::clamp(*value, range.nMin, range.nMax);
    }
  }
}

int CollectOptionItems(const std::vector<cCmdItem>& menu, std::array<std::int32_t, OPTITEM_COUNT>& items) {
  int n = 0;
  for (std::size_t i = 0; i < menu.size() && n < OPTITEM_COUNT; ++i) {
    if (menu[i].m_bEnabled != 0) items[static_cast<std::size_t>(n++)] = static_cast<std::int32_t>(i);
  }
  if (n == 0) {
    items[0] = 0;
    n = 1;
  }
  return n;
}

std::string OptionValueText(const cOptionData& option, int nItem) {
  std::string text;
  switch (nItem) {
    case OPTITEM_PALETTE:
      IntToStr(text, option.m_nPaletteVariant, 0, 0, 0);
      break;
    case OPTITEM_BGM:
      text = option.m_bBgm != 0 ? "ON" : "OFF";
      break;
    case OPTITEM_SEVOLUME:
      IntToStr(text, option.m_nSeLevel, 0, 0, 0);
      break;
    case OPTITEM_RANKMODE:
      text = ListText(g_SystemData.m_RankRegLabels, option.m_nRankRegMode);
      break;
    case OPTITEM_RANKNAME:
      text = option.m_strRankName;
      break;
    default:
      break;
  }
  return text;
}

cSceneOption::cSceneOption()
    : m_pfnState{&cSceneOption::FadeIn, &cSceneOption::Menu, &cSceneOption::FadeOut} {
  m_nState = -1;
  g_RestoreGroups.lpMenuWork = &m_vWork;
}

cSceneOption::~cSceneOption() {
  ReleaseFrontSurfaces(kOptionRows, kOptionRowCount);
  DDReleaseSurfaceVector(&m_vWork);
  if (g_RestoreGroups.lpMenuWork == &m_vWork) g_RestoreGroups.lpMenuWork = nullptr;
}

void cSceneOption::Run() { RunFrontScene(*this, m_pfnState, kMenuButtons); }

void cSceneOption::Init() {
  RequestSceneBgm(kOptionBgmSlot);
  LoadFrontSurfaces(kOptionRows, kOptionRowCount);
  g_MenuCursor.Reset();
  // The values index tables (labels, volume steps, colour variants): a damaged option
  // file must not take them past their ends.
  ClampOptionValues(g_OptionData);
  m_nItemCount = CollectOptionItems(g_SystemData.m_OptionMenu, m_anItem);
  CreateMenu();
  m_nSubState = MENU_START;
}

void cSceneOption::CreateMenu() {
  DDReleaseSurfaceVector(&m_vWork);
  m_vWorkDef.clear();
  if (!DDAddSurface(&m_vWork, &m_vWorkDef, 640, 480, 0, 0, 0, 0)) {
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return;
  }
  DrawMenu(&m_vWork.back());
}

void cSceneOption::DrawMenu(DDSURFACEDATA* lpDst) {
  g_Font[2].DrawWindow(lpDst, 1, 1, 638, 478);
  const std::string& heading = MenuLabel(g_SystemData.m_TitleMenu, TITLEITEM_OPTION);
  g_Font[2].DrawText(lpDst, kHeadingCentreX - GetStrCharNum(heading.c_str()) * kLargeCharWidth / 2, kHeadingY,
                     heading.c_str());
  for (int i = 0; i < m_nItemCount; ++i) {
    const int item = m_anItem[static_cast<std::size_t>(i)];
    const int y = kItemY + kRowHeight * i;
    g_Font[1].DrawText(lpDst, kLabelX, y, MenuLabel(g_SystemData.m_OptionMenu, item).c_str());
    g_Font[1].DrawText(lpDst, kValueX, y, OptionValueText(g_OptionData, item).c_str());
  }
}

void cSceneOption::Redraw() {
  if (!m_vWork.empty()) DrawMenu(&m_vWork.back());
}

void cSceneOption::Draw() {
  if (!m_vWork.empty()) {
    DDSURFACEDATA& work = m_vWork.back();
    if (work.bLost != 0) {
      DrawMenu(&work);
      work.bLost = 0;
    }
    DDBlt(&g_BackBuffer, 0, 0, 640, 480, &work, 0, 0, 0);
  }
  UpdatePaletteAnime();
}

void cSceneOption::FadeIn() {
  if (g_nBpp == 8) Redraw();
  Draw();
  if (FrontFadeInStep()) m_nState = STATE_MENU;
}

void cSceneOption::FadeOut() {
  if (!FrontFadeOutStep()) return;
  DDFillSurface(&g_BackBuffer, kClearColour);
  ApplyBgmSwitch();
  // A failed write is not this scene's to report: the options stay in effect for now.
  g_OptionData.SaveToFile(kOptionFilePath);
  g_MenuCursor.Reset();
  g_GameMgr.m_nPrevScene = SCENE_OPTION;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
}

void cSceneOption::Leave() {
  g_GameMgr.m_nNextScene = SCENE_TITLE;
  m_nSubState = MENU_START;
  m_nState = STATE_FADEOUT;
}

void cSceneOption::ApplyBgmSwitch() {
  if (g_Bgm.m_bInit == 0 && g_OptionData.m_bBgm == 1) {
    g_Bgm.Release();
    g_Bgm.Init(1, g_szBgmOggName, g_szBgmMidiName, BGMSLOT_NUM);
    g_GameMgr.m_nBgm = 0;
  } else if (g_Bgm.m_bInit != 0 && g_OptionData.m_bBgm == 0) {
    g_Bgm.Release();
    g_GameMgr.m_nBgm = 0;
  }
}

void cSceneOption::ApplyValue() {
  switch (m_nEditItem) {
    case OPTITEM_PALETTE:
      SetPaletteVariant(g_OptionData.m_nPaletteVariant);
      break;
    case OPTITEM_SEVOLUME: {
      const int level = std::clamp(g_OptionData.m_nSeLevel, 0, kSeLevels - 1);
      const LONG volume = SE_VOLUME_STEPS[static_cast<std::size_t>(level)];
      for (cSound& sound : g_Sound) {
        for (int copy = 0; copy < sound.m_nBufferNum; ++copy) DSSetVolume(&sound, copy, volume, 0);
      }
      break;
    }
    default:
      break;  // music and ranking mode are only stored
  }
}

void cSceneOption::Menu() {
  if (m_nSubState == MENU_START) {
    *g_MenuCursor.m_pCur = CURSORPOS{};
    m_nSubState = MENU_LIST;
  }
  if (g_Input.empty()) return;
  if (m_nSubState == MENU_LIST) {
    ListStep();
  } else if (m_nSubState == MENU_EDIT) {
    EditStep();
  }
}

void cSceneOption::ListStep() {
  const cInput& input = g_Input[0];
  g_MenuCursor.MoveGrid(input, kItemCursorX, kItemY, 0, kRowHeight, 1, m_nItemCount);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    const int row = g_MenuCursor.m_pCur->nRow;
    m_nEditItem = row >= 0 && row < m_nItemCount ? m_anItem[static_cast<std::size_t>(row)] : m_anItem[0];
    if (std::int32_t* value = OptionField(g_OptionData, m_nEditItem); value != nullptr) {
      const cOptionRange range = OptionRange(m_nEditItem);
      m_pValue = value;
      m_nMin = range.nMin;
      m_nMax = range.nMax;
      m_nSavedValue = *value;
      g_MenuCursor.Push(0);
      m_nSubState = MENU_EDIT;
      return;
    }
    if (m_nEditItem == OPTITEM_BACK) {
      Leave();
      return;
    }
    if (m_nEditItem == OPTITEM_RANKNAME) {
      SendAndWaitDone(WM_GAME_NAMEENTRY, 0, 0, g_bNameEntryDone);
      Redraw();
    }
  } else if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    Leave();
    return;
  }
  Draw();
  DrawCursor(g_MenuCursor.m_pCur->x, g_MenuCursor.m_pCur->y, 64);
}

void cSceneOption::EditStep() {
  const cInput& input = g_Input[0];
  const auto change = [this](int delta) {
    // Worked wide: the value is within its range, but nothing here may overflow.
    std::int64_t value = static_cast<std::int64_t>(*m_pValue) + delta;
    if (value > m_nMax) value = m_nMin;
    if (value < m_nMin) value = m_nMax;
    *m_pValue = static_cast<std::int32_t>(value);
    ApplyValue();
    Redraw();
  };
  if ((input.m_wDir & kDirUp) != 0) change(1);
  if ((input.m_wDir & kDirDown) != 0) change(-1);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    g_MenuCursor.Pop(1);
    m_nSubState = MENU_LIST;
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    *m_pValue = m_nSavedValue;
    ApplyValue();
    g_MenuCursor.Pop(1);
    m_nSubState = MENU_LIST;
    Redraw();
    return;
  }
  Draw();
  const CURSORPOS* item = g_MenuCursor.m_pBelow != nullptr ? g_MenuCursor.m_pBelow : g_MenuCursor.m_pCur;
  DrawCursor(item->x, item->y, 80);
  DrawCursor(kValueCursorX, item->y, 64);
}
