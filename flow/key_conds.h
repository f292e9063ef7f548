#pragma once
// The key test of a flow: its key sequence on player 1's input, in edge mode (the flow
// fires when the sequence becomes true) or hold mode (while the last combination stays
// held).
class cCharaBase;
class cFlowRun;

// True when the flow has no key conditions. `pChara` is the character whose flow is
// tested (the scene's current flow character); a switch raised while an edge-mode
// combination stays held is raised on it.
int CheckKeyConds(cCharaBase* pChara, cFlowRun* run);
