#pragma once
// The stage-play scene: it sets a stage up, runs one play frame per game-manager frame on
// the game thread and moves through its eight play states (fade-in, start banner, play,
// pause menu, clear, retry menu, game over, fade-out). Game objects, flows and drawing
// reach the scene through g_lpSceneGame (GameScene()).
//
// The member functions are defined by concern: the states in scene_game.cpp and
// play_states.cpp, set-up and spawning in stage_setup.cpp, the play step in
// play_step.cpp, block collision in block_collision.cpp, the modal sub-loops in
// sub_loops.cpp, drawing in stage_draw.cpp, the flows' condition tests under flow/.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "data/system/cmd_item.h"
#include "media/draw/dd_surface.h"
#include "shell/scene.h"
#include "stage/effect_records.h"
#include "stage/screen_color.h"
#include "stage/scroll.h"
#include "stage/wait_req.h"

class cBlockCell;
class cChara;
class cCharaBase;
class cCond;
class cDoubleRect;
class cEdShot;
class cEffect;
class cFlowCmdRun;
class cFlowRun;
class cGameObj;
class cItem;
class cMessage;
class cPaletteBlock;
class cPaletteChara;
class cPaletteItem;
class cPicture;
class cPlayer;
class cProgress;
class cShot;
template <class T>
class cListWalk;

// The play states, indices of the scene's state table.
enum GAMESTATE : std::int32_t {
  GAMESTATE_FADEIN = 0,
  GAMESTATE_START = 1,
  GAMESTATE_PLAY = 2,
  GAMESTATE_PAUSE = 3,
  GAMESTATE_CLEAR = 4,
  GAMESTATE_RETRY = 5,
  GAMESTATE_GAMEOVER = 6,
  GAMESTATE_FADEOUT = 7,
  GAMESTATE_COUNT = 8,
};

// Results of the sub-step operations: go on, a stage clear was asked for, the player is
// defeated.
enum STEPRESULT : std::int32_t {
  STEP_CONTINUE = 0,
  STEP_CLEAR = 1,
  STEP_DEFEAT = 2,
};

// What SetStage did: the stage is ready, the set-up failed (the program is closing), or a
// before-start flow defeated the player into a finished play the caller must act on.
enum SETSTAGERESULT : std::int32_t {
  SETSTAGE_READY = 0,
  SETSTAGE_FAILED = 1,
  SETSTAGE_CLEARED = 2,
};

constexpr int kGroupCount = 8;          // groups (sides) 0-7
constexpr int kStageVarCount = 1000;    // S1..S999 (index 0 unused)
constexpr int kAppearSwitchCount = 60;  // appear groups
constexpr int kResultKinds = 5;         // RESULT_SCORE..RESULT_SPLEFT

