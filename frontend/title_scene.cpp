#include "frontend/title_scene.h"

#include <algorithm>
#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "frontend/challenge_scene.h"
#include "frontend/front_scene_steps.h"
#include "frontend/save_slots.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "shell/main_wnd.h"
#include "stage/menu_cursor.h"
#include "stage/replay_requests.h"
#include "stage/sub_loops.h"

namespace {

constexpr int kWindowRow = 45;     // "bmp\Window.bmp"
constexpr int kTitleRow = 47;      // "bmp\Title.bmp"
constexpr int kGameModeRow = 48;   // "bmp\GameMode.bmp": the item pictures, 32 dots a row
constexpr int kAccessoryRow = 49;  // "bmp\Accessory.bmp": cursor sprites
constexpr int kTitleRows[] = {kTitleRow, kGameModeRow, kAccessoryRow, kWindowRow};
constexpr int kTitleRowCount = 4;

constexpr int kMenuX = 192;
constexpr int kMenuY = 240;
constexpr int kMenuRowHeight = 32;
constexpr int kPictureCentreX = 288;
constexpr int kSlotX = 160;
constexpr int kSlotY = 160;
constexpr int kSlotRowHeight = 16;
constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;
constexpr DWORD kBoxColour = 240;
constexpr DWORD kClearColour = 16;

DDSURFACEDATA* Fixed(int row) { return &g_FixedSurface[row]; }

std::int32_t ModeRankingOn(int nPlayMode) { return CheckedAt(g_SystemData.m_ModeRanking, nPlayMode).m_bRankingOn; }

// A Title-time failure of Init: the error-check line, and the program closes.
}  // namespace

int CollectTitleItems(const std::vector<cCmdItem>& menu, std::array<std::int32_t, kTitleItemTypes>& items) {
  int n = 0;
  for (std::size_t i = 0; i < menu.size() && n < kTitleItemTypes; ++i) {
    if (menu[i].m_bEnabled != 0) items[static_cast<std::size_t>(n++)] = static_cast<std::int32_t>(i);
  }
  if (n == 0) items[0] = 0, n = 1;
  return n;
}

int TitleCursorRow(const std::array<std::int32_t, kTitleItemTypes>& items, int nCount, int nTitleSel) {
  for (int i = 0; i < nCount && i < kTitleItemTypes; ++i) {
    if (items[static_cast<std::size_t>(i)] == nTitleSel) return i;
  }
  return nTitleSel;
}

void StartNewStory() {
  cProgress& progress = g_Progress;
  progress.NewGame();
  progress.m_nMapX = g_WorldMap.m_nStartX;
  progress.m_nMapY = g_WorldMap.m_nStartY;
  if (CheckedAt(g_SystemData.m_bInfiniteLives, PLAYMODE_STORY) != 0) {
    progress.m_nLivesAtStart = progress.m_nLives = kInfiniteLives;
  } else {
    progress.m_nLivesAtStart = CheckedAt(g_SystemData.m_Lives, PLAYMODE_STORY);
    progress.m_nLives = progress.m_nLivesAtStart - 1;
  }
}

cSceneTitle::cSceneTitle()
    : m_pfnState{&cSceneTitle::FadeIn, &cSceneTitle::Menu, &cSceneTitle::SelectSlot, &cSceneTitle::FadeOut} {
  m_nState = -1;
  g_RestoreGroups.lpMenuWork = &m_vWork;
}

cSceneTitle::~cSceneTitle() {
  ReleaseFrontSurfaces(kTitleRows, kTitleRowCount);
  DDReleaseSurfaceVector(&m_vWork);
  if (g_RestoreGroups.lpMenuWork == &m_vWork) g_RestoreGroups.lpMenuWork = nullptr;
}

void cSceneTitle::Run() { RunFrontScene(*this, m_pfnState, kMenuButtons); }

bool cSceneTitle::UsesPictures() const { return g_SystemData.m_bTitlePictures != 0; }

void cSceneTitle::Init() {
  RequestSceneBgm(0);
  LoadFrontSurfaces(kTitleRows, kTitleRowCount);
  g_MenuCursor.Reset();
  m_nItemCount = CollectTitleItems(g_SystemData.m_TitleMenu, m_anItem);
  g_MenuCursor.m_pCur->nRow = TitleCursorRow(m_anItem, m_nItemCount, g_GameMgr.m_nTitleSel);
  m_nMenuX = UsesPictures() ? kPictureCentreX - Fixed(kGameModeRow)->nWidth / 2 : kMenuX;
  CreateMenu();
  m_nSubState = 0;
}

