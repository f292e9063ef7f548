#pragma once
// The character a human steers: its input record, the key-held jump, the camera follow,
// a third hit area and the hit parts of the hit display, the ignore list of item pick-up
// and the execution of an item's command list.
#include <cstdint>
#include <list>
#include <vector>

#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "objects/chara_base.h"

class cInput;

// One part of the hit display.
class cHitPart {
 public:
  std::int32_t m_nType = 0;    // 0 collision box, 1 hit area A, 2 hit area C, 3 hit area B
  std::int32_t m_nMode = 0;    // 0 off, 1 filled rectangle, 2 one-dot frame
  std::int32_t m_nColor = 0;   // palette number
  std::int32_t m_nX = 0;
  std::int32_t m_nY = 0;
  std::int32_t m_nW = 0;
  std::int32_t m_nH = 0;
  std::int32_t m_nBlink = 0;   // 0..31
};


class cPlayer;
using ItemCmdHandler = std::int32_t (*)(cPlayer& player, cFlowCmd& cmd);
// Indexed by item command kind.
extern const ItemCmdHandler g_ItemCmdTable[kItemCmdKindCount];

class cPlayer : public cCharaBase {
 public:
  cPlayer() = default;
  cPlayer(const cPlayer&) = default;
  cPlayer& operator=(const cPlayer&) = default;
  ~cPlayer() override = default;

  void ScaleHitRects(std::int32_t nFactor) override;
  void UpdateHitRectX() override;
  void UpdateHitRectY() override;
  std::int32_t ConstrainX() override;
  std::int32_t ConstrainY() override;
  std::int32_t StepX() override;
  std::int32_t StepY() override;
  std::int32_t RunFlows(std::int32_t bDiedOnly) override;
  void RunJump(cFlowCmdRun* run) override;

  // Set-up for a (new) life from the hero placement's definition.
  void Init(std::int32_t nObjId, cPaletteChara& def, double dStartX, double dStartY, std::int32_t nSpare = 0);
  void SetFlying(std::int32_t nMode, std::int32_t bScaled);
  void BuildHitParts();
  void GetSizeByFlying(std::int32_t* pOffX, std::int32_t* pOffY, std::int32_t* pW, std::int32_t* pH) const;
  // The player's own rounding of the screen rectangle (hides cGameObj's).
  void UpdateScreenRect();
  void SaveFootCell() { m_pPrevFootCell = m_pLastFootCell; }
  void Draw(DDSURFACEDATA* pSurface, std::int32_t bPaused);
  void DrawSightMask(DDSURFACEDATA* pSurface);

  // The ignore list holds object ids: an item at a reused address is not mistaken for one
  // the player still touches.
  [[nodiscard]] bool IsNotIgnored(const cGameObj* pObj) const;
  void Ignore(const cGameObj* pObj);
  void Unignore(const cGameObj* pObj);
  // Removes an id from the list when its object leaves the stage.
  void ForgetIgnored(std::int32_t nObjId);

  // 0, 2 (HP reached 0) or the first non-zero result of a command.
  std::int32_t RunItemCommands(std::vector<cFlowCmd>& list);
  void ShowItemIcon(std::int32_t a, std::int32_t b, std::int32_t c);

  // The input record of the player's number (record 0 when that number has none).
  [[nodiscard]] cInput& Input() const;

  cInput* m_pInput = nullptr;
  std::int32_t m_bNoDirInput = 0;     // the play step clears the direction word of its input
  std::int32_t m_bNoButtonInput = 0;  // the play step clears the button word of its input
  std::int32_t m_nJumpHoldSteps = 0;
  std::int32_t m_bJumpReady = 0;
  std::int32_t m_bSpringJump = 0;
  double m_dBoostAccel = 0;          // 4 / n
  std::int32_t m_bJumpCmdRan = 0;
  std::list<std::int32_t> m_lstIgnore;  // object ids
  std::int32_t m_nFootFxKind = 0;
  double m_dFootFxFactor = 0;
  std::int32_t m_nFootFxSteps = 0;
  std::int32_t m_nFootItemRest = 0;
  cHitArea m_HitExtra;               // area C
  std::vector<cHitPart> m_vHitPart;  // largest first
  std::vector<cFlowCmd> m_vPendingFlowCmd;
  std::list<std::vector<std::int32_t>> m_lstItemBinding;
};
