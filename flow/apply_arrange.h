#pragma once
// Bindings recorded by arrange commands, applied to the next command that begins: the
// bound parameter of that command is changed by a variable and kept in the command record.
#include <cstdint>
#include <vector>

class cCharaBase;
class cFlowCmd;
class cFlowRun;
class cPlayer;

// Binding: command kind, parameter number, operation (VAROP), operand source (0 common,
// 1 stage, 2 the subject's character variables), variable number.
constexpr int kBindingSize = 5;

// Applies one binding; a binding for another kind, with an invalid variable number or too
// short (damaged data) does nothing.
void ApplyArrange(cFlowCmd* cmd, const std::vector<std::int32_t>* b, cCharaBase* subject);

// The run's pending bindings in the order recorded; nothing when run is null.
void ApplyFlowArranges(cFlowCmd* cmd, cCharaBase* subject, cFlowRun* run);

// Player 1's pending item-command bindings in the order recorded.
void ApplyItemArranges(cFlowCmd* cmd, cPlayer* player);
