// Stage set-up: the running stage built from the loaded stage data, and the spawning of
// characters, items and blocks during play.
#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdint>
#include <new>
#include <vector>

#include "app/checked_access.h"
#include "app/main_window_handle.h"
#include "app/frame_timing.h"
#include "app/message_boxes.h"
#include "app/random.h"
#include "app/report_log.h"
#include "app/test_play_flag.h"
#include "data/flow/shot_block.h"
#include "data/palette/palette.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_size_limits.h"
#include "data/system/system_data.h"
#include "flow/flow_run.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_display.h"
#include "media/draw/dd_effect_blit.h"
#include "media/draw/dd_fill.h"
#include "media/draw/dd_surface.h"
#include "media/input/input.h"
#include "objects/chara.h"
#include "objects/item.h"
#include "objects/player.h"
#include "objects/shot.h"
#include "objects/trunc.h"
#include "platform/message_queue.h"
#include "platform/win_time.h"
#include "shell/game_init.h"
#include "shell/game_mgr.h"
#include "stage/block_conditions.h"
#include "stage/block_grid.h"
#include "stage/menu_cursor.h"
#include "stage/replay.h"
#include "stage/replay_files.h"
#include "stage/scene_game.h"
#include "stage/scripted_input.h"
#include "stage/stage_overlays.h"
#include "stage/stage_setup.h"
#include "stage/stage_world.h"

namespace {

constexpr int kMargin = 10;        // margin cells on every side of the stage
constexpr int kStageSetupCell = 32;          // dots per cell
constexpr int kOrigin = kMargin * kStageSetupCell;
constexpr int kStageSetupViewW = 640;
constexpr int kStageSetupViewH = 480;
constexpr int kFarLimitAdd = 640;
constexpr int kStageSetupDarkRow = 65;       // the sight mask's darkness surface
constexpr int kStageSetupHoleRow = 66;       // and its light hole
constexpr std::int8_t kTriggerBeforeStart = 21;  // FLOWTRIG_BEFORE_STAGE_START
constexpr const char kSetUpFailed[] = "メモリ不足により、ステージの初期設定に失敗しました！";

// World dot of the centre of stage cell b (margin included).
double CellCentre(int b) { return (static_cast<double>(b) + kMargin) * kStageSetupCell + kStageSetupCell / 2; }

bool AnySide(const cScreenOutRange& range) {
  return range.m_bLeft != 0 || range.m_bRight != 0 || range.m_bTop != 0 || range.m_bBottom != 0;
}

// The group list index of an object: a side outside 0-7 (damaged data) is moved into
// the range, with a report line, so that it never indexes past the eight lists.
void RepairSide(cGameObj& obj) {
  if (obj.m_nLayer >= 0 && obj.m_nLayer < kGroupCount) return;
  const std::int32_t repaired = std::clamp(obj.m_nLayer, 0, kGroupCount - 1);
  WriteReport("side %d of object %d is outside 0-7: %d is used", obj.m_nLayer, obj.m_nObjId, repaired);
  obj.m_nLayer = repaired;
}

// The input record a player reads: a player number without a record is moved to record
// 0 (the player's own input lookup has reported it).
void RepairPlayerNo(cPlayer& player) {
  if (player.m_nPlayerNo >= 0 && static_cast<std::size_t>(player.m_nPlayerNo) < g_Input.size()) return;
  player.m_nPlayerNo = 0;
}

void AddBoxOffset(cGameObj& obj, double dx, double dy) {
  obj.m_dX += dx;
  obj.m_dRight += dx;
  obj.m_dY += dy;
  obj.m_dBottom += dy;
}

// Copy j of a placement or summon stands at its copy offsets; its home point moves with
// it unless the keep-home switch keeps every copy's home at the placement's cell.
void AddCopyOffset(cChara& chara, const cPaletteChara& entry, int j, bool bKeepHome) {
  const double ox = entry.GetIndexedOffsetX(j, chara.m_nFacing);
  const double oy = entry.GetIndexedOffsetY(j, chara.m_nFacing);
  AddBoxOffset(chara, ox, oy);
  if (!bKeepHome) {
    chara.m_dStartX += ox;
    chara.m_dStartY += oy;
  }
}

// An item entry's position offset (dots) moves its box from where it is placed.
void AddItemOffset(cItem& item, const cPaletteItem& entry) {
  AddBoxOffset(item, entry.m_nSetting1, entry.m_nSetting2);
}

// The life of a summoned character or item, in sub-steps. A summon has no timed life of
// its own: its range-limit flag and range (tenths of a second here, not half-blocks) say
// how long what it makes lives. Without the flag the life stays as it was (unlimited).
std::int32_t SummonLifeSteps(const cEdShot& summon, std::int32_t nLife) {
  if (summon.m_bRangeLimit == 0) return nLife;
  return summon.m_nRange * g_StageData.m_nSubSteps6;
}

}  // namespace

