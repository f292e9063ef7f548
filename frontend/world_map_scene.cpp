#include "frontend/world_map_scene.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/message_boxes.h"
#include "app/report_log.h"
#include "app/sat_int.h"
#include "app/str_helpers.h"
#include "data/save/play_mode.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"
#include "data/system/screen_texts.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"
#include "frontend/front_scene_steps.h"
#include "frontend/save_slots.h"
#include "frontend/world_map_rules.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "platform/message_queue.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/cmd_menu.h"
#include "stage/ranking.h"
#include "stage/ranking_kinds.h"
#include "stage/ranking_text.h"

namespace {

// Fixed surfaces of the scene.
constexpr int kRowWindow = 45;
constexpr int kRowAccessory = 49;
constexpr int kRowMapChip = 52;
constexpr int kRowWorldEvent = 53;
constexpr int kRowWorldBack = 54;
constexpr int kRowMapWork = 67;
constexpr int kSceneRows[] = {kRowWorldBack, kRowMapChip, kRowWorldEvent, kRowAccessory, kRowWindow, kRowMapWork};
constexpr int kSceneRowCount = static_cast<int>(sizeof kSceneRows / sizeof kSceneRows[0]);

// The cursor cell is drawn at (288, 224): the view is the cursor less (9, 7) cells.
constexpr int kCell = 32;
constexpr int kCursorX = 288;
constexpr int kCursorY = 224;
constexpr int kViewOffsetX = 9;
constexpr int kViewOffsetY = 7;
constexpr int kViewCols = 20;
constexpr int kViewRows = 15;

constexpr int kPromptY = 260;
constexpr int kInfoCentreX = 304;
constexpr int kPanelX = 367;
constexpr int kPanelY = 64;

constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;
constexpr WORD kButton3 = 4;
constexpr WORD kButton4 = 8;
constexpr WORD kAnyDir = kDirLeft | kDirRight | kDirUp | kDirDown;

// Facings of the cursor sprite.
constexpr int kFacingDown = 0;
constexpr int kFacingUp = 1;
constexpr int kFacingLeft = 2;
constexpr int kFacingRight = 3;

// The map work surface keeps its picture between scene entries: the view it shows.
int s_nDrawnViewX = -1;
int s_nDrawnViewY = -1;
// The walking sprite's two frames of 40 draws each.
int s_nSpriteCount = 0;

DDSURFACEDATA* Surface(int row) { return &g_FixedSurface[row]; }

// Cells as pixels of the screen. A cursor from a damaged map or save may lie anywhere in
// the int range: the product is held to it rather than overflowing, and the drawing clips
// such a position away.
int WorldMapCellsToPixels(std::int64_t cells) { return SatInt32(cells * kCell); }

// The ranking panel: a ranking window drawn into a work surface of its size.
constexpr int kPanelW = 272;
constexpr int kPanelH = 352;

bool StoryRankingOn() { return CheckedAt(g_SystemData.m_ModeRanking, PLAYMODE_STORY).m_bRankingOn != 0; }

// A picture number of the game data as a source offset on a sheet; null for one that lies
// off any sheet, which would overflow the offset.
bool SheetOffset(std::int32_t n, int perRow, int& sx, int& sy) {
  if (n < 0 || n > 0xFFFF) return false;
  sx = (n % perRow) * kCell;
  sy = (n / perRow) * kCell;
  return true;
}

const cInput& MenuInput() {
  static const cInput none;
  return g_Input.empty() ? none : g_Input[0];
}

}  // namespace

cSceneWorldMap::cSceneWorldMap()
    : m_pfnState{&cSceneWorldMap::FadeIn, &cSceneWorldMap::Walk, &cSceneWorldMap::Confirm, &cSceneWorldMap::FadeOut} {
  m_nState = -1;
  g_RestoreGroups.lpMenuWork = &m_vPanel;
}

cSceneWorldMap::~cSceneWorldMap() {
  ReleaseFrontSurfaces(kSceneRows, kSceneRowCount);
  DDReleaseSurfaceVector(&m_vPanel);
  if (g_RestoreGroups.lpMenuWork == &m_vPanel) g_RestoreGroups.lpMenuWork = nullptr;
  s_nDrawnViewX = s_nDrawnViewY = -1;
}

void cSceneWorldMap::Run() { RunFrontScene(*this, m_pfnState, kAllMenuButtons); }

