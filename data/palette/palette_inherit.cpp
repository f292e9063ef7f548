// Inheritance: an entry copies the field groups whose inherit flag is set from the entry
// that its palette reference names. Each class has a fixed table of field groups (one
// copier per group); flag i governs group i.
#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "data/palette/palette_block.h"
#include "data/palette/palette_chara.h"
#include "data/palette/palette_item.h"
#include "data/palette/palette_lists.h"

namespace {

template <typename T>
using GroupCopier = void (*)(T& to, const T& from);

// Name and condition groups: blocks and items keep these in the same places.
template <typename T>
void CopyName(T& to, const T& from) {
  to.m_strName = from.m_strName;
}

template <typename T>
void CopyConds(T& to, const T& from) {
  to.m_vCond = from.m_vCond;
  to.m_nCondMode = from.m_nCondMode;
  to.m_bCondLatch = from.m_bCondLatch;
}

template <typename T>
void CopyGraphic(T& to, const T& from) {
  to.m_nGraphicKind = from.m_nGraphicKind;
  to.m_nGraphic = from.m_nGraphic;
  to.m_nPattern = from.m_nPattern;
}

template <typename T>
void CopyHidden(T& to, const T& from) {
  to.m_bHidden = from.m_bHidden;
}

template <typename T>
void CopyEmblem(T& to, const T& from) {
  to.m_nEmblemShow = from.m_nEmblemShow;
  to.m_nEmblem = from.m_nEmblem;
}

using Block = cPaletteBlock;
using Chara = cPaletteChara;
using Item = cPaletteItem;

constexpr std::array<GroupCopier<Block>, kBlockInheritGroups> kBlockGroups = {
    CopyName<Block>,
    CopyConds<Block>,
    CopyGraphic<Block>,
    [](Block& to, const Block& from) { to.m_nLayer = from.m_nLayer; },
    CopyHidden<Block>,
    CopyEmblem<Block>,
    [](Block& to, const Block& from) { to.m_nHit = from.m_nHit; },
    [](Block& to, const Block& from) { to.m_nPassSide = from.m_nPassSide; },
    [](Block& to, const Block& from) {
      to.m_nFootKind = from.m_nFootKind;
      to.m_nFootParam = from.m_nFootParam;
    },
    [](Block& to, const Block& from) {
      to.m_nItemPaletteKind = from.m_nItemPaletteKind;
      to.m_nItemIndex = from.m_nItemIndex;
    },
    [](Block& to, const Block& from) { to.m_bProtected = from.m_bProtected; },
};

constexpr std::array<GroupCopier<Chara>, kCharaInheritGroups> kCharaGroups = {
    CopyName<Chara>,
    [](Chara& to, const Chara& from) {
      to.m_nController = from.m_nController;
      to.m_nPlayerNo = from.m_nPlayerNo;
    },
    [](Chara& to, const Chara& from) { to.m_nSide = from.m_nSide; },
    [](Chara& to, const Chara& from) { to.m_nCharaId = from.m_nCharaId; },
    CopyConds<Chara>,
    [](Chara& to, const Chara& from) { to.m_nDirection = from.m_nDirection; },
    [](Chara& to, const Chara& from) { to.m_nCopies = from.m_nCopies; },
    [](Chara& to, const Chara& from) {
      to.m_nCopyBaseX = from.m_nCopyBaseX;
      to.m_nCopyStepX = from.m_nCopyStepX;
      to.m_bCopyMirrorX = from.m_bCopyMirrorX;
    },
    [](Chara& to, const Chara& from) {
      to.m_nCopyBaseY = from.m_nCopyBaseY;
      to.m_nCopyStepY = from.m_nCopyStepY;
      to.m_bCopyMirrorY = from.m_bCopyMirrorY;
    },
    CopyGraphic<Chara>,
    [](Chara& to, const Chara& from) { to.m_nAnimeSet = from.m_nAnimeSet; },
    [](Chara& to, const Chara& from) { to.m_nZ = from.m_nZ; },
    CopyHidden<Chara>,
    [](Chara& to, const Chara& from) {
      to.m_nStartEffect = from.m_nStartEffect;
      to.m_nStartEffectMode = from.m_nStartEffectMode;
      to.m_nStartEffectRepeat = from.m_nStartEffectRepeat;
    },
    [](Chara& to, const Chara& from) {
      to.m_nDefeatEffect = from.m_nDefeatEffect;
      to.m_nDefeatEffectMode = from.m_nDefeatEffectMode;
    },
    CopyEmblem<Chara>,
    [](Chara& to, const Chara& from) { to.m_bFixedFacing = from.m_bFixedFacing; },
    [](Chara& to, const Chara& from) { to.m_nFlying = from.m_nFlying; },
    [](Chara& to, const Chara& from) {
      to.m_nInvincible = from.m_nInvincible;
      to.m_nInvincibleColour = from.m_nInvincibleColour;
    },
    [](Chara& to, const Chara& from) { to.m_bBlockChara = from.m_bBlockChara; },
    [](Chara& to, const Chara& from) { to.m_nSize = from.m_nSize; },
    [](Chara& to, const Chara& from) { to.m_bScrollSync = from.m_bScrollSync; },
    [](Chara& to, const Chara& from) {
      to.m_nSightShape = from.m_nSightShape;
      to.m_nSightRange = from.m_nSightRange;
    },
    [](Chara& to, const Chara& from) { to.m_nMaxHp = from.m_nMaxHp; },
    [](Chara& to, const Chara& from) { to.m_nMaxSp = from.m_nMaxSp; },
    [](Chara& to, const Chara& from) { to.m_nHitBox = from.m_nHitBox; },
    [](Chara& to, const Chara& from) { to.m_nBodyPower = from.m_nBodyPower; },
    [](Chara& to, const Chara& from) { to.m_nBodyImpact = from.m_nBodyImpact; },
    [](Chara& to, const Chara& from) { to.m_nBodyEffect = from.m_nBodyEffect; },
    [](Chara& to, const Chara& from) { to.m_nDefence = from.m_nDefence; },
    [](Chara& to, const Chara& from) { to.m_nImpactResist = from.m_nImpactResist; },
    [](Chara& to, const Chara& from) { to.m_nStopEase = from.m_nStopEase; },
    [](Chara& to, const Chara& from) {
      to.m_nScreenRange = from.m_nScreenRange;
      to.m_nActiveRule = from.m_nActiveRule;
    },
    [](Chara& to, const Chara& from) {
      to.m_bInGroup = from.m_bInGroup;
      to.m_nActiveGroup = from.m_nActiveGroup;
    },
    [](Chara& to, const Chara& from) { to.m_nScore = from.m_nScore; },
    [](Chara& to, const Chara& from) { to.m_bOption = from.m_bOption; },
    [](Chara& to, const Chara& from) { to.m_vFlow = from.m_vFlow; },
};

constexpr std::array<GroupCopier<Item>, kItemInheritGroups> kItemGroups = {
    CopyName<Item>,
    CopyConds<Item>,
    [](Item& to, const Item& from) { to.m_nSetting1 = from.m_nSetting1; },
    [](Item& to, const Item& from) { to.m_nSetting2 = from.m_nSetting2; },
    CopyGraphic<Item>,
    [](Item& to, const Item& from) { to.m_nSetting3 = from.m_nSetting3; },
    CopyHidden<Item>,
    CopyEmblem<Item>,
    [](Item& to, const Item& from) { to.m_nSize = from.m_nSize; },
    [](Item& to, const Item& from) { to.m_nTakeMode = from.m_nTakeMode; },
    [](Item& to, const Item& from) { to.m_bShowIcon = from.m_bShowIcon; },
    [](Item& to, const Item& from) { to.m_nSound = from.m_nSound; },
    [](Item& to, const Item& from) { to.m_vItemCmd = from.m_vItemCmd; },
};

// The steps shared by the three classes. A reference into a palette whose list does not
// hold the index loses its kind (the index stays); index 0 names nothing. The source is
// taken as it stands now; an entry that names itself copies nothing new.
template <typename T, std::size_t N>
void ApplyInheritFrom(T& entry, const std::array<GroupCopier<T>, N>& groups) {
  if (entry.m_nPaletteIndex == 0 || entry.m_nPaletteKind == PALETTE_NONE) return;
  std::vector<T>* list = PaletteListOf<T>(entry.m_nPaletteKind);
  if (!list) return;
  if (!IsPaletteIndex(*list, entry.m_nPaletteIndex)) {
    entry.m_nPaletteKind = PALETTE_NONE;
    return;
  }
  const T& source = (*list)[static_cast<std::size_t>(entry.m_nPaletteIndex)];
  if (&source == &entry) return;
  const std::size_t count = std::min(entry.m_vInherit.size(), N);
  for (std::size_t i = 0; i < count; ++i) {
    if (entry.m_vInherit[i] != 0) groups[i](entry, source);
  }
}

}  // namespace

void cPaletteBlock::ApplyInherit() { ApplyInheritFrom(*this, kBlockGroups); }
void cPaletteChara::ApplyInherit() { ApplyInheritFrom(*this, kCharaGroups); }
void cPaletteItem::ApplyInherit() { ApplyInheritFrom(*this, kItemGroups); }
