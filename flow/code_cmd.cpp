// The code command: evaluates its text for the character that runs it, on every step of
// its run time.
#include "data/flow/flow_command.h"
#include "flow/code_eval.h"
#include "objects/chara_base.h"

std::int32_t cCharaBase::CmdCode(cFlowCmd& cmd) { return ExecCode(cmd.m_sText, this); }
