#pragma once
// A stage: its settings, its own definitions of blocks, characters and items (the stage
// palette, palette kind 2), the placements of blocks, characters and items on the map,
// the background layers, a list of texts kept for the authoring tool, the result kinds
// that count for the stage and five out-of-screen ranges.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
#include "data/stage/screen_out_range.h"
#include "data/stage/stage_back.h"
#include "data/stage/stage_string.h"

// Result kinds: positions in cStageData::m_vResultKind.
enum RESULTKIND {
  RESULT_SCORE = 0,
  RESULT_TIMELEFT,
  RESULT_CLEARTIME,
  RESULT_HPLEFT,
  RESULT_SPLEFT,
  RESULT_KIND_COUNT,
};

// The groups of objects that the out-of-screen ranges apply to: positions in
// cStageData::m_OutRange.
enum OUTRANGE {
  OUTRANGE_WALKING_CHARA = 0,  // stage characters on foot
  OUTRANGE_FLYING_CHARA,       // flying stage characters
  OUTRANGE_ITEM,               // items
  OUTRANGE_OTHER_SHOT,         // shots whose owner is not on the player side
  OUTRANGE_PLAYER_SHOT,        // shots of the player side
  OUTRANGE_COUNT,
};

// The last int32 of a stage body: files of version 173 and later end with it.
constexpr std::int32_t kStageSentinel = 123456789;

// Collision levels the authoring tool stores, and the level of a new stage.
constexpr int kMinCollisionLevel = 1;
constexpr int kMaxCollisionLevel = 19;
constexpr int kDefaultCollisionLevel = 10;

// File layout (after the version word): the registered part (int32 98, 416 bytes of
// members at 811, int32 1, m_strText); m_vResultKind (int32 n, n int32); the five ranges;
// the block, character and item definitions (each int32 n and n entry bodies); the
// block, character and item placements (each int32 n and n times int32 0 and an entry
// body); the backgrounds and the texts (counted lists of record bodies); the sentinel.
class cStageData : public cDataRecord {
 public:
  // A new stage: see Reset.
  cStageData();
  cStageData(const cStageData&) = default;
  cStageData(cStageData&&) noexcept = default;
  cStageData& operator=(const cStageData&) = default;
  cStageData& operator=(cStageData&&) noexcept = default;
  ~cStageData() override = default;

  // Base reset, no placements, one new entry in each definition list, the default
  // settings, one background filled with a colour, five result kinds on, the default
  // ranges and object sizes. The derived physics values stay 0 until SetCollisionLevel.
  // The text list is left as it is.
  void Reset();
  // The defaults of the object size table (m_nPlayerWalkW to m_nSizeSpare5).
  void SetSizeDefaults();

  // Reads a stage body, converts the data of older files and normalises. A body that is
  // damaged or cut short marks `in` damaged and leaves a new, normalised stage.
  void Read(cDataReader& in) override;
  // Normalises, then writes the stage body and the sentinel.
  void Write(cDataWriter& out) override;

  // Repairs after reading and before writing: scroll limits clamped to the stage, the
  // derived physics values, the music index, at least two entries per definition list
  // and the repairs of every entry.
  void Normalize();
  // Stores the collision level and derives the sub-step count and the per-step values.
  // A level outside 1 to 19 (never stored by the authoring tool) is taken as 10.
  void SetCollisionLevel(int level);

  // The first character placement the player controls that has a graphic; -1 when none.
  int GetHeroIndex() const;
  // 1 when the stage has such a placement (a stage without one cannot be played).
  int HasHero() const;
  // The stage body of a replay: normalises this stage, then writes the settings of
  // `source` (the pristine copy) with this stage's definitions and placements, in the
  // layout of a stage file after its version word, ending with the sentinel.
  void WriteForReplay(cDataWriter& out, const cStageData& source);

  // The only registered text: kept for the authoring tool, not read by the player.
  std::string m_strText;

  // Placements on the map.
  std::vector<cPaletteBlock> m_vBlockPlace;
  std::vector<cPaletteChara> m_vCharaPlace;
  std::vector<cPaletteItem> m_vItemPlace;
  // The stage palette. Entry 0 of each list always holds its class defaults.
  std::vector<cPaletteBlock> m_vBlockDef;
  std::vector<cPaletteChara> m_vCharaDef;
  std::vector<cPaletteItem> m_vItemDef;
  std::vector<cStageBack> m_vBack;
  std::vector<cStageString> m_vText;
  // One flag per RESULTKIND: 1 the stage records and shows that result.
  std::vector<std::int32_t> m_vResultKind;
  // Indexed by OUTRANGE.
  std::array<cScreenOutRange, OUTRANGE_COUNT> m_OutRange;

