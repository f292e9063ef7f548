// Volleys and summons: the per-copy values of a shot block, the formation of each copy,
// and what each formation place becomes.
#include "objects/firing.h"

#include <vector>

#include "app/checked_access.h"
#include "app/random.h"
#include "data/common/palette_kind.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/flow/shot_block.h"
#include "data/palette/palette_lists.h"
#include "objects/chara.h"
#include "objects/chara_base.h"
#include "objects/formations.h"
#include "objects/item.h"
#include "objects/shot.h"
#include "objects/trunc.h"
#include "stage/scene_game.h"
#include "stage/stage_world.h"

namespace {

// The copy's angle: the block's angle for this copy, mirrored for a firer facing right,
// then scattered by the spread with a fresh random number.
std::int32_t CopyAngle(const cCharaBase& firer, const cEdShot& block, std::int32_t nCopy) {
  std::int32_t angle = block.m_nAngle + block.m_nAngleStep * nCopy;
  if (block.m_bMirrorAngle != 0 && firer.m_nFacing == 1) angle = 360 - angle;
  if (block.m_nSpread != 0) angle += GetRand(-block.m_nSpread, block.m_nSpread);
  return angle;
}

void SetCopyOffset(FORMATIONSLOT& slot, const cCharaBase& firer, const cEdShot& block, std::int32_t nCopy) {
  slot.m_nOffsetX = TruncToInt(block.GetIndexedOffsetX(nCopy, firer.m_nFacing));
  slot.m_nOffsetY = TruncToInt(block.GetIndexedOffsetY(nCopy, firer.m_nFacing));
}

// Brings a computer-controlled character's screen rectangle up to date; a player keeps its
// own, which its step keeps current.
void RefreshScreenRect(cCharaBase* chara) {
  if (chara != nullptr && chara->m_nKind == 1) chara->UpdateScreenRect();
}

// Each place of a volley becomes a shot in the scene's list (a sword command places none).
class cShotSink final : public cFormationSink {
 public:
  cShotSink(cSceneGame& scene, std::list<cShot>& list, cCharaBase& firer, std::int32_t nKind, cEdShot& block)
      : m_Scene(scene), m_List(list), m_Firer(firer), m_nKind(nKind), m_Block(block) {}

  void Place(const FORMATIONSLOT& slot) override {
    if (m_nKind != FLOWCMD_SHOT) return;
    cShot shot;
    if (!shot.Init(m_Scene.m_nNextShotId, m_Firer, m_nKind, m_Block, slot)) return;
    cShot& added = AddShot(m_List, shot);
    m_Scene.m_nNextShotId += 1;
    added.RegisterLinks();
  }

 private:
  cSceneGame& m_Scene;
  std::list<cShot>& m_List;
  cCharaBase& m_Firer;
  std::int32_t m_nKind;
  cEdShot& m_Block;
};

// The palette list a summon names: its palette value 0 is the common palette, 1 the
// stage's; any other value names none.
template <typename T>
std::vector<T>* SummonList(const cEdShot& block) {
  switch (block.m_nSummonPalette) {
    case 0: return PaletteListOf<T>(PALETTE_COMMON);
    case 1: return PaletteListOf<T>(PALETTE_STAGE);
    default: return nullptr;
  }
}

template <typename T>
const T* SummonEntry(const cEdShot& block) {
  const std::vector<T>* list = SummonList<T>(block);
  if (list == nullptr || !IsPaletteIndex(*list, block.m_nSummonIndex)) return nullptr;
  return &(*list)[static_cast<std::size_t>(block.m_nSummonIndex)];
}

// Each place of a summon becomes one palette entry: characters and items are spawned with
// the place as their top-left, a block changes the grid cell there.
class cSummonSink final : public cFormationSink {
 public:
  cSummonSink(cSceneGame& scene, cCharaBase& firer, std::int32_t nKind, const cEdShot& block, const void* pEntry)
      : m_Scene(scene), m_Firer(firer), m_nKind(nKind), m_Block(block), m_pEntry(pEntry) {}

  void Place(const FORMATIONSLOT& slot) override {
    const double x = slot.m_nX;
    const double y = slot.m_nY;
    const std::int32_t facing = m_Firer.m_nFacing;
    switch (m_nKind) {
      case FLOWCMD_SUMMON_BLOCK:
        m_Scene.SpawnBlock(x, y, facing, m_Block, *static_cast<const cPaletteBlock*>(m_pEntry));
        break;
      case FLOWCMD_SUMMON_CHARA: {
        const auto& entry = *static_cast<const cPaletteChara*>(m_pEntry);
        std::int32_t nFacing = facing;
        if (m_Block.m_bSummonReverse != 0) nFacing = nFacing == 0 ? 1 : 0;
        m_Scene.SpawnChara(g_listChara, x, y, SummonedSide(entry), static_cast<std::int8_t>(nFacing), facing, m_Block,
                           entry, &m_Scene.m_nNextCharaId, &m_Firer);
        break;
      }
      case FLOWCMD_SUMMON_ITEM:
        m_Scene.SpawnItem(g_listItem, x, y, facing, m_Block, *static_cast<const cPaletteItem*>(m_pEntry),
                          &m_Scene.m_nNextItemId);
        break;
      default:
        break;
    }
  }

