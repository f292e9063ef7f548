#pragma once
// Everything a character has, whether a stage character (cChara) or a player (cPlayer):
// its own copy of the definition, links to other characters with the back-links that keep
// them consistent, running flows and their switch tables, variables, HP and SP, jump,
// ground and contact state, impact velocities, invincibility, animation overlays, the
// character effect and two hit areas.
//
// The flow runtime (flow/) defines the member functions that run flows and the command
// executors; they are declared here because they act on the character.
#include <cstdint>
#include <list>
#include <vector>

#include "data/palette/palette_chara.h"
#include "flow/flow_run.h"
#include "objects/anime_overlay.h"
#include "objects/game_obj.h"
#include "objects/gauge_anim.h"
#include "stage/effect_records.h"

class cBlockCell;
class cChara;
class cPartGraphic;
class cFlow;
class cFlowCmd;
class cFlowCmdRun;
class cFlowRun;
class cEdMove;
class cItem;
class cShot;

constexpr int kTargetSlots = 4;    // target slots 0-3 ("ターゲット1" .. "ターゲット4")
constexpr int kParentLinkSlot = 4; // the slot of a parent (or a shot's owner) link
constexpr int kSwitchCount = 27;   // flow switches 0-26
constexpr int kCharaVarCount = 9;  // character variables

// A back-link: `object` refers to the character through `slot` (0-3 a target slot, 4 the
// parent or owner link). For m_vLinkedBy the object is a cCharaBase, for m_vShotLinkedBy
// a cShot.
class cObjLink {
 public:
  cGameObj* m_pObj = nullptr;
  std::int32_t m_nSlot = 0;
};
[[nodiscard]] inline bool IsSameLink(const cObjLink& a, const cObjLink& b) {
  return a.m_pObj == b.m_pObj && a.m_nSlot == b.m_nSlot;
}

// Invincibility against one attacker.
class cInvincibleKey {
 public:
  std::int32_t m_nAttackerId = 0;
  std::int32_t m_nSteps = 0;  // sub-steps left
};

class cCharaBase : public cGameObj {
 public:
  cCharaBase();
  // Copying copies the character part member by member (CopyCharaFrom); the copy's flow
  // runs point at its own flows. m_bNoLinkRelease is not copied.
  cCharaBase(const cCharaBase& other);
  cCharaBase& operator=(const cCharaBase& other);
  ~cCharaBase() override;

  // Slots 4 and 7-12.
  void ReanchorYAfterScale(std::int32_t nNew, std::int32_t nOld) override;
  void SetCenter(std::int32_t x, std::int32_t y) override;
  void SetCenterAndStop(std::int32_t x, std::int32_t y, cFlowCmdRun* run) override;
  void SetCenterX(std::int32_t x) override;
  void SetCenterXAndStop(std::int32_t x, cFlowCmdRun* run) override;
  void SetCenterY(std::int32_t y) override;
  void SetCenterYAndStop(std::int32_t y, cFlowCmdRun* run) override;
  // Slots 13-20.
  virtual void CopyCharaFrom(const cCharaBase& other);
  virtual cItem* GetCarriedItem();
  virtual std::int32_t ConstrainX();
  virtual std::int32_t ConstrainY();
  virtual std::int32_t StepX();
  virtual std::int32_t StepY();
  virtual std::int32_t RunFlows(std::int32_t bDiedOnly);
  virtual void RunJump(cFlowCmdRun* run);

  // Set-up for a new life; pDef null keeps m_Def.
  void Reset(cPaletteChara* pDef, double dStartX, double dStartY, std::int32_t nCopyIndex,
             std::int32_t nUnused = 0);
  // Target slot 0 := player 1, parent := pParent, with their back-links.
  void InitLinks(cCharaBase* pParent);
  void SetCharaHitRect(std::int32_t bBottomAligned, std::int32_t w, std::int32_t h);

  void ClearBlockContacts() { m_bHitLeft = m_bHitRight = m_bHitTop = m_bHitBottom = 0; }
  void ApplyGravityIfFree();
  [[nodiscard]] bool IsOnGround() const;
  void LandOnBlock();
  void HitBlockAbove();
  void OnCharaContact(std::int32_t bSide);
  void SavePosition();
  void RestorePosition();

