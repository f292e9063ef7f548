#pragma once
// The forty flow command kinds: the executor each kind runs on every step of its run time,
// and the preparation some kinds need when their flow is attached to a character.
#include <array>

#include "data/flow/flow_command_kinds.h"

class cCharaBase;
class cFlowCmdRun;

// An executor: the character whose flow runs and the running command. Its result is not
// used by the runtime.
using FlowCmdExecutor = void (*)(cCharaBase* pChara, cFlowCmdRun* run);
// A preparation: computes the command run's durations and speeds once, at attach time.
using FlowCmdPreparer = void (*)(cFlowCmdRun* run, cCharaBase* pChara);

// Indexed by FLOWCMD kind.
extern const std::array<FlowCmdExecutor, kFlowCmdKindCount> g_FlowCmdTable;
// Indexed by FLOWCMD kind; null for kinds that need no preparation.
extern const std::array<FlowCmdPreparer, kFlowCmdKindCount> g_CmdPrepareTable;

// The preparer of a kind byte from data: null for a kind outside the table.
FlowCmdPreparer FindCmdPreparer(int nKind);
