#pragma once
// Whether flows flagged as test flows stay in the lists when commands and character
// entries are read: they do during a test play (g_bTestPlay) and when the system data
// says to keep them (m_bKeepTestFlows of g_SystemData); otherwise they are removed.

bool TestFlowsKept();