void NameBackgroundRows() {
  const std::vector<cStageBack>& backs = g_StageData.m_vBack;
  for (int i = 0; i < kBackgroundRowCount; ++i) {
    DDSURFACEDEF& def = g_FixedSurfaceDef[kFirstBackgroundRow + i];
    const char* file = "";
    if (static_cast<std::size_t>(i) < backs.size() && backs[static_cast<std::size_t>(i)].m_bFill == 0)
      file = backs[static_cast<std::size_t>(i)].m_strPicture.c_str();
    // The name buffer is fixed. A longer name from the stage file is not cut (a cut
    // name could name another file): the row gets no picture and the report says why.
    if (std::strlen(file) >= sizeof(def.szFile)) {
      WriteReport("background %d: the picture name is longer than %d bytes", i, static_cast<int>(sizeof(def.szFile)) - 1);
      file = "";
    }
    std::memcpy(def.szFile, file, std::strlen(file) + 1);
    // DirectDraw keeps a picture larger than the screen in system memory; Direct3D
    // leaves the row's memory type as it is.
    if (def.szFile[0] != '\0' && lpDDCon != nullptr) DDIsBitmapLarger(&def.nDDMemType, def.szFile, 640, 480);
  }
}

void BuildHitSteps(std::vector<std::int32_t>& steps, int n, int kFromStage) {
  steps.assign(static_cast<std::size_t>(std::max(n, 0)), 0);
  if (n <= 0) return;
  // The count is never trusted as it stands: a negative one would never end the loop
  // below, a huge one would run it billions of times.
  const int k = std::clamp(kFromStage, 0, n);
  if (k == 0) {
    std::fill(steps.begin(), steps.end(), 1);
    return;
  }
  const double step = static_cast<double>(n) / k;
  int set = 0;
  for (double t = 0; TruncToInt(t) < n; t += step) {
    steps[static_cast<std::size_t>(TruncToInt(t))] = 1;
    ++set;
  }
  if (set < k) steps.back() = 1;
}

int GridRowShift(std::int32_t width) {
  // The number of halvings that bring width + 19 to 0.
  int shift = 0;
  for (auto u = static_cast<std::uint32_t>(width + 2 * kMargin - 1); u != 0; u >>= 1) ++shift;
  return shift;
}