 private:
  // The side of a summoned character: the entry's (mode 0, and any value data should not
  // hold), the summoner's (1) or the block's side number (2).
  std::int8_t SummonedSide(const cPaletteChara& entry) const {
    switch (m_Block.m_nSummonSide) {
      case 1: return m_Firer.m_Def.m_nSide;
      case 2: return m_Block.m_nSide;
      default: return entry.m_nSide;
    }
  }

  cSceneGame& m_Scene;
  cCharaBase& m_Firer;
  std::int32_t m_nKind;
  const cEdShot& m_Block;
  const void* m_pEntry;
};

std::int32_t RunKind(const cFlowCmdRun& run) {
  return run.m_lpCmd != nullptr ? run.m_lpCmd->m_nKind : static_cast<std::int32_t>(FLOWCMD_NONE);
}

// One copy of the block's formation at the summon's fixed values, its places turned into
// the entry by the kind of the running command.
void SummonCopy(cSceneGame& scene, cCharaBase& firer, cFlowCmdRun& run, const cEdShot& block, const void* pEntry,
                std::int32_t nCellW, std::int32_t nCellH) {
  FORMATIONSLOT slot;
  slot.m_nCellW = nCellW;
  slot.m_nCellH = nCellH;
  slot.m_nDir = ResolveFireDirection(firer, block);
  firer.UpdateScreenRect();
  if (RunKind(run) == FLOWCMD_SUMMON_BLOCK && block.m_nBlockSummonMode == 2) scene.m_vSummonedCell.clear();
  slot.m_nCopyIndex = 0;
  slot.m_dSpeed = 1.0;
  slot.m_nAngle = 0;
  slot.m_nRange = 0;
  SetCopyOffset(slot, firer, block, 0);
  cSummonSink sink(scene, firer, RunKind(run), block, pEntry);
  RunFormation(sink, firer, block, slot);
}

}  // namespace

void FireShots(std::list<cShot>& list, cCharaBase& firer, cFlowCmdRun& run, cEdShot& block) {
  cSceneGame* scene = GameScene();
  if (scene == nullptr) return;
  FORMATIONSLOT slot;
  slot.m_nCellW = slot.m_nCellH = block.m_nScale * 16;
  slot.m_nDir = ResolveFireDirection(firer, block);

  cCharaBase* aimTarget = CheckedAt(firer.m_vTarget, block.m_nAimSlot);
  cCharaBase* shotTarget = CheckedAt(firer.m_vTarget, block.m_nTrajSlot);
  RefreshScreenRect(&firer);
  RefreshScreenRect(aimTarget);
  if (shotTarget != aimTarget) RefreshScreenRect(shotTarget);

  double speed = block.m_nSpeed * 0.1;
  std::int32_t angle = CopyAngle(firer, block, 0);
  std::int32_t range = block.m_nRange;
  std::int32_t life = block.m_nLife;
  cShotSink sink(*scene, list, firer, RunKind(run), block);
  const std::int32_t nCopies = static_cast<std::int32_t>(block.m_nCopies) + 1;
  for (std::int32_t i = 0; i < nCopies; ++i) {
    slot.m_nCopyIndex = static_cast<std::int16_t>(i);
    slot.m_dSpeed = speed;
    slot.m_nAngle = angle;
    slot.m_nRange = range;
    slot.m_nLife = life;
    SetCopyOffset(slot, firer, block, i);
    RunFormation(sink, firer, block, slot);
    // The next copy's angle starts again from the block's, so the spreads of earlier
    // copies do not add up.
    speed += block.m_nSpeedStep * 0.1;
    angle = CopyAngle(firer, block, i + 1);
    range += block.m_nRangeStep;
    life += block.m_nLifeStep;
  }
}

void SummonChara(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block) {
  cSceneGame* scene = GameScene();
  const cPaletteChara* entry = SummonEntry<cPaletteChara>(block);
  if (scene == nullptr || entry == nullptr || entry->m_nController != CHARACTRL_COMPUTER) return;
  const std::int32_t size = entry->m_nSize * 32;
  SummonCopy(*scene, firer, run, block, entry, size, size);
}

void SummonItem(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block) {
  cSceneGame* scene = GameScene();
  const cPaletteItem* entry = SummonEntry<cPaletteItem>(block);
  if (scene == nullptr || entry == nullptr) return;
  const std::int32_t size = entry->m_nSize * 32;
  SummonCopy(*scene, firer, run, block, entry, size, size);
}

void SummonBlock(cCharaBase& firer, cFlowCmdRun& run, cEdShot& block) {
  cSceneGame* scene = GameScene();
  const cPaletteBlock* entry = SummonEntry<cPaletteBlock>(block);
  if (scene == nullptr || entry == nullptr) return;
  SummonCopy(*scene, firer, run, block, entry, 32, 32);
}