  // Registered members, in file order. "from N": absent from files before version N.
  std::int32_t m_nWidth = 0;             // stage width in blocks (32-pixel cells)
  std::int32_t m_nAuxX = 0;              // kept for the authoring tool
  std::int32_t m_nAuxY = 0;              // kept for the authoring tool
  std::int32_t m_nHeight = 0;            // stage height in blocks
  std::int32_t m_bLimitLeft = 0;         // the view stays right of column m_nLimitLeft
  std::int32_t m_bLimitRight = 0;        // the view stays left of column m_nLimitRight
  std::int32_t m_bLimitTop = 0;          // the view stays below row m_nLimitTop
  std::int32_t m_bLimitBottom = 0;       // the view stays above row m_nLimitBottom
  std::int32_t m_nLimitLeft = 0;         // leftmost block column of the scroll range
  std::int32_t m_nLimitRight = 0;        // rightmost block column of the scroll range
  std::int32_t m_nLimitTop = 0;          // top block row of the scroll range
  std::int32_t m_nLimitBottom = 0;       // bottom block row of the scroll range
  std::int32_t m_nStageFps = 0;          // frames per second during play
  std::int32_t m_bTimeLimit = 0;         // the stage has a time limit
  std::int32_t m_nTimeLimit = 0;         // seconds (one step per 60 frames)
  std::int32_t m_nTimeWarning = 0;       // remaining time at which the display warns
  std::int32_t m_nScrollModeX = 0;       // 0 follow the hero, 1 automatic
  std::int32_t m_nScrollModeY = 0;       // 0 follow the hero, 1 automatic
  std::int32_t m_nAutoScrollX = 0;       // automatic speed, tenths of a pixel per frame
  std::int32_t m_nAutoScrollY = 0;       // automatic speed, tenths of a pixel per frame
  double m_dGravity = 0;                 // pixels per frame per frame
  std::int32_t m_nCollisionLevel = 0;    // 1 to 19, see SetCollisionLevel
  std::int32_t m_nHitChecksPerFrame = 0; // group hit tests: 0 every sub-step, 1 to 5 per frame
  std::int32_t m_nBgm = 0;               // Bgm database index of the stage music
  std::int32_t m_bBgmLoop = 0;           // from 166: the music loops
  std::int32_t m_bBgmKeep = 0;           // from 199: keep the music when it already plays
  std::int32_t m_bLayeredDraw = 0;       // draw objects in 8 priority layers
  std::int32_t m_bApplyCarryOver = 0;    // apply the carried-over player state at the start
  std::int32_t m_bStoreCarryOver = 0;    // store the players' state at a clear
  std::int32_t m_bShowStatus = 0;        // from 183: the status bar is shown
  std::int32_t m_bClearAutoAdvance = 0;  // from 184: a clear goes on by itself after 200 frames
  std::int32_t m_bStageBanner = 0;       // the stage banner at the start
  std::int32_t m_bStartBanner = 0;       // from 225: the start banner when m_bStageBanner is 0
  std::int32_t m_bClearBanner = 0;       // the clear banner
  std::int32_t m_bGameOverBanner = 0;    // the game-over banner