void cSceneWorldMap::Init() {
  RequestSceneBgm(1);
  if (!g_WorldMap.m_strMapPicture.empty()) {
    DDSURFACEDEF& def = g_FixedSurfaceDef[kRowWorldBack];
    std::snprintf(def.szFile, sizeof def.szFile, "%s", g_WorldMap.m_strMapPicture.c_str());
  }
  LoadFrontSurfaces(kSceneRows, kSceneRowCount);
  g_MenuCursor.Reset();

  cProgress& progress = g_Progress;
  progress.RecalcTotal();
  CURSORPOS& cursor = *g_MenuCursor.m_pCur;
  cursor.nCol = progress.m_nMapX;
  cursor.nRow = progress.m_nMapY;
  cursor.x = kCursorX;
  cursor.y = kCursorY;
  m_nViewX = SatSub(cursor.nCol, kViewOffsetX);
  m_nViewY = SatSub(cursor.nRow, kViewOffsetY);
  // The progress keeps the facing in its round slot, which a new round also raises.
  m_nFacing = progress.m_nRound & 3;
  TakeStageAtCursor();
  m_PrevPos = cursor;

  DDReleaseSurfaceVector(&m_vPanel);
  m_vPanelDef.clear();
  if (!DDAddSurface(&m_vPanel, &m_vPanelDef, kPanelW, kPanelH, 0, 0, 0, 0))
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
  DrawRankingPanel();
  if (IsPlayableStage(m_pStage)) SelectStage();
  if (progress.m_bAutoSave != 0 && g_GameMgr.m_nPrevScene == SCENE_GAME && IsStorySlot(progress.m_nSaveSlot))
    SaveStorySlot(progress.m_nSaveSlot);
  DrawMap(Surface(kRowMapWork));
  m_nSubState = 0;
}

void cSceneWorldMap::FadeIn() {
  cProgress& progress = g_Progress;
  if (g_nBpp == 8) DrawRankingPanel();
  Draw(progress.m_bMapStay == 0);
  if (!FrontFadeInStep()) return;
  if (IsPlayableStage(m_pStage)) {
    CURSORPOS& cursor = *g_MenuCursor.m_pCur;
    if (progress.m_bMapStay == 0 && g_GameMgr.m_nPrevScene != SCENE_MAPMENU && !IsManualEntry(m_pStage, progress)) {
      // Started at once. A player who gives the stage up comes back to its cell (and to
      // its prompt, not to another start), also on a new story that never walked.
      if (!LoadStage()) {
        PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
      } else {
        StartStage();
        progress.m_nMapStayX = cursor.nCol;
        progress.m_nMapStayY = cursor.nRow;
        g_GameMgr.m_nNextScene = SCENE_GAME;
        m_nState = STATE_FADEOUT;
        return;
      }
    } else if (progress.m_bMapStay != 0) {
      progress.m_bMapStay = 0;
      if (!IsStageCleared(m_pStage, progress) &&
          IsCellEnterable(g_WorldMap, progress.m_nMapStayX, progress.m_nMapStayY, progress)) {
        cursor.nCol = progress.m_nMapStayX;
        cursor.nRow = progress.m_nMapStayY;
        m_PrevPos = cursor;
      }
    }
  }
  m_nState = STATE_WALK;
}

void cSceneWorldMap::FadeOut() {
  Draw(1);
  if (!FrontFadeOutStep()) return;
  DDFillSurface(&g_BackBuffer, 16);
  g_MenuCursor.Reset();
  g_GameMgr.m_nPrevScene = SCENE_WORLDMAP;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
}

void cSceneWorldMap::TakeStageAtCursor() {
  const CURSORPOS& cursor = *g_MenuCursor.m_pCur;
  m_pWorld = g_WorldMap.GetWorldAt(cursor.nCol, cursor.nRow);
  m_pStage = GetOpenStage(m_pWorld, g_Progress);
}