  // HP and SP changes with their gauges (damage.cpp). AddHp: 1 when HP is 0 afterwards.
  // AddSp: 1 when the maximum SP is 0 or less.
  std::int32_t AddHp(std::int32_t nDelta, std::int32_t bIgnoreStatus, std::int32_t bShowGauge);
  std::int32_t AddSp(std::int32_t nDelta, std::int32_t bShowGauge);
  void StartHpGauge(std::int32_t nDelta);
  void StartSpGauge(std::int32_t nDelta);
  // A hit taken (damage.cpp): the attacker's body power or the shot's power less the
  // defence, through AddHp with its gauge, then the hit effect and the impact. The result
  // is AddHp's (1: HP reached 0).
  std::int32_t TakeCharaDamage(cCharaBase& attacker);
  std::int32_t TakeShotDamage(const cShot& shot);
  // The damaged and impacted triggers of a hit on this character, and the attack triggers
  // on whoever is credited with it (the attacker's parent, the shot's owner).
  void FireCharaHitTriggers(cCharaBase& attacker);
  void FireShotHitTriggers(const cShot& shot);

  // Invincibility and defeat (defeat.cpp).
  void StartInvincibility();
  void StartInvincibilityFor(std::int32_t nAttackerId);
  void TickInvincibility();
  [[nodiscard]] bool IsInvincible() const { return m_nInvincible > 0; }
  [[nodiscard]] bool IsInvincibleTo(std::int32_t nAttackerId) const;
  std::int32_t Defeat();
  void ReleaseLinks();

  // Movement command support (move_support.cpp).
  double JumpSpeed(double dHeight) const;
  double JumpSpeedFromHbl(std::int8_t nHbl) const;
  std::int32_t JumpApexSteps(double dSpeed) const;
  std::int32_t JumpApexTime(std::int8_t nHbl) const;
  void PlaceAtBlock(std::int32_t bx, std::int32_t by);
  void PlaceAtBlockX(std::int32_t bx);
  void PlaceAtBlockY(std::int32_t by);
  void ApplyImpact(std::int8_t nPower, double dx, double dy);
  void ApplyImpactFromChara(const cCharaBase* pAttacker);
  void ApplyImpactFromShot(const cShot* pShot);
  void ApplyImpactSpeedY();
  void DecayImpactX();
  void DecayImpactY();
  std::int32_t ResolveDirection(std::int32_t nCode, bool bByKey, std::int32_t nKeyFlag, bool bKeepDiagonal) const;
  void DirectionToVelocity(double* pVx, double* pVy, std::int32_t* pTurn, double s, std::int32_t nCode) const;
  void DirectionToAngledVelocity(double* pVx, double* pVy, std::int32_t* pTurn, double s, std::int32_t nCode,
                                 std::int16_t nAngle) const;
  void VelocityToPoint(double* pVx, double* pVy, std::int32_t* pTurn, double s, std::int32_t x, std::int32_t y,
                       const cEdMove* pMove, std::int32_t* pFrames) const;
  void CalcCommandAngle(cFlowCmdRun* run) const;
  void CalcCommandOffset(cFlowCmdRun* run) const;
  void GroundTurnStep(cFlowCmdRun* run, const cEdMove* pMove);
  std::int32_t MoveTowardByAxes(cFlowCmdRun* run, const cEdMove* pMove, cGameObj* pTarget, double x, double y);
  void AvoidScreenEdgeStep(cFlowCmdRun* run, const cEdMove* pMove) const;

