#pragma once
// The challenge list (scene type SCENE_CHALLENGE): the numbered challenge stages open to
// the player, each with its clear mark and high score, the total score and an optional
// ranking panel. The decision loads the stage under the cursor and starts stage play;
// cancel goes back to the title. Stage end records the clear and the high score.
#include <cstdint>
#include <string>
#include <vector>

#include "data/system/system_data.h"  // kMaxChallengeStages
#include "media/draw/dd_surface.h"
#include "shell/scene.h"

// Rows of the list on screen.
constexpr int kChallengeRows = 10;

// The game's challenge stage count, within 0 .. kMaxChallengeStages.
int ChallengeStageCount();
// The stage file name of challenge stage n (from 1): the challenge prefix, n in at least
// two digits, "-1" and the stage extension ("data\stg4\c01-1.stg4" for n = 1).
std::string ChallengeStageFile(int n);

// The list's place kept sound: nCount stages listed (below 0 counts as none), the top
// row and the cursor row brought into the list and the cursor onto the visible rows.
// Returns the visible rows: 10, fewer at the end of the list, 0 for an empty list.
int NormaliseChallengeList(int nCount, std::int32_t& nTop, std::int32_t& nRow);

class cSceneChallenge : public cScene {
 public:
  enum STATE : std::int32_t { STATE_FADEIN = 0, STATE_SELECT = 1, STATE_FADEOUT = 2, STATE_COUNT = 3 };

  cSceneChallenge();
  ~cSceneChallenge() override;
  cSceneChallenge(const cSceneChallenge&) = delete;
  cSceneChallenge& operator=(const cSceneChallenge&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void Select();

  // m_nStageCount and m_nRows from the open stages, with the list's place kept sound.
  void CountStages();
  // Names the stage after challenge stage n and loads its ranking when rankings are on.
  void LoadRanking(int n);
  void DrawMenu(DDSURFACEDATA* lpDst);

  using StateHandler = void (cSceneChallenge::*)();
  StateHandler m_pfnState[STATE_COUNT];

  std::int32_t m_nTop = 0;
  std::int32_t m_nStageCount = 0;
  std::int32_t m_nRows = 0;

 private:
  // Loads challenge stage `row` + 1 and leaves for stage play; the list stays when the
  // file cannot be loaded.
  void StartStage(int row);
  void Leave(int nScene);
  // The list screen, drawn again first when its surface was lost.
  void CopyWork();

  std::vector<DDSURFACEDATA> m_vWork;
  std::vector<DDSURFACEDEF> m_vWorkDef;
};