std::int32_t cSceneGame::SetStage(std::int32_t bLoadStage, std::int32_t bRestartBgm) {
  WriteECf("In SetStage bLoadStage = %d", bLoadStage);
  m_nFrameCount = 0;

  // 2. The runtime collections.
  m_vGroupShotList.assign(kGroupCount, {});
  m_lstShot.clear();
  m_vGroupList.assign(kGroupCount, {});
  g_listChara.clear();
  g_listItem.clear();

  // 3. The stage settings.
  cStageData& stage = g_StageData;
  if (bLoadStage != 0) {
    if (IsReplayPlayback()) {
      const std::string path = stage.m_strPath;
      if (!LoadReplay(path.c_str())) PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    }
    stage.CopyFrom(g_StageDataOrg);
    stage.m_vBack = g_StageDataOrg.m_vBack;
    stage.m_vText = g_StageDataOrg.m_vText;
    stage.m_OutRange = g_StageDataOrg.m_OutRange;
    stage.m_vResultKind = g_StageDataOrg.m_vResultKind;
  }

  // 4. The random seed.
  if (IsReplayPlayback()) {
    g_Replay.m_nDirIndex = g_Replay.m_nButtonIndex = g_Replay.m_nDirCount = g_Replay.m_nButtonCount = 0;
    m_nSeed = g_Replay.m_nSeed;
  } else if (g_SystemData.m_bRecordReplay != 0) {
    g_ProgressAtPrevStageStart = g_ProgressAtStageStart;
    g_ProgressAtStageStart = g_Progress;
    g_ReplayPrev = g_Replay;
    g_Replay.Reset();
    if (!ScriptedSeed(m_nSeed)) m_nSeed = static_cast<std::int32_t>(timeGetTime());
    g_Replay.m_nSeed = m_nSeed;
  } else {
    // Without a recording the scene keeps the seed it has, unless a scripted run sets one.
    ScriptedSeed(m_nSeed);
  }
  SeedRand(static_cast<unsigned>(m_nSeed));

  // 5. Carry-over into the hero placement.
  if (stage.m_bApplyCarryOver != 0)
    g_Progress.ApplyCarryOver(0, CheckedAt(stage.m_vCharaPlace, stage.GetHeroIndex()), stage);

  // 6. Music.
  const bool bPlaying = g_Progress.m_nStageBgm == stage.m_nBgm;
  if (bRestartBgm != 0) {
    if (!(stage.m_bBgmKeep != 0 && bPlaying && stage.m_nBgm != 0)) PlayBgm(stage.m_nBgm, stage.m_bBgmLoop);
  } else if (!bPlaying) {
    PlayBgm(stage.m_nBgm, stage.m_bBgmLoop);
  }
  g_GameMgr.m_nBgm = 0;

  // 7. Ids and physics.
  m_nNextCharaId = m_nNextItemId = m_nNextShotId = 0;
  stage.SetCollisionLevel(stage.m_nCollisionLevel);
  const int n = stage.m_nSubSteps;

  // A stage whose size would overflow the grid's size or its indices is refused: the
  // grid is (H + 20) rows of a power of two above W + 19 cells, computed in 64 bits.
  const std::int32_t W = stage.m_nWidth;
  const std::int32_t H = stage.m_nHeight;
  if (!StageSizeWithinLimits(W, H)) {
    WriteReport("stage size %d x %d is outside the limits", W, H);
    ErrMesBoxf("%s", kSetUpFailed);
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return SETSTAGE_FAILED;
  }

  // 8-9. The scroll axes.
  cScroll& sx = m_ScrollX;
  sx.m_nAxis = 0;
  sx.m_nView = kStageSetupViewW;
  sx.m_nMargin = kMargin;
  sx.m_nCells = W + 2 * kMargin;
  sx.m_nFarLimit = stage.m_nPixelWidth + kFarLimitAdd;
  sx.m_nShift = GridRowShift(W);
  sx.m_nStride = 1 << sx.m_nShift;
  sx.m_nOrigin = kOrigin;
  sx.m_nExtent = std::max(0, (sx.m_nCells - kMargin) * kStageSetupCell);
  sx.SetSpeed(stage.m_nScrollModeX == 1 ? 1 : 0, stage.m_nAutoScrollX);
  sx.SetRange(stage.m_nLimitLeft, stage.m_nLimitRight, stage.m_bLimitLeft, stage.m_bLimitRight);
  cScroll& sy = m_ScrollY;
  sy.m_nAxis = 1;
  sy.m_nView = kStageSetupViewH;
  sy.m_nMargin = kMargin;
  sy.m_nFarLimit = stage.m_nPixelHeight + kFarLimitAdd;
  sy.m_nShift = 0;
  sy.m_nOrigin = kOrigin;
  sy.m_nCells = H + 2 * kMargin;
  sy.m_nStride = sy.m_nCells;
  sy.m_nExtent = std::max(0, (sy.m_nCells - kMargin) * kStageSetupCell);
  sy.SetSpeed(stage.m_nScrollModeY == 1 ? 1 : 0, stage.m_nAutoScrollY);
  sy.SetRange(stage.m_nLimitTop, stage.m_nLimitBottom, stage.m_bLimitTop, stage.m_bLimitBottom);

  // 10. The block grid.
  try {
    g_vBlockMap.clear();
    const auto cells = static_cast<std::size_t>(sy.m_nCells) << sx.m_nShift;
    g_vBlockMap.assign(cells, cBlockCell());
  } catch (const std::bad_alloc&) {
    g_vBlockMap.clear();
    ErrMesBoxf("%s", kSetUpFailed);
    PostMessageA(g_hWnd, WM_CLOSE, 0, 0);
    return SETSTAGE_FAILED;
  }
  for (cBlockCell& cell : g_vBlockMap) {
    cell.m_nGraphic = 0;
    cell.m_nHit = 0;
    cell.m_bProtected = 0;
  }
  for (const cPaletteBlock& p : stage.m_vBlockPlace) {
    const int col = p.m_nCellX + kMargin;
    const int row = p.m_nCellY + kMargin;
    // A column past the row's end would land in the next row: it is out of the grid.
    const int index = col >= 0 && col < sx.m_nStride && row >= 0 && row < sy.m_nCells ? col + (row << sx.m_nShift) : -1;
    cBlockCell& cell = CheckedAt(g_vBlockMap, index);
    cell = cBlockCell(p);
    cell.m_bLatch = 0;
  }

  // 11-12. The player.
  m_nPlayers = 1;
  g_vPlayer.clear();
  g_vPlayer.resize(static_cast<std::size_t>(m_nPlayers));
  WriteECf("A");
  cProgress& progress = g_Progress;
  for (int i = 0; i < m_nPlayers; ++i) {
    cPaletteChara& place = CheckedAt(stage.m_vCharaPlace, stage.GetHeroIndex());
    cPlayer& player = CheckedAt(g_vPlayer, i);
    if (progress.m_bStartPosSet != 0) place.m_nDirection = static_cast<std::int8_t>(progress.m_nStartDir);
    const std::int32_t id = m_nNextCharaId++;
    player.Init(id, place, CellCentre(place.m_nCellX), CellCentre(place.m_nCellY), 0);
    if (progress.m_bStartPosSet != 0) {
      place.m_nCellX = static_cast<std::int16_t>(progress.m_nStartX);
      place.m_nCellY = static_cast<std::int16_t>(progress.m_nStartY);
    }
    player.PlaceAtBlock(place.m_nCellX, place.m_nCellY);
    AddBoxOffset(player, place.GetIndexedOffsetX(0, player.m_nFacing), place.GetIndexedOffsetY(0, player.m_nFacing));
    if (stage.m_bApplyCarryOver != 0) progress.ApplyCarryOverExtra(i, player.m_nHp, player.m_nSp);
    player.m_Anime.Set(player.m_bNoGravity != 0 ? 2 : 0, 1);
    RepairPlayerNo(player);
    RepairSide(player);
  }

  // 13. The camera on player 1.
  WriteECf("B");
  cPlayer& hero = CheckedAt(g_vPlayer, 0);
  sx.m_dPos = hero.m_dX - 320 + hero.m_nBoxW / 2;
  sx.Clamp();
  sy.m_dPos = hero.m_dY - 240 + hero.m_nBoxH / 2;
  sy.Clamp();
  hero.UpdateScreenRect();

  // 14. Limited sight.
  if (hero.m_Def.m_nSightShape != 0) CreateSpotlight(kStageSetupDarkRow, kStageSetupHoleRow);

  // 15. Stage variables.
  m_vStageVar.assign(kStageVarCount, 0);
  WriteECf("10");

  // 16-17. Characters, then the items that no character carries.
  std::vector<std::int32_t> carried(stage.m_vItemPlace.size(), 0);
  for (cPaletteChara& cp : stage.m_vCharaPlace) {
    if (cp.m_nController != CHARACTRL_COMPUTER) continue;
    if (cp.m_nCarryItem < 0) {
      PlaceChara(g_listChara, cp.m_nCellX, cp.m_nCellY, &m_nNextCharaId, cp, nullptr);
      continue;
    }
    cItem item;
    item.Init(m_nNextItemId, CheckedAt(stage.m_vItemPlace, cp.m_nCarryItem), 1);
    ++m_nNextItemId;
    PlaceChara(g_listChara, cp.m_nCellX, cp.m_nCellY, &m_nNextCharaId, cp, &item);
    CheckedAt(carried, cp.m_nCarryItem) = 1;
  }
  for (std::size_t k = 0; k < stage.m_vItemPlace.size(); ++k) {
    if (carried[k] != 0) continue;
    cPaletteItem& ip = stage.m_vItemPlace[k];
    PlaceItem(g_listItem, ip.m_nCellX, ip.m_nCellY, &m_nNextItemId, ip);
  }

  // 18. The group lists.
  WriteECf("11");
  WriteECf("12");
  WriteECf("C");
  WriteECf("D");
  m_vGroupList[static_cast<std::size_t>(hero.m_nLayer)].push_back(&hero);
  for (cChara& chara : g_listChara) {
    RepairSide(chara);
    m_vGroupList[static_cast<std::size_t>(chara.m_nLayer)].push_back(&chara);
  }

  // 19. Out-of-screen removal.
  m_bRemoveOutChara = AnySide(stage.m_OutRange[OUTRANGE_WALKING_CHARA]) ? 1 : 0;
  m_bRemoveOutSolid = AnySide(stage.m_OutRange[OUTRANGE_FLYING_CHARA]) ? 1 : 0;
  m_bRemoveOutItem = AnySide(stage.m_OutRange[OUTRANGE_ITEM]) ? 1 : 0;

  // 20. What is shown over the stage.
  m_lstMessage.clear();
  m_lstEffect.clear();
  m_ScrEffect = cScrEffect();
  m_ScreenColor.Clear();
  m_WaitReq.m_nSpare = 0;
  ClearPictures();
  ClearMessages();

  // 21. The group hit schedule.
  BuildHitSteps(m_vHitStep, n, stage.m_nHitChecksPerFrame);

  // 22. Counters and the time limit.
  m_nCmdResult = 0;
  m_nBannerCount = 0;
  m_nBanner2Count = 0;
  if (stage.m_bTimeLimit != 0) {
    m_bNoTimeLimit = 0;
    m_nTimeLeft = stage.m_nTimeLimit;
  } else {
    m_nTimeLeft = 999;
    m_bNoTimeLimit = 1;
  }
  m_nPlayFrames = 0;
  m_nPlayTime = 0;
  m_vAppearSwitch.assign(kAppearSwitchCount, 0);
  m_vSummonedCell.clear();
  m_nNextStage = 0;
  m_nSubStep = 0;
  m_nSubStepTotal = 0;
  progress.m_nStageScore = 0;

  // 23. The snapshot restarts go back to.
  if (IsReplayPlayback() || (g_bTestPlay != 0 && g_bStartStage != 0)) progress.ResetStageValues();
  progress.TakeSnapshot();

  // 24. Input and the shared frame counter.
  for (cInput& input : g_Input) {
    input.ClearHistory();
    input.ResetSequences();
  }
  g_MenuCursor.Reset();
  CountEvery(0, stage.m_nStageFps);

  // 25. Backgrounds and the palette.
  for (cStageBack& back : stage.m_vBack) {
    back.m_dPosX = 0;
    back.m_dPosY = 0;
  }
  if (g_nBpp == 8) {
    std::copy(g_Palette, g_Palette + 256, g_DispPalette);
    DDSetPalette_UnPal(g_DispPalette, &g_BackBuffer);
  }

  // 26. Frame rate and links.
  g_GameMgr.m_nFps = stage.m_nStageFps;
  hero.InitLinks(nullptr);
  for (cChara& chara : g_listChara) chara.InitLinks(nullptr);

  // 27. Before-start flows.
  bool bCleared = false;
  const bool bAll = g_SystemData.m_bRuleSetStage697 != 0;
  if (!bAll) UpdateActive();
  hero.FireTrigger(kTriggerBeforeStart);
  for (auto it = g_listChara.begin(); it != g_listChara.end();) {
    cChara& chara = *it;
    if (!bAll && chara.m_bActive == 0) {
      ++it;
      continue;
    }
    chara.FireTrigger(kTriggerBeforeStart);
    if (chara.m_bRemove != 0) {
      it = RemoveChara(it);
      continue;
    }
    if (chara.m_nHp <= 0) {
      // A defeat that clears the stage ends the play (the tally and the clear state are
      // done); the caller must not start the stage over it.
      if (HandleDefeat(chara, g_listChara) == STEP_CLEAR) bCleared = true;
      it = RemoveChara(it);
      continue;
    }
    ++it;
  }

  // 28.
  UpdateActive();
  m_bShowStatus = stage.m_bShowStatus;
  DDSetVirtualBackBuffer(0);
  WriteECf("Out SetStage");
  return bCleared ? SETSTAGE_CLEARED : SETSTAGE_READY;
}

