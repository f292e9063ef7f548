#pragma once
// A character placed on the stage or summoned during play: an enemy, a friend, a moving
// platform (a block character). It carries one item of its own and decides each sub-step
// whether it is in its activation range and takes part.
#include <cstdint>
#include <vector>

#include "objects/chara_base.h"
#include "objects/item.h"

class cChara : public cCharaBase {
 public:
  cChara() = default;
  cChara(const cChara&) = default;
  cChara& operator=(const cChara&) = default;
  ~cChara() override = default;

  void ScaleHitRects(std::int32_t nFactor) override;
  void UpdateHitRectX() override;
  void UpdateHitRectY() override;
  cItem* GetCarriedItem() override;
  std::int32_t ConstrainX() override;
  std::int32_t ConstrainY() override;
  std::int32_t StepX() override;
  std::int32_t StepY() override;
  std::int32_t RunFlows(std::int32_t bDiedOnly) override;
  void RunJump(cFlowCmdRun* run) override;

  // Set-up from a palette character entry, optionally carrying a copy of pItem.
  void Init(std::int32_t nObjId, cPaletteChara& def, const cItem* pItem, double dStartX, double dStartY,
            std::int32_t nCopyIndex, std::int32_t nSpare = 0);
  // Sets m_bInRange; marks the appear group in vAppearSwitch when in range.
  std::int32_t UpdateActive(std::vector<std::int8_t>& vAppearSwitch);
  std::int32_t CheckAppear(std::vector<std::int8_t>& vAppearSwitch);
  [[nodiscard]] bool IsInRect(double dLeft, double dTop, double dRight, double dBottom) const;
  void DrawCarriedItemIcon(DDSURFACEDATA* pSurface);

  std::int32_t m_bInRange = 0;
  std::int32_t m_bAppearNow = 0;
  cItem m_Item;                      // the carried item; its m_bCarried tells whether there is one
  std::int32_t m_nItemIconBlink = 0; // 0..95
  std::int32_t m_bRangeIgnoreX = 0;
  std::int32_t m_bRangeIgnoreY = 0;
  std::int32_t m_bAppeared = 0;
};
