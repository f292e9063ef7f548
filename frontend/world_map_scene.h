#pragma once
// The world map of the story mode (scene type SCENE_WORLDMAP; the scene factory makes it
// with `new cSceneWorldMap`): the player walks a cursor over the map's cells, stepping onto
// an open stage entry asks whether to play it (at once, or with the decision key for
// entries that want it and for cleared stages), and the cancel button opens the world-map
// menu (cSceneMapMenu). The lives, the stage's name and best score and a ranking panel are
// shown over the map. Coming back from stage play with the auto save on saves the game to
// its slot.
#include <cstdint>
#include <vector>

#include "media/draw/dd_surface.h"
#include "shell/scene.h"
#include "stage/menu_cursor.h"

class cInput;
class cWorld;
class cWorldStage;

class cSceneWorldMap : public cScene {
 public:
  // The states, indices of the state table.
  enum STATE : std::int32_t { STATE_FADEIN = 0, STATE_WALK = 1, STATE_CONFIRM = 2, STATE_FADEOUT = 3, STATE_COUNT = 4 };

  cSceneWorldMap();
  ~cSceneWorldMap() override;
  cSceneWorldMap(const cSceneWorldMap&) = delete;
  cSceneWorldMap& operator=(const cSceneWorldMap&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void Walk();
  void Confirm();

  // One step of `cursor` (the top menu-cursor level; column and row are map cells) by the
  // direction word: one direction a frame, refused into a blocked chip or a wall.
  void MoveCursor(CURSORPOS& cursor, const cInput& input);
  // The stage name, best score and ranking of m_pStage.
  void SelectStage();
  // The progress fields for playing m_pStage, which has been loaded.
  void StartStage();
  // The frame: the map, the cursor sprite, the lives and, with bInfo, the stage's panel.
  void Draw(int bInfo);
  void DrawMap(DDSURFACEDATA* lpDst);
  void DrawRankingPanel();

  using StateHandler = void (cSceneWorldMap::*)();
  StateHandler m_pfnState[STATE_COUNT];

  std::int32_t m_nViewX = 0;  // the cell at the top left of the screen: cursor - (9, 7)
  std::int32_t m_nViewY = 0;
  const cWorld* m_pWorld = nullptr;       // the world under the cursor
  const cWorldStage* m_pStage = nullptr;  // its open entry
  std::int32_t m_nFacing = 0;             // 0 down, 1 up, 2 left, 3 right
  CURSORPOS m_PrevPos{};                  // the cursor before its last step
  CURSORPOS m_LastPos{};                  // the cell whose stage was last selected
  std::int32_t m_nBestScore = 0;
  std::int32_t m_bStageLoaded = 0;        // the confirmation's stage file was loaded

 private:
  // The ranking panel's work surface (restored with the menus' after a surface loss).
  std::vector<DDSURFACEDATA> m_vPanel;
  std::vector<DDSURFACEDEF> m_vPanelDef;
  // Loads m_pStage's file; false after the message that it cannot be read.
  bool LoadStage();
  // Leaves the confirmation for the walk (the entry's way back).
  void StepBack();
  // Buttons 3 and 4: the ranking panel and its kind.
  void HandleRankingKeys(const cInput& input);
  void TakeStageAtCursor();
};