  // The object size table, in pixels. Boxes are centred horizontally in the object's
  // 32-pixel cell; vertically centred, or on the cell bottom when the bottom flag is 1.
  std::int32_t m_nPlayerWalkW = 0;       // from 200: player body while walking
  std::int32_t m_nPlayerWalkH = 0;       // from 200
  std::int32_t m_nPlayerFlyW = 0;        // from 200: player body while flying
  std::int32_t m_nPlayerFlyH = 0;        // from 200
  std::int32_t m_nPlayerHitWalkW = 0;    // player hit area, kind 0 while walking
  std::int32_t m_nPlayerHitWalkH = 0;
  std::int32_t m_nPlayerHitFlyW = 0;     // from 155: player hit area, kind 0 while flying
  std::int32_t m_nPlayerHitFlyH = 0;     // from 155
  std::int32_t m_nPlayerHitKind1W = 0;   // player hit area of kind 1; a second centred box
  std::int32_t m_nPlayerHitKind1H = 0;
  std::int32_t m_nPlayerBoxW = 0;        // a third centred box of the player
  std::int32_t m_nPlayerBoxH = 0;
  std::int32_t m_bPlayerWalkBottom = 0;     // from 200
  std::int32_t m_bPlayerFlyBottom = 0;      // from 200
  std::int32_t m_bPlayerHitWalkBottom = 0;  // from 155
  std::int32_t m_bPlayerHitFlyBottom = 0;   // from 155
  std::int32_t m_nPlayerPartValue0 = 0;  // from 200: values of the player's hit parts 1 to 4
  std::int32_t m_nPlayerPartValue1 = 0;
  std::int32_t m_nPlayerPartValue2 = 0;
  std::int32_t m_nPlayerPartValue3 = 0;
  std::int32_t m_nPlayerPartSel0 = 0;    // from 200: selectors 0 to 7 of the hit parts
  std::int32_t m_nPlayerPartSel1 = 0;
  std::int32_t m_nPlayerPartSel2 = 0;
  std::int32_t m_nPlayerPartSel3 = 0;
  std::int32_t m_nCharaWalkW = 0;        // from 200: stage character body while walking
  std::int32_t m_nCharaWalkH = 0;        // from 200
  std::int32_t m_nCharaFlyW = 0;         // from 200: stage character body while flying
  std::int32_t m_nCharaFlyH = 0;         // from 200
  std::int32_t m_nCharaHitWalkW = 0;     // character hit area, kind 0 while walking
  std::int32_t m_nCharaHitWalkH = 0;
  std::int32_t m_nCharaHitFlyW = 0;      // from 155: character hit area, kind 0 while flying
  std::int32_t m_nCharaHitFlyH = 0;      // from 155
  std::int32_t m_nCharaHitKind1W = 0;    // character hit area of kind 1; a second centred box
  std::int32_t m_nCharaHitKind1H = 0;
  std::int32_t m_bCharaWalkBottom = 0;     // from 200
  std::int32_t m_bCharaFlyBottom = 0;      // from 200
  std::int32_t m_bCharaHitWalkBottom = 0;  // from 155
  std::int32_t m_bCharaHitFlyBottom = 0;   // from 155
  std::int32_t m_nItemW = 0;             // item body
  std::int32_t m_nItemH = 0;
  std::int32_t m_nPlayerHitKind2W = 0;   // player hit area of kind 2; also read for shots
  std::int32_t m_nPlayerHitKind2H = 0;
  std::int32_t m_nSizeSpare1 = 0;        // kept in the file, not read
  std::int32_t m_nSizeSpare2 = 0;
  std::int32_t m_nCharaHitKind2W = 0;    // character hit area of kind 2; also read for shots
  std::int32_t m_nCharaHitKind2H = 0;
  std::int32_t m_nSizeSpare3 = 0;        // kept in the file, not read
  std::int32_t m_nSizeSpare4 = 0;
  std::int32_t m_nSizeSpare5 = 0;

  std::int32_t m_nPixelWidth = 0;        // width x 32, as the authoring tool stored it
  std::int32_t m_nPixelHeight = 0;       // height x 32
  // Derived from m_nCollisionLevel and m_dGravity by SetCollisionLevel.
  std::int32_t m_nSubSteps = 0;          // physics sub-steps per frame
  double m_dSubSteps = 0;
  double m_dSubStepsSq = 0;
  double m_dSpeedLimit = 0;              // pixels per frame
  double m_dGravityStep = 0;             // gravity per sub-step
  double m_dSpeedLimitStep = 0;          // speed limit per sub-step
  std::int32_t m_nSubSteps8 = 0;         // 8 x sub-steps
  std::int32_t m_bGroupHitOption = 0;    // read by the group hit tests and the nearest-character search
  std::int32_t m_nCharaKeyedInvincible = 0;   // frames (x sub-steps) against one attacker
  std::int32_t m_nCharaInvincible = 0;        // frames (x sub-steps) after damage
  std::int32_t m_nPlayerKeyedInvincible = 0;  // the same for the player side
  std::int32_t m_nPlayerInvincible = 0;

  // Not stored.
  std::string m_strPath;          // the file the stage was loaded from
  std::int32_t m_bPathIsName = 0; // 1: m_strPath was found from a stage name
  std::int32_t m_bLoaded = 0;     // set by the loader when the file was read
  std::int32_t m_nSubSteps6 = 0;  // 6 x sub-steps (SetCollisionLevel)

 protected:
  void RegisterMembers(int version) override;
};

// The stage being played, and the pristine copy that stage play restarts from.
extern cStageData g_StageData;
extern cStageData g_StageDataOrg;
