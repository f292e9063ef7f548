#include "frontend/map_menu_scene.h"

#include <algorithm>
#include <string>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/report_log.h"
#include "app/str_helpers.h"
#include "data/save/progress.h"
#include "data/save/slot_list.h"
#include "data/system/screen_texts.h"
#include "data/system/system_data.h"
#include "frontend/front_scene_steps.h"
#include "frontend/save_slots.h"
#include "media/draw/dd_blit.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "media/input/input.h"
#include "shell/game_mgr.h"
#include "shell/game_requests.h"
#include "stage/cmd_menu.h"
#include "stage/menu_cursor.h"
#include "stage/ranking_text.h"

namespace {

constexpr int kRowWindow = 45;
constexpr int kRowAccessory = 49;
constexpr int kRowSymbol = 50;
constexpr int kSceneRows[] = {kRowWindow, kRowSymbol, kRowAccessory};
constexpr int kSceneRowCount = static_cast<int>(sizeof kSceneRows / sizeof kSceneRows[0]);

constexpr int kMenuX = 264;
constexpr int kMenuY = 192;
constexpr int kRowHeight = 16;
constexpr int kScreenCentreX = 320;
constexpr int kTotalScoreY = 260;
constexpr int kSlotListX = 152;
constexpr int kSlotListY = 160;
constexpr int kSavePromptY = 400;
constexpr int kAutoSavePromptY = 224;
constexpr int kNoSlotY = 232;
constexpr int kToTitlePromptY = 224;
constexpr DWORD kBackColour = 16;

constexpr WORD kDecision = 1;
constexpr WORD kCancel = 2;

DDSURFACEDATA* Surface(int row) { return &g_FixedSurface[row]; }

const cInput& MenuInput() {
  static const cInput none;
  return g_Input.empty() ? none : g_Input[0];
}

// The cursor sprites: the arrow of the menu now open, and the marker of the slot chosen.
void DrawCursor(const CURSORPOS& cursor) {
  DDBlt(&g_BackBuffer, cursor.x, cursor.y, 16, 16, Surface(kRowAccessory), 64, 0, 1);
}
void DrawSlotMarker(const CURSORPOS& cursor) {
  DDBlt(&g_BackBuffer, cursor.x, cursor.y, 16, 16, Surface(kRowAccessory), 80, 0, 1);
}

}  // namespace

cSceneMapMenu::cSceneMapMenu()
    : m_pfnState{&cSceneMapMenu::FadeIn,   &cSceneMapMenu::Menu, &cSceneMapMenu::Save,   &cSceneMapMenu::AutoSave,
                 &cSceneMapMenu::Back,     &cSceneMapMenu::ToTitle, &cSceneMapMenu::FadeOut} {
  m_nState = -1;
}

cSceneMapMenu::~cSceneMapMenu() { ReleaseFrontSurfaces(kSceneRows, kSceneRowCount); }

void cSceneMapMenu::Run() { RunFrontScene(*this, m_pfnState, kMenuButtons); }

void cSceneMapMenu::Init() {
  RequestSceneBgm(1);
  LoadFrontSurfaces(kSceneRows, kSceneRowCount);
  g_MenuCursor.Reset();
  m_nItemCount = 0;
  // The System file decides the list's length: entries past the four item types name no
  // state of the menu.
  const std::vector<cCmdItem>& menu = g_SystemData.m_MapMenu;
  const int nEntries = std::min(static_cast<int>(menu.size()), kItemCount);
  for (int i = 0; i < nEntries; ++i) {
    if (CheckedAt(menu, i).m_bEnabled != 0) m_anItem[m_nItemCount++] = i;
  }
  if (m_nItemCount == 0) {
    m_anItem[0] = 0;
    m_nItemCount = 1;
  }
  m_nSubState = 0;
}

void cSceneMapMenu::FadeIn() {
  Draw();
  DrawCursor(CURSORPOS{0, 0, kMenuX, kMenuY});
  if (FrontFadeInStep()) m_nState = STATE_MENU;
}

void cSceneMapMenu::FadeOut() {
  if (!FrontFadeOutStep()) return;
  DDFillSurface(&g_BackBuffer, kBackColour);
  g_GameMgr.m_nPrevScene = SCENE_MAPMENU;
  g_GameMgr.m_nScene = g_GameMgr.m_nNextScene;
  // Entered again later, even by a manager that keeps its scenes, the menu starts afresh.
  m_nState = -1;
}

