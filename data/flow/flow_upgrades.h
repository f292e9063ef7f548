#pragma once
// Flows and commands of files written by older versions: their conversion to the current
// trigger and command numbering and parameter lists, and the removal of test flows.
// Every conversion applies to files below its threshold, so none applies at 811.
#include <vector>

class cFlow;
class cFlowCmd;

// Renumbers the trigger (and clears the switch of triggered flows) of a flow read from a
// file of version nFileVersion.
void ConvertOldFlow(cFlow& flow, int nFileVersion);

// Converts kind, parameters and blocks of a command read from a file of version
// nFileVersion, in the command's own numbering (character or item commands).
void ConvertOldFlowCmd(cFlowCmd& cmd, int nFileVersion);

// Removes every flow whose m_bTestOnly is set, keeping the order of the others.
void RemoveTestFlows(std::vector<cFlow>& list);