  // The flow runtime (defined under flow/).
  std::int32_t SetFlows(std::vector<cFlow>& flows, std::int32_t bInsert, std::int32_t nPos);
  void FireTrigger(std::int8_t nKind);
  void FireTriggerEx(std::int8_t nKind, cCharaBase* pOther, std::int8_t nGroup);
  void ResetTriggerLatches();
  void ExecCommand(cFlowCmdRun* run);
  void StepFlowAnime();
  void RemoveFlow(std::int32_t nIndex);
  std::int32_t RemoveFlowsByGroup(std::int8_t nGroup);
  void AppendFlowRun(const std::vector<cFlowRun>& runs);
  void RelinkFlowRuns();
  // Executors of the flow command kinds 2-16 (the running command) ...
  void CmdMoveStraight(cFlowCmdRun* run);
  void CmdMoveGroundTurn(cFlowCmdRun* run);
  void CmdMoveCircle(cFlowCmdRun* run);
  void CmdMoveCharge(cFlowCmdRun* run);
  void CmdMoveHoming(cFlowCmdRun* run);
  void CmdMoveAvoidOffscreen(cFlowCmdRun* run);
  void CmdMoveDisable(cFlowCmdRun* run);
  void CmdTurn(cFlowCmdRun* run);
  void CmdJump(cFlowCmdRun* run);
  void CmdShot(cFlowCmdRun* run);
  void CmdSword(cFlowCmdRun* run);
  void CmdSummonBlock(cFlowCmdRun* run);
  void CmdSummonChara(cFlowCmdRun* run);
  void CmdSummonItem(cFlowCmdRun* run);
  void CmdFlowOperation(cFlowCmdRun* run);
  // ... and the shared executors of kinds 17-38, called by the flows' command table and
  // the player's item commands with this character as the subject. The stage clear
  // returns 1 (an item list ends there); the others return 0.
  std::int32_t CmdStageClear(cFlowCmd& cmd);
  std::int32_t CmdGameWait(cFlowCmd& cmd);
  std::int32_t CmdMessage(cFlowCmd& cmd, std::int32_t bContinued);
  std::int32_t CmdWarp(cFlowCmd& cmd);
  std::int32_t CmdSetTarget(cFlowCmd& cmd);
  std::int32_t CmdStatus(cFlowCmd& cmd);
  std::int32_t CmdStatus2(cFlowCmd& cmd);
  std::int32_t CmdVanish(cFlowCmd& cmd);
  std::int32_t CmdGetItem(cFlowCmd& cmd);
  std::int32_t CmdChangeGraphic(cFlowCmd& cmd);
  std::int32_t CmdChangeAnimeSet(cFlowCmd& cmd);
  std::int32_t CmdAnime(cFlowCmd& cmd);
  std::int32_t CmdEffect(cFlowCmd& cmd);
  std::int32_t CmdCharaEffect(cFlowCmd& cmd);
  std::int32_t CmdScreenEffect(cFlowCmd& cmd);
  std::int32_t CmdPicture(cFlowCmd& cmd);
  std::int32_t CmdScreenColor(cFlowCmd& cmd);
  std::int32_t CmdChangeBack(cFlowCmd& cmd);
  std::int32_t CmdSe(cFlowCmd& cmd);
  std::int32_t CmdBgm(cFlowCmd& cmd);
  std::int32_t CmdCode(cFlowCmd& cmd);
  std::int32_t CmdArrange(cFlowCmd& cmd);

  // Animation (objects/chara_anime.cpp). SetAnimeSet rebuilds the animation player from an
  // AnimeSet entry (nothing when not forced and the set is current); StepAnime advances the
  // player and the overlays (not while paused) and returns the pattern to draw.
  void SetAnimeSet(std::int32_t nSet, std::int32_t bForce);
  std::int32_t StepAnime(std::int32_t bPaused);
  // Drawing (objects/chara_draw.cpp). GetGraphicNumber returns the column base and fills
  // the blend fields; DrawDying returns 1 when the defeat animation has ended.
  std::int32_t GetGraphicNumber(cPartGraphic& part) const;
  void Draw(DDSURFACEDATA* pDst, std::int32_t bPaused);
  std::int32_t DrawDying(DDSURFACEDATA* pDst, std::int32_t bPaused);
  void StepCharaEffect(std::int32_t bPaused);
  void DrawHpGauge(DDSURFACEDATA* pDst);
  void DrawSpGauge(DDSURFACEDATA* pDst);
  void DrawGauge(DDSURFACEDATA* pDst, cGaugeAnim& gauge, std::int32_t nWhich);
  // The sprite into a work surface at (0, 0), scaled when the giant factor asks for it.
  void DrawSpriteTo(DDSURFACEDATA* pWork, const cPartGraphic& part) const;
  void DrawSpriteBlendTo(DDSURFACEDATA* pWork, const cPartGraphic& part) const;
  // The part graphic of the character for animation pattern nPattern.
  void BuildPartGraphic(cPartGraphic& part, std::int32_t nPattern);