void cSceneWorldMap::MoveCursor(CURSORPOS& cursor, const cInput& input) {
  cProgress& progress = g_Progress;
  const WORD dir = input.m_wDir;
  if ((dir & kAnyDir) != 0) {
    progress.m_nMapStayX = cursor.nCol;
    progress.m_nMapStayY = cursor.nRow;
    m_PrevPos = cursor;
  }
  if ((dir & kDirLeft) != 0) {
    m_nFacing = kFacingLeft;
    if (cursor.nCol > 0) --cursor.nCol;
  } else if ((dir & kDirRight) != 0) {
    m_nFacing = kFacingRight;
    if (cursor.nCol < g_WorldMap.m_nMapW - 1) ++cursor.nCol;
  } else if ((dir & kDirUp) != 0) {
    m_nFacing = kFacingUp;
    if (cursor.nRow > 0) --cursor.nRow;
  } else if ((dir & kDirDown) != 0) {
    m_nFacing = kFacingDown;
    if (cursor.nRow < g_WorldMap.m_nMapH - 1) ++cursor.nRow;
  }
  m_pWorld = g_WorldMap.GetWorldAt(cursor.nCol, cursor.nRow);
  m_pStage = GetOpenStage(m_pWorld, progress);

  bool refused = false;
  if (m_pStage != nullptr) {
    refused = m_pStage->m_nKind == WORLDSTAGE_WALL;
  } else {
    const std::int32_t chip = CheckedAt(g_WorldMap.m_vCell, GetMapCellIndex(g_WorldMap, cursor.nCol, cursor.nRow));
    refused = CheckedAt(g_WorldMap.m_vChip, chip).m_bBlocked != 0;
  }
  if (refused) {
    cursor = m_PrevPos;
  } else {
    m_nViewX = SatSub(cursor.nCol, kViewOffsetX);
    m_nViewY = SatSub(cursor.nRow, kViewOffsetY);
    progress.m_nRound = m_nFacing;
    if (m_nViewX != s_nDrawnViewX || m_nViewY != s_nDrawnViewY) DrawMap(Surface(kRowMapWork));
  }
  cursor.x = kCursorX;
  cursor.y = kCursorY;
}

void cSceneWorldMap::Walk() {
  const cInput& input = MenuInput();
  cProgress& progress = g_Progress;
  CURSORPOS& cursor = *g_MenuCursor.m_pCur;
  MoveCursor(cursor, input);
  PlayCursorSE(input, 3, 0);
  TakeStageAtCursor();

  bool enter = false;
  if (IsPlayableStage(m_pStage)) {
    if (cursor.nCol != m_LastPos.nCol || cursor.nRow != m_LastPos.nRow) {
      SelectStage();
      m_LastPos = cursor;
    }
    if (!IsManualEntry(m_pStage, progress)) {
      enter = true;
    } else if ((input.m_wButton & kDecision) != 0) {
      if (IsStageCleared(m_pStage, progress) && m_pStage->m_bWalkFlag == 0) return;
      enter = true;
    }
    HandleRankingKeys(input);
  }
  if (enter) {
    progress.m_nMapX = cursor.nCol;
    progress.m_nMapY = cursor.nRow;
    g_MenuCursor.Push(0);
    m_nSubState = 0;
    m_nState = STATE_CONFIRM;
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(4);
    progress.m_nMapX = cursor.nCol;
    progress.m_nMapY = cursor.nRow;
    g_GameMgr.m_nNextScene = SCENE_MAPMENU;
    m_nState = STATE_FADEOUT;
    return;
  }
  Draw(1);
}

void cSceneWorldMap::Confirm() {
  const cInput& input = MenuInput();
  if (m_nSubState == 0) {
    PlaySE(1);
    m_bStageLoaded = LoadStage() ? 1 : 0;
    g_MenuCursor.m_pCur->nRow = 1;
    m_nSubState = 1;
  }
  const int x = GetCmdListX(kInfoCentreX, SCREENTEXT_ENTER_STAGE_YES, 2, 1);
  g_MenuCursor.MoveGrid(input, x, kPromptY, 0, 16, 1, 2);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    if (g_MenuCursor.m_pCur->nRow == 0 && m_bStageLoaded != 0) {
      g_Progress.m_nRound = m_nFacing;
      StartStage();
      g_GameMgr.m_nNextScene = SCENE_GAME;
      m_nState = STATE_FADEOUT;
    } else {
      StepBack();
    }
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    StepBack();
    return;
  }
  HandleRankingKeys(input);
  Draw(1);
  DrawCmdList(&g_BackBuffer, x, kPromptY, SCREENTEXT_ENTER_STAGE_YES, 2, 1);
  const CURSORPOS& cursor = *g_MenuCursor.m_pCur;
  DDBlt(&g_BackBuffer, cursor.x, cursor.y, 16, 16, Surface(kRowAccessory), 64, 0, 1);
}

void cSceneWorldMap::StepBack() {
  // The prompt's level goes first, so that a way back that is taken again and again
  // leaves the stack as deep as it was.
  g_MenuCursor.Pop(1);
  if (!IsManualEntry(m_pStage, g_Progress)) *g_MenuCursor.m_pCur = m_PrevPos;
  m_nSubState = 0;
  m_nState = STATE_WALK;
}

bool cSceneWorldMap::LoadStage() {
  if (m_pStage == nullptr) return false;
  const std::string path = WorldStageFilePath(*m_pStage);
  if (LoadStageForPlay(path.c_str(), 1, &g_StageDataOrg)) return true;
  ErrMesBoxf("ステージファイル %s が読み込めません！", m_pStage->m_strStageFile.c_str());
  return false;
}

