#pragma once
// Preparation of the movement and jump commands when their flow is attached to a
// character: durations, speeds, radii and angles computed once, in sub-steps and dots
// per sub-step, from the command's movement block and the character's copy index.
#include <cstdint>

class cCharaBase;
class cFlowCmdRun;

void PrepareMoveCmd(cFlowCmdRun* run, cCharaBase* pChara);
void PrepareCircleCmd(cFlowCmdRun* run, cCharaBase* pChara);
void PrepareHomingCmd(cFlowCmdRun* run, cCharaBase* pChara);
void PrepareJumpCmd(cFlowCmdRun* run, cCharaBase* pChara);

// Physics sub-steps per frame of the running stage; at least 1, so that a stage whose
// collision level was never set divides by nothing.
std::int32_t FlowSubSteps();

// Sub-steps of a command instance: (time step x copy index + time) x n x 6, saturated to
// the int32 range.
std::int32_t CmdDurationSteps(std::int32_t nTime, std::int32_t nTimeStep, std::int32_t nCopy);