  std::int32_t m_bNoLinkRelease = 0;        // a temporary copy: the destructor leaves the links alone
  std::vector<cCharaBase*> m_vTarget;       // target slots 0-3; null = empty
  cCharaBase* m_pParent = nullptr;          // the summoner; null when placed by the stage
  std::vector<cObjLink> m_vLinkedBy;        // characters whose target slot or parent link names this one
  std::vector<cObjLink> m_vShotLinkedBy;    // shots whose target (0) or owner (4) link names this one
  std::int32_t m_bCreditParent = 0;         // hits are credited to the parent
  std::uint8_t m_nCreditGroup = 0;          // flow group of the parent's attack triggers
  cPaletteChara m_Def;                      // own copy of the definition
  std::int32_t m_nNextFlowKey = 0;
  std::vector<cFlowRun> m_vFlowRun;         // one per flow of m_Def
  std::vector<std::uint8_t> m_vSwitch;      // kSwitchCount switch states
  std::vector<std::uint8_t> m_vSwitchClear; // switches to clear at the end of RunFlows
  std::vector<std::uint8_t> m_vSwitchFrame; // switches raised in this frame
  std::int32_t m_bSwitchClearPending = 0;
  std::int32_t m_bFlowRemovePending = 0;
  double m_dStartX = 0;                     // world centre of the placement block
  double m_dStartY = 0;
  std::int32_t m_bMoving = 0;               // a movement command moved it in this sub-step
  double m_dImpactVx = 0;                   // knock-back velocity per sub-step
  double m_dImpactVy = 0;
  std::int32_t m_bImpactAir = 0;            // knocked into the air; no jump until landing
  double m_dImpactCarry = 0;                // vertical impact share handed on last sub-step
  std::int32_t m_bHeld = 0;                 // held by the move-disable command this sub-step
  std::int32_t m_nWallSide = -1;            // 0 left, 1 right, -1 none
  std::int32_t m_bAirborne = 1;
  std::int32_t m_bJumpHoldOver = 0;         // holding the key no longer lengthens the jump
  std::int32_t m_bJumping = 0;
  std::int32_t m_bJumpLock = 0;             // no new jump may start
  std::int32_t m_nAirSteps = 0;             // sub-steps since the ground vanished
  cBlockCell* m_pFootCell = nullptr;        // the cell under the feet
  cBlockCell* m_pLastFootCell = nullptr;
  cBlockCell* m_pPrevFootCell = nullptr;
  std::int32_t m_nContactGrace = 0;         // sub-steps in which crush tests are skipped
  std::int32_t m_bFixScreenX = 0;
  std::int32_t m_bFixScreenY = 0;
  std::int32_t m_nFixScreenX = 0;
  std::int32_t m_nFixScreenY = 0;
  std::int32_t m_bDying = 0;
  std::int32_t m_nDyingFrame = 0;
  std::int32_t m_bHitLeft = 0;
  std::int32_t m_bHitRight = 0;
  std::int32_t m_bHitTop = 0;
  std::int32_t m_bHitBottom = 0;
  std::int32_t m_bCharaSideContact = 0;     // touched a block character at its side
  std::int32_t m_bRiding = 0;
  std::int32_t m_nRideOnId = 0;
  cDoubleRect m_rcContact;
  cDoubleRect m_rcSaved;                    // x, y, right, bottom
  std::int32_t m_nHp = 0;
  cGaugeAnim m_HpGauge;
  std::int32_t m_nSp = 0;
  cGaugeAnim m_SpGauge;
  std::vector<std::int32_t> m_vCharaVar;    // kCharaVarCount variables
  std::int32_t m_nInvincible = 0;           // sub-steps left
  std::list<cInvincibleKey> m_lstInvincibleKey;
  std::list<cAnimeOverlay> m_lstAnimeOverlay;
  cCharaEffect m_CharaEffect;
  std::int32_t m_bRemove = 0;               // vanish requested; RunFlows then returns 1
  std::int32_t m_nSightRange = 0;           // dots
  std::int32_t m_bWarpedX = 0;              // the warp command moved it this frame (x, y); the play step clears them
  std::int32_t m_bWarpedY = 0;
  std::int32_t m_bDrawTransparent = 0;
  std::int32_t m_nAnimeSet = -1;            // the AnimeSet entry the animation player was built from
  std::vector<std::int32_t> m_vBadAnimeReported;  // animation numbers outside the table, reported once each
  cHitArea m_HitChara;                      // area A: contact with characters
  cHitArea m_HitShot;                       // area B: the area shots hit

 protected:
  // The flow part shared by the RunFlows of cChara and cPlayer: steps the running flows
  // (steps 4-5), then clears the scene's current flow character, run and command run;
  // returns 1 when the caller must return 1 at once. bCheckRemove: a stage character
  // also ends on m_bRemove.
  std::int32_t StepFlows(std::int32_t bDiedOnly, std::int32_t bCheckRemove);
  std::int32_t StepRunningFlows(std::int32_t bDiedOnly, std::int32_t bCheckRemove);
  // Removes the flows flagged for removal and clears the flagged switches.
  void ApplyPendingFlowChanges();
  // The idle animation when no movement moved the character (2 flying, 0 walking).
  void ShowIdleAnime();
  // Base velocity of a flow step from the automatic scroll; bPlayer selects the player's
  // rule under the old scroll-follow switch.
  void SetScrollBaseVelocity(std::int32_t bPlayer);
};

// The live player or stage character with this object id, else null.
cCharaBase* FindObjectById(std::int32_t nId);
// Removes a character from the stage (ReleaseLinks, its group list, the list) and returns
// the following node.
std::list<cChara>::iterator EraseCharaNode(std::list<cChara>& list, std::list<cChara>::iterator node);
