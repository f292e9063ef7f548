// The executors that flows share with the player's item commands: stage, wait and message
// commands, targets, statuses, items, sounds, bindings and visual commands. They
// belong to later parts of stage play; until those exist a command of these kinds holds
// its time and changes nothing. The stage clear answers 0 here, so an item-command list
// goes on past it instead of ending the stage without a clear.
#include "objects/chara_base.h"

std::int32_t cCharaBase::CmdMessage(cFlowCmd&, std::int32_t) { return 0; }
std::int32_t cCharaBase::CmdWarp(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdSetTarget(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdStatus2(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdVanish(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdGetItem(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdChangeGraphic(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdChangeAnimeSet(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdAnime(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdEffect(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdCharaEffect(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdScreenEffect(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdPicture(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdScreenColor(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdChangeBack(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdSe(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdBgm(cFlowCmd&) { return 0; }
std::int32_t cCharaBase::CmdArrange(cFlowCmd&) { return 0; }
