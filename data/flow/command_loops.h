#pragma once
// Expansion of loop commands in a copy of a command list, before the commands run.
#include <cstddef>
#include <vector>

#include "data/flow/flow_command.h"

// Longest command list an expansion may produce. Real flows stay far below it; more is
// damaged data (loop counts multiply through nested loops).
constexpr std::size_t kMaxExpandedCmds = 65536;
// Most loop commands one expansion may handle. A loop whose body refills itself with
// loops would otherwise never end.
constexpr std::size_t kMaxExpandedLoops = 65536;

// Replaces each loop command (FLOWCMD_LOOP, or ITEMCMD_LOOP among item commands), first
// to last, by its body repeated p[0] times; the body is the p[1] commands after it (cut
// to those that exist), and a loop inside a body is copied with it and expanded in turn.
// With p[0] of 1 or less the body stays once; with p[1] of 0 or less the loop command
// alone is removed. Returns true when done. Past the limits above the expansion stops,
// writes a report line and leaves the list with its loop commands removed (each body
// once); it then returns false.
bool ExpandCmdLoops(std::vector<cFlowCmd>& list);
