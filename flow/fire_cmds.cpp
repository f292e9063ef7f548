// The shot, sword and summon commands. Firing, swords and summoning are the shots' own
// part of the game objects, which stage play does not have yet: until then these commands
// hold their time and create nothing (and play no sound for what they do not create).
#include "flow/flow_run.h"
#include "objects/chara_base.h"

void cCharaBase::CmdShot(cFlowCmdRun*) {}
void cCharaBase::CmdSword(cFlowCmdRun*) {}
void cCharaBase::CmdSummonBlock(cFlowCmdRun*) {}
void cCharaBase::CmdSummonChara(cFlowCmdRun*) {}
void cCharaBase::CmdSummonItem(cFlowCmdRun*) {}