void cSceneTitle::CreateMenu() {
  DDReleaseSurfaceVector(&m_vWork);
  m_vWorkDef.clear();
  int width = 0;
  if (UsesPictures()) {
    width = Fixed(kGameModeRow)->nWidth + 32;
  } else {
    int chars = 0;
    for (int i = 0; i < m_nItemCount; ++i) {
      const cCmdItem& item = CheckedAt(g_SystemData.m_TitleMenu, m_anItem[static_cast<std::size_t>(i)]);
      chars = std::max(chars, GetStrCharNum(item.m_strLabel.c_str()));
    }
    width = chars * 32 + 34;
  }
  const int height = m_nItemCount * kMenuRowHeight + 2;
  if (!DDAddSurface(&m_vWork, &m_vWorkDef, width, height, 1, 0, 0, 0)) {
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return;
  }
  DrawMenu(&m_vWork.back());
}

void cSceneTitle::DrawMenu(DDSURFACEDATA* lpDst) {
  // Palette number 0 is the colour key: what the box and the items leave free shows the
  // title picture.
  DDFillSurface(lpDst, 0);
  if (UsesPictures()) {
    DDSURFACEDATA* pictures = Fixed(kGameModeRow);
    for (int i = 0; i < m_nItemCount; ++i)
      DDBlt(lpDst, 32, i * kMenuRowHeight, pictures->nWidth, kMenuRowHeight, pictures, 0,
            m_anItem[static_cast<std::size_t>(i)] * kMenuRowHeight, 0);
    return;
  }
  DDDrawBox(lpDst, 1, 1, lpDst->nWidth - 2, lpDst->nHeight - 2, Fixed(kWindowRow), 1, kBoxColour);
  for (int i = 0; i < m_nItemCount; ++i) {
    const cCmdItem& item = CheckedAt(g_SystemData.m_TitleMenu, m_anItem[static_cast<std::size_t>(i)]);
    g_Font[2].DrawText(lpDst, 32, i * kMenuRowHeight, item.m_strLabel.c_str());
  }
}

void cSceneTitle::Draw() {
  DDBlt(&g_BackBuffer, 0, 0, 640, 480, Fixed(kTitleRow), 0, 0, 0);
  if (!m_vWork.empty()) {
    DDSURFACEDATA& work = m_vWork.back();
    if (work.bLost != 0) {
      DrawMenu(&work);
      work.bLost = 0;
    }
    DDBlt(&g_BackBuffer, m_nMenuX, kMenuY, work.nWidth, work.nHeight, &work, 0, 0, 1);
  }
  UpdatePaletteAnime();
}

void cSceneTitle::FadeIn() {
  // An 8-bit display changes its palette on the way in: the menu is drawn again with it.
  if (g_nBpp == 8 && !m_vWork.empty()) DrawMenu(&m_vWork.back());
  Draw();
  if (FrontFadeInStep()) m_nState = STATE_MENU;
}

void cSceneTitle::FadeOut() {
  if (!FrontFadeOutStep()) return;
  DDFillSurface(&g_BackBuffer, kClearColour);
  g_MenuCursor.Reset();
  g_GameMgr.m_nPrevScene = SCENE_TITLE;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
}

void cSceneTitle::Leave(int nScene) {
  g_GameMgr.m_nNextScene = nScene;
  m_nState = STATE_FADEOUT;
}

void cSceneTitle::Menu() {
  if (g_Input.empty()) return;
  const cInput& input = g_Input[0];
  g_MenuCursor.MoveGrid(input, m_nMenuX, kMenuY, 0, kMenuRowHeight, 1, m_nItemCount);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) == 0) {
    Draw();
    DDBlt(&g_BackBuffer, g_MenuCursor.m_pCur->x, g_MenuCursor.m_pCur->y, 32, 32, Fixed(kAccessoryRow), 0, 0, 1);
    return;
  }
  PlaySE(1);
  const int row = g_MenuCursor.m_pCur->nRow;
  g_GameMgr.m_nTitleSel = row >= 0 && row < m_nItemCount ? m_anItem[static_cast<std::size_t>(row)] : m_anItem[0];
  Choose(g_GameMgr.m_nTitleSel);
}