void cSceneMapMenu::Draw() {
  DDFillSurface(&g_BackBuffer, kBackColour);
  const std::vector<cCmdItem>& menu = g_SystemData.m_MapMenu;
  int longest = 0;
  for (int i = 0; i < m_nItemCount; ++i)
    longest = std::max(longest, GetStrCharNum(CheckedAt(menu, m_anItem[i]).m_strLabel.c_str()));
  DDDrawBox(&g_BackBuffer, kMenuX, kMenuY, (longest + 1) * 16, m_nItemCount * kRowHeight, Surface(kRowWindow), 1,
            240);
  for (int i = 0; i < m_nItemCount; ++i)
    g_Font[1].DrawText(&g_BackBuffer, kMenuX + 16, kMenuY + kRowHeight * i,
                       CheckedAt(menu, m_anItem[i]).m_strLabel.c_str());

  const std::int32_t total = g_Progress.m_nTotalBest;
  if (g_SystemData.m_bMapMenuTotalScore != 0 && total > 0) {
    const std::string& label = CheckedAt(g_SystemData.m_Texts, SCREENTEXT_TOTAL_SCORE);
    const int w = (GetStrCharNum(label.c_str()) + GetDigitNum(total)) * 16;
    const int x = kScreenCentreX - w / 2;
    g_Font[1].DrawWindow(&g_BackBuffer, x, kTotalScoreY, w, kRowHeight);
    g_Font[1].DrawTextF(&g_BackBuffer, x, kTotalScoreY, "%s%d", label.c_str(), total);
  }
  UpdatePaletteAnime();
}

void cSceneMapMenu::Menu() {
  const cInput& input = MenuInput();
  g_MenuCursor.MoveGrid(input, kMenuX, kMenuY, 0, kRowHeight, 1, m_nItemCount);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    const int row = std::clamp(g_MenuCursor.m_pCur->nRow, 0, m_nItemCount - 1);
    m_nState = m_anItem[row] + STATE_SAVE;
    g_MenuCursor.Push(0);
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    m_nState = STATE_BACK;
    return;
  }
  Draw();
  DrawCursor(*g_MenuCursor.m_pCur);
}

void cSceneMapMenu::DrawSlotScreen() {
  DDFillSurface(&g_BackBuffer, kBackColour);
  DrawSlotList(&g_BackBuffer, kSlotListX, kSlotListY, g_SlotList, m_nSlotTop, m_nSlotRows);
}

void cSceneMapMenu::Save() {
  const cInput& input = MenuInput();
  cProgress& progress = g_Progress;
  const int nSlots = static_cast<int>(g_SlotList.size());
  if (m_nSubState == 0) {
    CURSORPOS& cursor = *g_MenuCursor.m_pCur;
    cursor = CURSORPOS{};
    // The list opens on the slot saved last, scrolled so that it shows.
    cursor.nRow = progress.m_nSaveSlot;
    m_nSubState = 1;
    LoadSlotList(g_SlotList);
    m_nSlotRows = std::min(nSlots, kSlotListRows);
    m_nSlotTop = cursor.nRow;
  }
  if (m_nSubState == 1) {
    g_MenuCursor.MoveList(input, 1, &m_nSlotTop, kSlotListY, kRowHeight, kSlotListX, m_nSlotRows, nSlots, 1);
    PlayCursorSE(input, 3, 0);
    if ((input.m_wButton & kDecision) != 0) {
      PlaySE(1);
      g_MenuCursor.Push(0);
      m_nSubState = 2;
      g_MenuCursor.m_pCur->nRow = 1;
      return;
    }
    if ((input.m_wButton & kCancel) != 0) {
      PlaySE(2);
      g_MenuCursor.Pop(1);
      m_nState = STATE_MENU;
      m_nSubState = 0;
      return;
    }
    DrawSlotScreen();
    DrawCursor(*g_MenuCursor.m_pCur);
    return;
  }
  // Sub-state 2: the confirmation of the slot under the list's cursor.
  const int x = GetCmdListX(kScreenCentreX, SCREENTEXT_SAVE_YES, 2, 1);
  g_MenuCursor.MoveGrid(input, x, kSavePromptY, 0, kRowHeight, 1, 2);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    if (g_MenuCursor.m_pCur->nRow == 0) {
      PlaySE(5);
      const int slot = g_MenuCursor.m_pBelow != nullptr ? g_MenuCursor.m_pBelow->nRow : 0;
      // Only a slot actually written becomes the target of the auto save; a failed save
      // has said so and left the slot and the game as they were.
      const std::int32_t previous = progress.m_nSaveSlot;
      progress.m_nSaveSlot = slot;
      if (!SaveStorySlot(slot)) progress.m_nSaveSlot = previous;
    } else {
      PlaySE(1);
    }
    g_MenuCursor.Pop(1);
    m_nSubState = 1;
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    g_MenuCursor.Pop(1);
    m_nSubState = 1;
    return;
  }
  DrawSlotScreen();
  DrawCmdList(&g_BackBuffer, x, kSavePromptY, SCREENTEXT_SAVE_YES, 2, 1);
  if (g_MenuCursor.m_pBelow != nullptr) DrawSlotMarker(*g_MenuCursor.m_pBelow);
  DrawCursor(*g_MenuCursor.m_pCur);
}

