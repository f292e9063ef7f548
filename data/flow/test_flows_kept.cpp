#include "data/flow/test_flows_kept.h"

#include "app/test_play_flag.h"
#include "data/system/system_data.h"

bool TestFlowsKept() { return g_bTestPlay != 0 || g_SystemData.m_bKeepTestFlows != 0; }
