#include "data/flow/test_flow_switches.h"

cTestFlowSwitches g_TestFlowSwitches;

bool TestFlowsKept() { return g_TestFlowSwitches.bTestPlay != 0 || g_TestFlowSwitches.bKeepTestFlows != 0; }