std::list<cChara>::iterator cSceneGame::RemoveChara(std::list<cChara>::iterator it) {
  return EraseCharaNode(g_listChara, it);
}

void cSceneGame::PlaceChara(std::list<cChara>& list, int bx, int by, std::int32_t* pNextId,
                            const cPaletteChara& placement, const cItem* pCarriedItem) {
  cPaletteChara copy = placement;
  const int c = static_cast<int>(placement.m_nCopies) + 1;
  const bool bKeepHome = g_SystemData.m_bRulePlaceChara768 != 0;
  for (int j = 0; j < c; ++j) {
    // Made in place at the end of the list: a character is large, and a copy outside
    // the stage area is dropped again before anything links to it.
    cChara& chara = list.emplace_back();
    chara.Init(*pNextId, copy, pCarriedItem, CellCentre(bx), CellCentre(by), j, 0);
    chara.PlaceAtBlock(bx, by);
    AddCopyOffset(chara, copy, j, bKeepHome);
    if (!chara.IsInsideArea(1)) {
      list.pop_back();
      continue;
    }
    chara.ConstrainX();
    chara.ConstrainY();
    chara.UpdateScreenRect();
    ++*pNextId;
  }
}

void cSceneGame::PlaceItem(std::list<cItem>& list, int bx, int by, std::int32_t* pNextId,
                           const cPaletteItem& placement) {
  cPaletteItem copy = placement;
  cItem& item = list.emplace_back();
  item.Init(*pNextId, copy, 0);
  item.PlaceAtBlock(bx, by);
  AddItemOffset(item, copy);
  if (!item.IsInsideArea(1)) {
    list.pop_back();
    return;
  }
  item.ClampX(2);
  item.ClampY(2);
  item.UpdateScreenRect();
  ++*pNextId;
}

