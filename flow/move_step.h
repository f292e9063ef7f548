#pragma once
// The movement step shared by the movement commands: turn the character as the command
// asks, then either add the command's velocity to this sub-step's velocity or, for a
// command that accelerates, grow the character's command velocity toward it.
class cCharaBase;
class cEdMove;
class cFlowCmdRun;

void ApplyMoveStep(cCharaBase& chara, double vx, double vy, int turn, cFlowCmdRun* run, const cEdMove* m, bool forceTurn);
