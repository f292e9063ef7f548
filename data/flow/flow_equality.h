#pragma once
// Whether two flows or two lists of commands hold the same data, nested flows, blocks
// and parameters included: a repaired copy of a shared list is kept only when it differs.
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"

bool SameFlows(const std::vector<cFlow>& a, const std::vector<cFlow>& b);
bool SameFlowCmds(const std::vector<cFlowCmd>& a, const std::vector<cFlowCmd>& b);