void cSceneGame::SpawnChara(std::list<cChara>& list, double x, double y, std::int8_t nGroup, std::int8_t nFacing,
                            std::int32_t /*nOwnerFacing*/, const cEdShot& summon, const cPaletteChara& entry,
                            std::int32_t* pNextId, cCharaBase* pParent) {
  cPaletteChara copy = entry;
  copy.m_nDirection = nFacing;
  copy.m_nSide = nGroup;
  if (summon.m_bNoScore != 0) copy.m_nScore = 0;
  const int c = static_cast<int>(entry.m_nCopies) + 1;
  const bool bKeepHome = g_SystemData.m_bRulePlaceChara768 != 0;
  for (int j = 0; j < c; ++j) {
    cChara& chara = list.emplace_back();
    chara.Init(*pNextId, copy, nullptr, x + 16, y + 16, j, 0);
    chara.m_dX = x + chara.m_nBoxOffX;
    chara.m_dY = y + chara.m_nBoxOffY;
    chara.m_dRight = chara.m_dX + chara.m_nBoxW - 1;
    chara.m_dBottom = chara.m_dY + chara.m_nBoxH - 1;
    AddCopyOffset(chara, copy, j, bKeepHome);
    if (!chara.IsInsideArea(1)) {
      list.pop_back();
      continue;
    }
    chara.ConstrainX();
    chara.ConstrainY();
    chara.UpdateScreenRect();
    if (IsPlaceBlocked(chara) != 0) {
      list.pop_back();
      continue;
    }
    chara.InitLinks(pParent);
    chara.m_nLife = SummonLifeSteps(summon, chara.m_nLife);
    chara.m_bCreditParent = summon.m_bAttack;
    chara.m_nCreditGroup = static_cast<std::uint8_t>(summon.m_nAttackID);
    RepairSide(chara);
    m_vGroupList[static_cast<std::size_t>(chara.m_nLayer)].push_back(&chara);
    ++*pNextId;
  }
}