void cSceneTitle::Choose(int nItem) {
  cGameMgr& mgr = g_GameMgr;
  switch (nItem) {
    case TITLEITEM_NEWGAME:
      mgr.m_nPlayMode = PLAYMODE_STORY;
      mgr.m_bRanking = ModeRankingOn(PLAYMODE_STORY);
      StartNewStory();
      Leave(SCENE_WORLDMAP);
      break;
    case TITLEITEM_CONTINUE:
      mgr.m_nPlayMode = PLAYMODE_STORY;
      mgr.m_bRanking = ModeRankingOn(PLAYMODE_STORY);
      g_MenuCursor.Push(0);
      m_nState = STATE_SLOT;
      m_nSubState = 0;
      break;
    case TITLEITEM_CHALLENGE:
      mgr.m_nPlayMode = PLAYMODE_CHALLENGE;
      mgr.m_bRanking = ModeRankingOn(PLAYMODE_CHALLENGE);
      if (g_Progress.LoadChallenge() == 0) {
        g_Progress.NewGame();
        g_Progress.m_ChallengeState.assign(static_cast<std::size_t>(ChallengeStageCount()), cValuePair());
      }
      Leave(SCENE_CHALLENGE);
      break;
    case TITLEITEM_FREE:
      mgr.m_nPlayMode = PLAYMODE_FREE;
      mgr.m_bRanking = ModeRankingOn(PLAYMODE_FREE);
      if (OpenStageFile()) Leave(SCENE_GAME);
      break;
    case TITLEITEM_REPLAY:
      mgr.m_nPlayMode = PLAYMODE_REPLAY;
      mgr.m_bRanking = ModeRankingOn(PLAYMODE_REPLAY);
      if (RequestLoadReplay() != 0) Leave(SCENE_GAME);
      break;
    case TITLEITEM_OPTION:
      Leave(SCENE_OPTION);
      break;
    case TITLEITEM_EXIT:
      PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

bool cSceneTitle::OpenStageFile() {
  // The main window starts the chosen stage itself and reports 0 when it could not be
  // loaded: the title then stays, as after a cancelled box.
  if (!SendAndWaitDone(WM_GAME_OPENSTAGE, 0, 0, g_bRequestDone)) return false;
  return g_bRequestResult.load() != 0;
}

void cSceneTitle::SelectSlot() {
  if (g_Input.empty()) return;
  const cInput& input = g_Input[0];
  if (m_nSubState == 0) {
    *g_MenuCursor.m_pCur = CURSORPOS{};
    m_nSlotTop = 0;
    m_nSubState = 1;
    LoadSlotList(g_SlotList);
  }
  const int nSlots = static_cast<int>(g_SlotList.size());
  m_nSlotRows = std::min(nSlots, kSlotListRows);
  g_MenuCursor.MoveList(input, 1, &m_nSlotTop, kSlotY, kSlotRowHeight, kSlotX, m_nSlotRows, nSlots, 1);
  PlayCursorSE(input, 3, 0);
  if ((input.m_wButton & kDecision) != 0) {
    const int row = g_MenuCursor.m_pCur->nRow;
    // A slot is used only when its file was read whole; a load that fails after all has
    // said so in a box and keeps the list open.
    if (row >= 0 && row < nSlots && g_SlotList[static_cast<std::size_t>(row)].m_bUsed != 0 &&
        LoadStorySlot(row) != 0) {
      PlaySE(1);
      Leave(SCENE_WORLDMAP);
    } else {
      PlaySE(3);
    }
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    g_MenuCursor.Pop(1);
    m_nState = STATE_MENU;
    m_nSubState = 0;
    return;
  }
  DDBlt(&g_BackBuffer, 0, 0, 640, 480, Fixed(kTitleRow), 0, 0, 0);
  UpdatePaletteAnime();
  DrawSlotList(&g_BackBuffer, kSlotX, kSlotY, g_SlotList, m_nSlotTop, m_nSlotRows);
  DDBlt(&g_BackBuffer, g_MenuCursor.m_pCur->x, g_MenuCursor.m_pCur->y, 16, 16, Fixed(kAccessoryRow), 64, 0, 1);
}