void cSceneWorldMap::SelectStage() {
  if (m_pStage == nullptr) return;
  cProgress& progress = g_Progress;
  progress.MakeStageName(m_pStage->m_strStageFile, m_pStage->m_bRankSuffix, m_pStage->m_nRankSuffixA,
                         m_pStage->m_nRankSuffixB);
  m_nBestScore = progress.GetStageScore(progress.m_strRankKey);
  if (g_GameMgr.m_bRanking != 0) {
    cRankingSet::Load(g_RankingSet, g_GameMgr.m_nPlayMode, progress.m_strStageName, progress.m_bRankSuffix,
                      progress.m_nRankSuffixA, progress.m_nRankSuffixB);
    MoveCmdCursor(progress, g_GameMgr.m_nPlayMode, 0);
    if (!m_vPanel.empty()) DrawRankingPanel();
  }
}

void cSceneWorldMap::StartStage() {
  if (m_pStage == nullptr) return;
  cProgress& progress = g_Progress;
  const cWorldStage& stage = *m_pStage;
  progress.m_pWorldStage = m_pStage;
  progress.MakeStageName(WorldStageNameOfPath(stage, g_StageData.m_strPath), stage.m_bRankSuffix,
                         stage.m_nRankSuffixA, stage.m_nRankSuffixB);
  progress.m_nStage = stage.m_nStageNo;
  progress.m_nSubStage = 1;
  if (g_SystemData.m_bCarryLives == 0) {
    // Every stage starts with the story's lives; the infinite switch counts only where
    // the lives carry over.
    progress.m_nLivesAtStart = CheckedAt(g_SystemData.m_Lives, PLAYMODE_STORY);
  } else if (CheckedAt(g_SystemData.m_bInfiniteLives, PLAYMODE_STORY) != 0) {
    progress.m_nLivesAtStart = kInfiniteLives;
  } else {
    // The lives left and the life about to be played; a damaged save cannot wrap it.
    progress.m_nLivesAtStart = progress.m_nLives >= std::numeric_limits<std::int32_t>::max()
                                   ? progress.m_nLives
                                   : progress.m_nLives + 1;
  }
}

void cSceneWorldMap::HandleRankingKeys(const cInput& input) {
  const bool rankingOn = StoryRankingOn();
  cProgress& progress = g_Progress;
  if ((input.m_wButton & kButton3) != 0) {
    if (rankingOn) {
      PlaySE(6);
      progress.m_bRankPanel = progress.m_bRankPanel != 0 ? 0 : 1;
    } else {
      progress.m_bRankPanel = 0;
    }
    DrawRankingPanel();
  }
  if ((input.m_wButton & kButton4) != 0 && rankingOn && GetCmdCount(g_GameMgr.m_nPlayMode) > 1) {
    PlaySE(6);
    MoveCmdCursor(progress, g_GameMgr.m_nPlayMode, 1);
    DrawRankingPanel();
  }
}

void cSceneWorldMap::DrawRankingPanel() {
  if (m_vPanel.empty()) return;
  DDSURFACEDATA* panel = &m_vPanel[0];
  DDFillSurface(panel, 16);
  g_RankingSet.Draw(panel, 0, 0, g_Progress.m_nRankGenre, -1);
}