void cSceneGame::SpawnItem(std::list<cItem>& list, double x, double y, std::int32_t /*nOwnerFacing*/,
                           const cEdShot& summon, const cPaletteItem& entry, std::int32_t* pNextId) {
  cPaletteItem copy = entry;
  cItem& item = list.emplace_back();
  item.Init(*pNextId, copy, 0);
  item.m_dX = x + item.m_nBoxOffX;
  item.m_dY = y + item.m_nBoxOffY;
  item.m_dRight = item.m_dX + item.m_nBoxW - 1;
  item.m_dBottom = item.m_dY + item.m_nBoxH - 1;
  AddItemOffset(item, copy);
  if (!item.IsInsideArea(1)) {
    list.pop_back();
    return;
  }
  item.ClampX(2);
  item.ClampY(2);
  item.m_nLife = SummonLifeSteps(summon, item.m_nLife);
  ++*pNextId;
}

void cSceneGame::SpawnBlock(double x, double y, std::int32_t /*nOwnerFacing*/, const cEdShot& summon,
                            const cPaletteBlock& entry) {
  const int cx = TruncToInt(x + 16.5) >> 5;
  const int cy = TruncToInt(y + 16.5) >> 5;
  // Column and row are tested each on its own: a column past the row's end would
  // otherwise change a cell of the next row.
  cBlockCell* pCell = BlockCellAt(cx, cy);
  if (pCell == nullptr) return;
  const int i = cx + (cy << m_ScrollX.m_nShift);
  cBlockCell& cell = *pCell;
  if (g_SystemData.m_bRuleBlockSpawn637 != 0) {
    if (cell.m_bProtected != 0) return;
  } else if (cell.m_nGraphic != 0 && CheckBlockConds(cell) != 0 && cell.m_bProtected != 0) {
    return;
  }
  const bool bRefusable = summon.m_bBlockRefusePlayer != 0 || summon.m_bBlockRefuseChara != 0;
  // Places the entry; false when an object in the cell refused it (the cell is as it was).
  const auto place = [&]() {
    if (!bRefusable) {
      cell = cBlockCell(entry);
      cell.m_bLatch = 0;
      FlagCharasInBlock(i, cx, cy, summon);
      return true;
    }
    const cBlockCell saved = cell;
    cell = cBlockCell(entry);
    cell.m_bLatch = 0;
    if (FlagCharasInBlock(i, cx, cy, summon) == 1) {
      cell = saved;
      return false;
    }
    return true;
  };
  const auto erase = [&]() {
    const std::vector<cPaletteBlock>& common = g_CommonPalette.m_vBlock;
    cell = common.empty() ? cBlockCell() : cBlockCell(common.front());
    cell.m_bLatch = 0;
  };
  switch (summon.m_nBlockSummonMode) {
    case 0:
      place();
      break;
    case 1:
      erase();
      break;
    case 2:
      if (std::find(m_vSummonedCell.begin(), m_vSummonedCell.end(), i) != m_vSummonedCell.end()) return;
      if (cell.m_nGraphic != 0 && CheckBlockConds(cell) != 0) {
        erase();
        m_vSummonedCell.push_back(i);
      } else if (place()) {
        m_vSummonedCell.push_back(i);
      }
      break;
    default:
      break;
  }
}

