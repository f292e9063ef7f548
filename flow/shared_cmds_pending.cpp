// The executors that flows share with the player's item commands: the message and warp
// commands and the visual commands. They belong to later parts of stage play; until those
// exist a command of these kinds holds its time and changes nothing.
#include "objects/chara_base.h"

std::int32_t cCharaBase::CmdMessage(cFlowCmd&, std::int32_t) { return 0; }
std::int32_t cCharaBase::CmdWarp(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdEffect(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdScreenEffect(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdPicture(cFlowCmd&) { return 0; }
