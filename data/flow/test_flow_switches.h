#pragma once
// Whether flows flagged as test flows stay in the lists when flows are read: they do
// during a test play started by the authoring tool, and when the system data says to
// keep them (m_bKeepTestFlows). Start-up and the system data set these switches.

struct cTestFlowSwitches {
  int bTestPlay = 0;
  int bKeepTestFlows = 0;
};
extern cTestFlowSwitches g_TestFlowSwitches;

// True when test flows are kept on reading.
bool TestFlowsKept();