std::int32_t cSceneGame::FlagCharasInBlock(int nCell, int cx, int cy, const cEdShot& summon) {
  cBlockCell* pCell = BlockCellAtIndex(nCell);
  if (pCell == nullptr) return 0;
  const double left = cx * 32.0;
  const double right = cx * 32.0 + 32 - 0.1;
  const double top = cy * 32.0;
  const double bottom = cy * 32.0 + 32 - 0.1;
  const auto overlaps = [&](const cGameObj& obj) {
    return obj.m_dX <= right && obj.m_dRight >= left && obj.m_dY <= bottom && obj.m_dBottom >= top;
  };
  for (cPlayer& player : g_vPlayer) {
    if (player.m_bDying != 0) continue;
    if (pCell->GetHit(static_cast<std::int8_t>(player.m_nLayer)) == 0 || !overlaps(player)) continue;
    player.m_nContactGrace = 2;
    if (summon.m_bBlockRefusePlayer != 0) return 1;
  }
  for (cChara& chara : g_listChara) {
    if (chara.m_bDying != 0 || chara.m_bActive == 0) continue;
    if (pCell->GetHit(static_cast<std::int8_t>(chara.m_nLayer)) == 0 || !overlaps(chara)) continue;
    chara.m_nContactGrace = 2;
    if (summon.m_bBlockRefuseChara != 0) return 1;
  }
  return 0;
}

