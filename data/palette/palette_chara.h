#pragma once
// A character (the hero or any other figure): as an entry of a palette, or as a
// placement in a stage cell.
#include <cstdint>
#include <string>
#include <vector>

#include "data/flow/condition.h"
#include "data/flow/flow.h"
#include "data/common/palette_kind.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/shared_list.h"
#include "data/record/data_writer.h"

// Field groups of a character that an entry can take from the entry it names.
constexpr int kCharaInheritGroups = 37;
// Size factors 1 to 10.
constexpr std::int8_t kMinCharaSize = 1;

// Character controller.
enum CHARACTRL : std::int8_t {
  CHARACTRL_PLAYER = 0,
  CHARACTRL_COMPUTER = 1,
};

// File layout at 811: int32 53, the 53 members below, int32 1, the name; int16 cell X,
// int16 cell Y; int32 carried item; int32 n and n inherit flags; the counted condition
// list; the counted flow list. Members marked "from N" are absent from older files.
class cPaletteChara : public cDataRecord {
 public:
  // A new entry holds its inherit flags on the heap.
  static constexpr std::size_t kNewElementHeapBytes = kCharaInheritGroups;

  cPaletteChara();
  cPaletteChara(const cPaletteChara&) = default;
  cPaletteChara(cPaletteChara&&) noexcept = default;
  cPaletteChara& operator=(const cPaletteChara&) = default;
  cPaletteChara& operator=(cPaletteChara&&) noexcept = default;
  ~cPaletteChara() override = default;

  // Base reset, then the defaults below, 37 clear inherit flags and no carried item.
  // The condition and flow lists and the cell position stay as they are.
  void Reset();

  // Body, test-flow removal, old-version conversions, inheritance, then Validate.
  void Read(cDataReader& in) override;
  // Validate, then the body.
  void Write(cDataWriter& out) override;

  void ApplyInherit();
  // Repairs references and indices and removes empty flows.
  void Validate();
  // Second normalisation pass of every flow (palette references of the commands).
  void Normalize2();

  // Pixel offset of copy n of a placement facing `facing` (0 left, 1 right).
  double GetIndexedOffsetX(std::int32_t n, std::int32_t facing) const;
  double GetIndexedOffsetY(std::int32_t n, std::int32_t facing) const;

  // Registered members, in file order.
  std::int8_t m_nPaletteKind = PALETTE_NONE;
  std::int16_t m_nPaletteIndex = 0;
  std::int8_t m_nCondMode = 0;
  std::int8_t m_bCondLatch = 0;
  std::int8_t m_nDirection = 0;        // start facing: 0 left, 1 right
  std::int8_t m_nCopies = 0;           // a placement puts m_nCopies + 1 characters
  std::int16_t m_nCopyBaseX = 0;
  std::int16_t m_nCopyStepX = 0;
  std::int16_t m_nCopyBaseY = 0;
  std::int16_t m_nCopyStepY = 0;
  std::int8_t m_bCopyMirrorX = 0;      // X offsets negated when facing right
  std::int8_t m_bCopyMirrorY = 0;      // Y offsets negated when facing right
  std::int16_t m_nGraphic = 0;         // graphic kind 4: Bmp_CharaExc index
  std::int8_t m_nGraphicKind = PARTGRAPHIC_CHARA;
  std::int16_t m_nPattern = 0;         // base pattern number
  std::int16_t m_nAnimeSet = 0;        // AnimeSet database index
  std::int8_t m_nZ = 3;                // drawing depth
  std::int8_t m_bHidden = 0;           // animated but not drawn
  std::int16_t m_nStartEffect = 0;     // CharaEffect index started on entering play; 0 none
  std::int8_t m_nStartEffectMode = 0;  // from 196: 0 forward, 1 reverse, 2 there and back
  std::int8_t m_nStartEffectRepeat = 1;
  std::int16_t m_nDefeatEffect = 0;    // CharaEffect index played on defeat
  std::int8_t m_nDefeatEffectMode = 0; // from 196
  std::int8_t m_nEmblemShow = 0;
  std::int16_t m_nEmblem = 0;
  std::int8_t m_nController = CHARACTRL_COMPUTER;
  std::int8_t m_nPlayerNo = 0;         // input device of a player-controlled character
  std::int8_t m_nSide = 1;             // side 0 to 7
  std::int8_t m_nCharaId = 0;
  std::int8_t m_nFlying = 0;           // 0 off, 1 through blocks, 2 stopped by blocks, 3 dies on blocks
  std::int8_t m_bFixedFacing = 1;
  std::int8_t m_nInvincible = 0;       // 0 off, 1 shots hit, 2 shots pass
  std::int8_t m_nInvincibleColour = 0; // from 285: g_ColorBlend entry of the tint; 0 none
  std::int8_t m_bBlockChara = 0;
  std::int8_t m_nSize = kMinCharaSize; // covers m_nSize x m_nSize cells
  std::int8_t m_bScrollSync = 0;       // from 210: moves with the automatic scroll
  std::int8_t m_nSightShape = 0;
  std::int8_t m_nSightRange = 0;       // half blocks
  std::int32_t m_nMaxHp = 10;
  std::int32_t m_nMaxSp = 0;
  std::int16_t m_nStopEase = 10;
  std::int8_t m_nHitBox = 0;           // from 201: contact box against blocks
  std::int32_t m_nBodyPower = 0;
  std::int8_t m_nBodyImpact = 0;
  std::int16_t m_nBodyEffect = 0;      // Effect database index; 0 none
  std::int32_t m_nDefence = 0;         // from 168
  std::int8_t m_nImpactResist = 0;
  std::int32_t m_nScore = 0;
  std::int8_t m_bOption = 1;           // kept, copied and inherited; nothing reads it in play
  std::int8_t m_bInGroup = 0;          // belongs to activation group m_nActiveGroup
  std::int16_t m_nActiveGroup = 0;
  std::int8_t m_nScreenRange = 0;      // 0 both, 1 X only, 2 Y only, 3 none
  std::int8_t m_nActiveRule = 0;       // 1: active by range or group latches
  std::string m_strName;

  // Additions after the registered part.
  std::int16_t m_nCellX = 0;
  std::int16_t m_nCellY = 0;
  std::int32_t m_nCarryItem = 0;         // item placement carried by a placement; -1 none
  std::vector<std::uint8_t> m_vInherit;  // one flag per field group
  // Lists taken by inheritance are shared with the entry they came from (see
  // cSharedList): a running character that changes its flows takes its own copy then.
  cSharedList<cCond> m_vCond;            // the character takes part only while these hold
  cSharedList<cFlow> m_vFlow;

 protected:
  void RegisterMembers(int version) override;
};
