#pragma once
// The running state of a character's flows: one cFlowRun per flow of the character (run i
// belongs to flow i), one cFlowCmdRun per command of that flow, and the flow's animation
// timeline. The records live in the character's run list (cCharaBase::m_vFlowRun); the
// flows and commands they point at are the character's own copies, so RelinkFlowRuns must
// run after any change of the character's flow list.
#include <cstdint>
#include <list>
#include <vector>

#include "data/flow/flow_enumerations.h"

class cCharaBase;
class cFlow;
class cFlowCmd;
class cKeyCond;

// Switch numbers of flows run 1-26; the per-character switch tables have one unused
// entry 0 in front.
constexpr int kFlowSwitchTableSize = 27;

// A point of the homing move's lag queue.
struct cWorkPoint {
  double x;
  double y;
};

// One command of a running flow.
class cFlowCmdRun {
 public:
  // Starts a run of the command: the full duration left, not done, the executors' working
  // values cleared; pending parameter bindings of the running flow are applied to the
  // command (except for the binding command itself) and dropped.
  void Begin();
  // One step: executes the command once; 1 when its time is used up.
  int Step();
  // Converts a movement block's distance and speed or time into the other value.
  void CalcMoveTime(const cFlowCmd* pCmd, std::int16_t nCopy);

  cFlowCmd* m_lpCmd = nullptr;
  std::int32_t m_bDone = 0;
  std::int32_t m_nDuration = 0;  // steps
  std::int32_t m_nRemain = 0;    // steps left; 0 with m_bDone 0 = not begun
  std::int8_t m_nDir = 0;        // direction code of the movement block
  double m_dSpeed = 0.0;         // dots per step
  std::int32_t m_nDist = 0;      // homing lag x n, or circle radius in dots x n
  std::int32_t m_nAngleStart = 0;  // degrees x n
  std::int32_t m_nAngleEnd = 0;    // degrees x n
  double m_dSpeed2 = 0.0;          // second speed, dots per step
  // The homing point queue; a vector, since it holds one point and its storage is kept.
  std::vector<cWorkPoint> m_listWork;

  // Working values of the executors.
  std::int32_t m_nTargetX = 0;  // target point or offset, dots
  std::int32_t m_nTargetY = 0;
  std::int32_t m_nAngle = 0;    // angle offset, degrees
  double m_dVX = 0.0;           // the command's own velocity per step
  double m_dVY = 0.0;
  std::int32_t m_nTurn = 0;     // TURN_NONE, TURN_LEFT, TURN_RIGHT
  std::int32_t m_nCount = 0;    // the executor's step counter
  std::int32_t m_bStarted = 0;  // the executor's first step has run
  double m_dPhaseX = 0.0;       // circle phases, degrees x n
  double m_dPhaseY = 0.0;
  std::int32_t m_nPrevFacing = 0;  // facing at the end of the previous step (straight move)
  // Two more values that Begin clears, for the executors of the stage, wait, message and
  // visual commands.
  std::int32_t m_nWork0 = 0;
  std::int32_t m_nWork1 = 0;
};

// An animation that the flow starts by itself at a given step, so that a command's
// anime-before-command ends exactly when the command begins.
struct cFlowAnimeEntry {
  std::int32_t m_nStartStep = 0;   // m_nStepCount at which it starts
  std::int16_t m_nAnime = 0;       // Anime database index
  std::int16_t m_nSkipFrames = 0;  // frames skipped at its start
  std::int16_t m_nLength = 0;      // playing time in frames
  std::int16_t m_nCmdFrames = 0;   // the command's time in frames
  std::int32_t m_bHold = 0;        // hold the animation's hold frame during the command
};

// One flow of a character and its running state.
class cFlowRun {
 public:
  void Start();
  void Stop(cCharaBase* pChara);
  void StopForever(cCharaBase* pChara);
  void Pause() { m_bPaused = 1; }
  void Resume() { m_bPaused = 0; }
  // One step of the flow; 1 when its last command has finished.
  int Step();

  std::int32_t m_nFlowIndex = 0;
  std::int32_t m_nFlowKey = 0;
  // The character whose run list holds this run (kept by RelinkFlowRuns).
  cCharaBase* m_pOwner = nullptr;
  cFlow* m_lpFlow = nullptr;
  std::int8_t m_bFlowCondLatched = 0;
  std::vector<cKeyCond*> m_vKeyCond;
  std::int32_t m_bKeyHeldMatch = 0;
  std::int32_t m_bKeyPrevTrue = 0;
  std::vector<cFlowCmdRun> m_vCmdRun;
  std::vector<cFlowAnimeEntry> m_vAnimeTimeline;
  std::int32_t m_bRunning = 0;
  std::int32_t m_bPaused = 0;
  std::int32_t m_bStopForever = 0;
  std::int32_t m_bToDelete = 0;
  std::int32_t m_nCurCmd = 0;
  std::int32_t m_nStepCount = 0;
  std::int32_t m_nStartKeySlot = 0;
  std::int32_t m_bFiredThisFrame = 0;
  std::int32_t m_bStartedThisFrame = 0;
  std::int32_t m_bMsgContinued = 0;
  std::int32_t m_bAbort = 0;
  // Set when an executor restarted this very flow during the current step: the step then
  // must neither mark the restarted command done nor move past it.
  std::int32_t m_bRestarted = 0;
  // Set while a before-stage-start run executes its commands, so that a command that
  // starts the same flow again does not run it recursively.
  std::int32_t m_bInStartRun = 0;
  std::list<std::vector<std::int32_t>> m_listArrange;  // pending bindings, 5 int32 each
};