void cSceneGame::CreateSpotlight(int nDarkRow, int nHoleRow) {
  DDSURFACEDATA& dark = g_FixedSurface[nDarkRow];
  DDSURFACEDATA& hole = g_FixedSurface[nHoleRow];
  DDReleaseSurface(&dark);
  DDReleaseSurface(&hole);
  const cPlayer& hero = CheckedAt(g_vPlayer, 0);
  // A negative range (damaged data) would give negative surface sizes: no light at all.
  const int r = std::max(0, hero.m_nSightRange);
  if (!DDCreateSurface(&dark, 1280 + 2 * r, 960 + 2 * r, 1, 1, 0, 0, 0)) {
    MemErrMesBox();
    return;
  }
  DDFillSurface(&dark, 16);
  if (r == 0) return;
  const int cx = (1280 + 2 * r) / 2;
  const int cy = (960 + 2 * r) / 2;
  const int shape = hero.m_Def.m_nSightShape;
  if (shape == 1 || shape == 2) {
    if (!DDCreateSurface(&hole, 2 * r, 2 * r, 1, 1, 0, 0, 0)) {
      MemErrMesBox();
      return;
    }
    if (g_SystemData.m_bFullColor != 0)
      DDFillSurfaceRGB(&hole, PalNumToRGB(0));
    else
      DDFillSurface(&hole, 0);
    DDCircleBlt(&dark, cx, cy, r, r, r, 1, &hole, r, r, 0);
    return;
  }
  DDFillRect(&dark, cx - r, cy - r, 2 * r, 2 * r, 0);
}

void cSceneGame::ClearPictures() {
  DDReleaseSurfaceList(&m_lstPictureSurface);
  m_lstPictureSurface.clear();
  m_lstPictureDef.clear();
  m_lstPicture.clear();
}

void cSceneGame::ClearMessages() {
  DDReleaseSurfaceList(&m_lstMessageSurface);
  m_lstMessageSurface.clear();
  m_lstMessageDef.clear();
}