void cSceneWorldMap::Draw(int bInfo) {
  DDSURFACEDATA* work = Surface(kRowMapWork);
  if (work->bLost != 0) {
    work->bLost = 0;
    DrawMap(work);
  }
  DDBlt(&g_BackBuffer, 0, 0, 640, 480, work, 0, 0, 0);

  int sx = 0;
  int sy = 64;
  switch (m_nFacing) {
    case kFacingUp: sx = 64; sy = 64; break;
    case kFacingLeft: sx = 64; sy = 96; break;
    case kFacingRight: sx = 0; sy = 96; break;
    default: break;
  }
  if (++s_nSpriteCount > 79) s_nSpriteCount = 0;
  if (s_nSpriteCount > 40) sx += kCell;
  DDBlt(&g_BackBuffer, kCursorX, kCursorY, kCell, kCell, Surface(kRowAccessory), sx, sy, 1);

  const cProgress& progress = g_Progress;
  if (g_SystemData.m_bMapLivesBox != 0) {
    const bool infinite = progress.m_nLives == kInfiniteLives;
    const int n = infinite ? 1 : GetDigitNum(progress.m_nLives);
    const int x = 621 - (n + 1) * 16;
    g_Font[1].DrawWindow(&g_BackBuffer, x, 17, (n + 1) * 16, 20);
    DDBlt(&g_BackBuffer, x, 19, 16, 16, Surface(kRowAccessory), 0, 48, 1);
    if (infinite)
      g_Font[1].DrawText(&g_BackBuffer, x + 16, 19, "∞");
    else
      g_Font[1].DrawTextF(&g_BackBuffer, x + 16, 19, "%d", progress.m_nLives);
  }

  if (bInfo == 0 || !IsPlayableStage(m_pStage)) return;
  if (StoryRankingOn() && progress.m_bRankPanel != 0 && !m_vPanel.empty()) {
    if (m_vPanel[0].bLost != 0) {
      m_vPanel[0].bLost = 0;
      DrawRankingPanel();
    }
    DDBlt(&g_BackBuffer, kPanelX, kPanelY, kPanelW, kPanelH, &m_vPanel[0], 0, 0, 0);
  }
  const bool showBest = g_SystemData.m_bMapBestScore != 0 && m_nBestScore > 0;
  const int y = showBest ? 184 : 204;
  const std::string& name = m_pStage->m_strStageName;
  if (!name.empty()) {
    const int chars = GetStrCharNum(name.c_str());
    g_Font[1].DrawTextBox(&g_BackBuffer, kInfoCentreX - (chars * 16) / 2, y, chars * 16, 16, name.c_str());
  }
  if (showBest) {
    const std::string& label = CheckedAt(g_SystemData.m_Texts, SCREENTEXT_MAP_BEST_SCORE);
    const int w = (GetStrCharNum(label.c_str()) + GetDigitNum(m_nBestScore)) * 16;
    g_Font[1].DrawTextBoxF(&g_BackBuffer, kInfoCentreX - w / 2, y + 20, w, 16, "%s%d", label.c_str(), m_nBestScore);
  }
}

void cSceneWorldMap::DrawMap(DDSURFACEDATA* lpDst) {
  s_nDrawnViewX = m_nViewX;
  s_nDrawnViewY = m_nViewY;
  const cWorldMap& map = g_WorldMap;
  DDFillSurface(lpDst, static_cast<DWORD>(map.m_nBackColour));
  if (map.m_bShowPicture != 0) {
    // Where the view lies left of or above the map, the picture moves right or down.
    const int px = m_nViewX < 0 ? WorldMapCellsToPixels(-std::int64_t{m_nViewX}) : 0;
    const int py = m_nViewY < 0 ? WorldMapCellsToPixels(-std::int64_t{m_nViewY}) : 0;
    const int sx = m_nViewX < 0 ? 0 : WorldMapCellsToPixels(m_nViewX);
    const int sy = m_nViewY < 0 ? 0 : WorldMapCellsToPixels(m_nViewY);
    DDBlt(lpDst, px, py, 640, 480, Surface(kRowWorldBack), sx, sy, 0);
  }

  DDBeginSpriteBatch(0);
  for (int row = 0; row < kViewRows; ++row) {
    const int y = SatAdd(m_nViewY, row);
    if (y < 0 || y >= map.m_nMapH) continue;
    for (int col = 0; col < kViewCols; ++col) {
      const int x = SatAdd(m_nViewX, col);
      if (x < 0 || x >= map.m_nMapW) continue;
      const std::int32_t chip = CheckedAt(map.m_vCell, GetMapCellIndex(map, x, y));
      int sx = 0;
      int sy = 0;
      if (!SheetOffset(CheckedAt(map.m_vChip, chip).m_nChipGraphic, 5, sx, sy)) continue;
      DDBlt(lpDst, col * kCell, row * kCell, kCell, kCell, Surface(kRowMapChip), sx, sy, 1);
    }
  }
  for (const cWorld& world : map.m_vWorld) {
    const cWorldStage* stage = GetOpenStage(&world, g_Progress);
    if (stage == nullptr) continue;
    // The icon row is the entry's first authoring value.
    int unused = 0;
    int sy = 0;
    if (!SheetOffset(stage->m_nAuxA, 1, unused, sy)) continue;
    const int sx = IsStageCleared(stage, g_Progress) ? kCell : 0;
    DDBlt(lpDst, WorldMapCellsToPixels(std::int64_t{world.m_nWorldX} - m_nViewX),
          WorldMapCellsToPixels(std::int64_t{world.m_nWorldY} - m_nViewY), kCell, kCell, Surface(kRowWorldEvent), sx,
          sy, 1);
  }
  DDFlushSpriteBatch();
}