class cSceneGame : public cScene {
 public:
  cSceneGame();
  ~cSceneGame() override;
  cSceneGame(const cSceneGame&) = delete;
  cSceneGame& operator=(const cSceneGame&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void StateStart();
  void StatePlay();
  void StatePause();
  void StateClear();
  void StateRetry();
  void StateGameOver();

  void ResetPlay();
  std::int32_t UseLife(cProgress& progress);
  void PlayBgm(std::int32_t nId, std::int32_t nParam);
  std::int32_t CheckPauseKey();
  // The lost-life transition, run when the player's defeat animation has ended.
  void OnLostLife();
  // Enters the start state after a set-up, or the clear state when the set-up's
  // before-start flows ended the play (SETSTAGERESULT).
  void EnterStartState(std::int32_t nSetUp);

  // Set-up and spawning (stage_setup.cpp).
  std::int32_t SetStage(std::int32_t bLoadStage, std::int32_t bRestartBgm);
  void PlaceChara(std::list<cChara>& list, int bx, int by, std::int32_t* pNextId, const cPaletteChara& placement,
                  const cItem* pCarriedItem);
  void PlaceItem(std::list<cItem>& list, int bx, int by, std::int32_t* pNextId, const cPaletteItem& placement);
  void SpawnChara(std::list<cChara>& list, double x, double y, std::int8_t nGroup, std::int8_t nFacing,
                  std::int32_t nOwnerFacing, const cEdShot& summon, const cPaletteChara& entry, std::int32_t* pNextId,
                  cCharaBase* pParent);
  void SpawnItem(std::list<cItem>& list, double x, double y, std::int32_t nOwnerFacing, const cEdShot& summon,
                 const cPaletteItem& entry, std::int32_t* pNextId);
  void SpawnBlock(double x, double y, std::int32_t nOwnerFacing, const cEdShot& summon, const cPaletteBlock& entry);
  std::int32_t FlagCharasInBlock(int nCell, int cx, int cy, const cEdShot& summon);
  void ClearPictures();
  void ClearMessages();
  // The darkness surface of the player's limited sight (fixed row nDarkRow) with its
  // light hole (nHoleRow).
  void CreateSpotlight(int nDarkRow, int nHoleRow);
  // Removes a character from the stage: ReleaseLinks, its group list, g_listChara.
  // Returns the iterator after it.
  std::list<cChara>::iterator RemoveChara(std::list<cChara>::iterator it);

  // The play step (play_step.cpp).
  void UpdateActive();
  std::int32_t CountTimeLimit(std::int32_t nDelta);
  void CountPlayTime();
  // One physics sub-step k (1..n) and its passes; each answers 1 when the frame ends.
  std::int32_t RunSubStep(int k);
  std::int32_t StepBlockCharas();
  std::int32_t StepPlayer(cPlayer& hero);
  std::int32_t StepCharas();
  void StepShots(int k);
  void RemoveOutOfRange();
  // The play ends as cleared: EndPlay and the clear state; answers 1.
  std::int32_t ClearPlay();
  // The player is defeated (lpLogLine to the error-check log first when not null);
  // answers 1.
  std::int32_t PlayerDies(cPlayer& hero, const char* lpLogLine);
  // The defeat of a character whose flows ended it or that was crushed; `it` moves past
  // it. 1 when the sub-step ends.
  std::int32_t DefeatChara(cListWalk<cChara>& walk, bool bCrushed);
  // Removes a shot: its links, its group's shot list, m_lstShot. Returns the next.
  std::list<cShot>::iterator EraseShot(std::list<cShot>::iterator it);

  // Block collision (block_collision.cpp).
  int ProbeBlocks(cCharaBase& chara, int x1, int y1, int x2, int y2);
  int ProbeBlocksNearest(cCharaBase& chara);
  int ProbeCorners(int left, int top, int right, int bottom, int layer);
  std::int32_t HitBlockX(cCharaBase& chara);
  std::int32_t HitBlockY(cCharaBase& chara);
  std::int32_t HitBlockXAfterPush(cCharaBase& chara);
  std::int32_t HitBlockYAfterPush(cCharaBase& chara);
  std::int32_t HitBlockLeft(cCharaBase& chara);
  std::int32_t HitBlockRight(cCharaBase& chara);
  std::int32_t HitBlockUp(cCharaBase& chara);
  std::int32_t HitBlockDown(cCharaBase& chara);
  void ClampScreenX(cPlayer& player);
  std::int32_t ClampScreenY(cPlayer& player);
  std::int32_t FootBlockEffect(cPlayer& player);
  std::int32_t FootBlockItem(cPlayer& player);
  void StickToGround(cCharaBase& chara);
  std::int32_t IsPlaceBlocked(cCharaBase& chara);

  // Hits, items and deaths; block characters (later parts of stage play).
  std::int32_t HandleDefeat(cChara& chara, std::list<cChara>& list);
  std::int32_t CheckDeaths();
  std::int32_t HitGroups(std::list<cChara>& list);
  std::int32_t PickUpItems(cPlayer& player);
  std::int32_t UseItem(cItem& item, cPlayer& player);
  void CarryRider(cCharaBase& rider, std::list<cChara>& list);
  std::int32_t HitCharaSolid(cCharaBase& chara, std::list<cChara>& list);
  std::int32_t IsSolidCharaInBox(cCharaBase& chara);
  // Deaths (deaths.cpp): 2 for a hero, else 1 when the defeat cleared the stage.
  std::int32_t CheckDefeat(cCharaBase& chara);
  // Erases an item from g_listItem and from the players' ignore lists (item_pickup.cpp).
  std::list<cItem>::iterator EraseItem(std::list<cItem>::iterator it);
  // Block characters (block_charas.cpp).
  void ResolveSolidAxis(cCharaBase& chara, std::list<cChara>& list, std::int32_t bVertical);
  std::int32_t IsSolidCharaAt(cGameObj& obj, std::list<cChara>& list, std::int32_t nExcludedId);
  std::int32_t IsRiddenCharaUnderFeet(cCharaBase& chara);
  cChara* FindSolidCharaUnderFeet(cCharaBase& chara);
  std::int32_t IsEnclosedBySolidCharas(cCharaBase& chara, const cDoubleRect& entry);

  // Conditions of the running stage (flow/).
  std::int32_t CheckBlockConds(cBlockCell& cell);
  bool CheckCondList(const std::vector<cCond>& conds, std::int32_t nMode, cCharaBase* pChara);
  bool CheckCharaConds(cChara& chara);
  bool CheckItemConds(cItem& item);
  bool CheckFlowConds(cFlowRun* run, cCharaBase* pChara);
  bool CheckCond(const cCond& cond, cCharaBase* pSubject);

  // Stage end (stage_end.cpp).
  void EndPlay();
  void Tally();
  std::int32_t ClearResult();
  void EnterRanking();
  // The next file of the numbered series for number n into `out` (1), or "" (0).
  std::int32_t GetNextStageFile(std::string& out, std::int32_t n);
  std::int32_t IsLastStage(std::int32_t n);
  // Loads the series' next stage file; false when the series is over.
  bool LoadNextStage();

  // Drawing (stage_draw.cpp).
  void Draw(std::int32_t bPlayView, std::int32_t bPaused, std::int32_t bTimeSound, std::int32_t bMessageLine);
  void DrawPlayer(std::int32_t bPaused);
  // 1 when the character's defeat animation has ended and it must be removed.
  std::int32_t DrawChara(cChara& chara, std::int32_t bPaused);
  void ScrollBackgrounds();
  void DrawBackground(DDSURFACEDATA* lpDst, std::int32_t nLayer);
  void DrawBlocks(DDSURFACEDATA* lpDst, std::int32_t nLayer);
  void DrawStatus(DDSURFACEDATA* lpDst);
  void DrawTimeLimit(DDSURFACEDATA* lpDst, std::int32_t bTimeSound);
  // Stage-play bitmaps (stage_bitmaps.cpp): the shot sheets and the dedicated, sword and
  // effect pictures.
  void BuildShotSheet();
  void LoadStageBitmaps();
  void LoadSwordBitmaps();
  void LoadEffectBitmaps();
  // Screen colour (screen_color.cpp): set up from the command's eight parameters, drawn
  // last in every frame.
  void SetScreenColor(const std::vector<std::int32_t>& vParam);
  void DrawScreenColor(std::int32_t bPaused);
  // Messages, effects and pictures (overlay_draw.cpp): each drawn for the frame, erased
  // when it reports its end; pictures of layer nLayer only (0 behind the blocks, 1 in
  // front). The screen effect distorts the finished frame (screen_effects.cpp).
  void DrawMessages(DDSURFACEDATA* lpDst, std::int32_t bPaused);
  void DrawEffects(DDSURFACEDATA* lpDst, std::int32_t bPaused);
  void DrawPictures(DDSURFACEDATA* lpDst, std::int32_t nLayer, std::int32_t bPaused);
  void RunScrEffect(std::int32_t bPaused);

  // The state table: entries 0 and 7 call FadeIn and FadeOut.
  using StateHandler = void (cSceneGame::*)();
  StateHandler m_pfnState[GAMESTATE_COUNT];

  std::int32_t m_nSavedState = 0;
  std::int32_t m_nSavedSubState = 0;
  std::int32_t m_nCmdResult = 0;  // STEPRESULT of the last stage-clear or get-item command
  cScroll m_ScrollX;
  cScroll m_ScrollY;
  std::list<cShot> m_lstShot;
  std::vector<std::list<cGameObj*>> m_vGroupList;   // kGroupCount lists: player and characters
  std::vector<std::list<cShot*>> m_vGroupShotList;  // kGroupCount lists of shots
  // Sword pictures, four per SwordType entry: facing left and right, then their
  // system-memory companions (the stage drawing loads them).
  std::vector<DDSURFACEDATA> m_vSwordSurface;
  std::vector<DDSURFACEDEF> m_vSwordSurfaceDef;
  // Dedicated character bitmaps, four per Bmp_CharaExc entry from entry 1 (plain, mirrored
  // per cell, and their system-memory companions); effect pictures, two per Effect entry
  // from entry 1 (video memory, system memory).
  std::vector<DDSURFACEDATA> m_vCharaExcSurface;
  std::vector<DDSURFACEDEF> m_vCharaExcSurfaceDef;
  std::vector<DDSURFACEDATA> m_vEffectSurface;
  std::vector<DDSURFACEDEF> m_vEffectSurfaceDef;
  std::list<cMessage> m_lstMessage;
  std::list<cEffect> m_lstEffect;
  std::list<cPicture> m_lstPicture;
  std::list<DDSURFACEDATA> m_lstPictureSurface;  // the pictures' surfaces, parallel to m_lstPicture
  std::list<DDSURFACEDEF> m_lstPictureDef;
  std::list<DDSURFACEDATA> m_lstMessageSurface;  // the message windows' surfaces
  std::list<DDSURFACEDEF> m_lstMessageDef;
  cScrEffect m_ScrEffect;
  cScreenColor m_ScreenColor;
  cWaitReq m_WaitReq;
  std::int32_t m_bQuit = 0;  // written by the main thread while a pause loop runs
  cCharaBase* m_pFlowChara = nullptr;
  cFlowRun* m_pFlowRun = nullptr;
  cFlowCmdRun* m_pFlowCmdRun = nullptr;
  std::int32_t m_bItemMsgShown = 0;
  std::int32_t m_nPlayers = 1;
  std::int32_t m_nSubStep = 0;       // 1..n during a sub-step
  std::int32_t m_nSubStepTotal = 0;  // sub-steps since set-up
  std::vector<std::int32_t> m_vHitStep;
  std::int32_t m_nTimeLeft = 0;
  std::int32_t m_bNoTimeLimit = 0;
  std::int32_t m_nPlayFrames = 0;
  std::int32_t m_nPlayTime = 0;  // 1/100 s
  std::int32_t m_nBannerCount = 0;
  std::int32_t m_nBanner2Count = 0;
  std::int32_t m_nSeed = 0;
  std::int32_t m_bWaitRelease = 0;
  std::int32_t m_bKilled = 0;
  std::vector<std::int32_t> m_vStageVar;
  std::vector<std::int8_t> m_vAppearSwitch;
  std::int32_t m_nNextCharaId = 0;
  std::int32_t m_nNextItemId = 0;
  std::int32_t m_nNextShotId = 0;
  std::int32_t m_bRemoveOutChara = 0;
  std::int32_t m_bRemoveOutSolid = 0;
  std::int32_t m_bRemoveOutItem = 0;
  std::vector<std::int32_t> m_vSummonedCell;
  std::int32_t m_nFrameCount = 0;
  std::int32_t m_nNextStage = 0;
  std::string m_strNextStage;
  std::int32_t m_bRanked = 0;
  std::vector<std::int32_t> m_vRankPos;
  std::vector<std::int32_t> m_vRankScore;
  std::string m_strEntryName;
  std::int32_t m_bRankEntered = 0;
  std::int32_t m_bShowStatus = 0;
  std::int32_t m_bShotHitPass = 0;
  std::vector<cCmdItem> m_CmdPause;
  // Where the fade-in leads: the start banner, or the clear when the set-up's
  // before-start flows already ended the play.
  std::int32_t m_nStateAfterFadeIn = GAMESTATE_START;
};

// The stage-play scene while it exists (g_lpSceneGame), else null.
cSceneGame* GameScene();
// A replay chosen from the title is being played back.
bool IsReplayPlayback();

// Menu positions: [0] pause menu, [1] retry menu, [2] ranking table.
struct cMenuPos {
  std::int32_t x;
  std::int32_t y;
  std::int32_t nSpare1;
  std::int32_t nSpare2;
};
extern cMenuPos g_MenuPos[3];