void cSceneMapMenu::AutoSave() {
  const cInput& input = MenuInput();
  cProgress& progress = g_Progress;
  if (m_nSubState == 0) {
    CURSORPOS& cursor = *g_MenuCursor.m_pCur;
    cursor = CURSORPOS{};
    cursor.nRow = progress.m_bAutoSave != 0 ? 0 : 1;
    m_nSubState = IsStorySlot(progress.m_nSaveSlot) ? 1 : 2;
  }
  const bool close = (input.m_wButton & (kDecision | kCancel)) != 0;
  if (m_nSubState == 1) {
    const int x = GetCmdListX(kScreenCentreX, SCREENTEXT_AUTOSAVE_ON, 2, 1);
    g_MenuCursor.MoveGrid(input, x, kAutoSavePromptY, 0, kRowHeight, 1, 2);
    PlayCursorSE(input, 2, 0);
    if ((input.m_wButton & kDecision) != 0) {
      PlaySE(1);
      if (g_MenuCursor.m_pCur->nRow == 0) {
        // The slot is written before the switch changes: the switch reaches the file
        // with the next save. A slot that cannot be written leaves the auto save as it was.
        if (SaveStorySlot(progress.m_nSaveSlot)) progress.m_bAutoSave = 1;
      } else {
        progress.m_bAutoSave = 0;
      }
    } else if ((input.m_wButton & kCancel) != 0) {
      PlaySE(2);
    }
    if (!close) {
      DDFillSurface(&g_BackBuffer, kBackColour);
      DrawCmdList(&g_BackBuffer, x, kAutoSavePromptY, SCREENTEXT_AUTOSAVE_ON, 2, 1);
      DrawCursor(*g_MenuCursor.m_pCur);
      return;
    }
  } else {
    // No slot saved yet: only the message, closed by either button.
    if ((input.m_wButton & kDecision) != 0) {
      PlaySE(1);
    } else if ((input.m_wButton & kCancel) != 0) {
      PlaySE(2);
    }
    if (!close) {
      const int x = GetCmdListX(kScreenCentreX, SCREENTEXT_AUTOSAVE_NO_SLOT, 1, 0);
      DDFillSurface(&g_BackBuffer, kBackColour);
      DrawCmdList(&g_BackBuffer, x, kNoSlotY, SCREENTEXT_AUTOSAVE_NO_SLOT, 1, 0);
      return;
    }
  }
  g_MenuCursor.Pop(1);
  m_nSubState = 0;
  m_nState = STATE_MENU;
}

void cSceneMapMenu::Back() {
  g_GameMgr.m_nNextScene = SCENE_WORLDMAP;
  m_nSubState = 0;
  m_nState = STATE_FADEOUT;
}

void cSceneMapMenu::ToTitle() {
  const cInput& input = MenuInput();
  if (m_nSubState == 0) {
    CURSORPOS& cursor = *g_MenuCursor.m_pCur;
    cursor = CURSORPOS{};
    cursor.nRow = 1;
    m_nSubState = 1;
  }
  const int x = GetCmdListX(kScreenCentreX, SCREENTEXT_TO_TITLE_YES, 2, 1);
  g_MenuCursor.MoveGrid(input, x, kToTitlePromptY, 0, kRowHeight, 1, 2);
  PlayCursorSE(input, 2, 0);
  if ((input.m_wButton & kDecision) != 0) {
    PlaySE(1);
    if (g_MenuCursor.m_pCur->nRow == 0) {
      g_GameMgr.m_nNextScene = SCENE_TITLE;
      m_nState = STATE_FADEOUT;
      return;
    }
    g_MenuCursor.Pop(1);
    m_nSubState = 0;
    m_nState = STATE_MENU;
    return;
  }
  if ((input.m_wButton & kCancel) != 0) {
    PlaySE(2);
    g_MenuCursor.Pop(1);
    m_nSubState = 0;
    m_nState = STATE_MENU;
    return;
  }
  DDFillSurface(&g_BackBuffer, kBackColour);
  DrawCmdList(&g_BackBuffer, x, kToTitlePromptY, SCREENTEXT_TO_TITLE_YES, 2, 1);
  DrawCursor(*g_MenuCursor.m_pCur);
}
