#include "data/flow/command_loops.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/report_log.h"
#include "data/flow/flow_command_kinds.h"

namespace {

bool IsLoopCmd(const cFlowCmd& cmd) {
  return cmd.m_bItemCmd == 0 ? cmd.m_nKind == FLOWCMD_LOOP : cmd.m_nKind == ITEMCMD_LOOP;
}

std::int32_t ParamOrZero(const cFlowCmd& cmd, std::size_t i) { return i < cmd.m_vParam.size() ? cmd.m_vParam[i] : 0; }

// Builds the list of the commands at `order` (indices into `list`); a command used for
// the last time is moved rather than copied.
std::vector<cFlowCmd> Gather(std::vector<cFlowCmd>& list, const std::vector<std::uint32_t>& order) {
  std::vector<std::size_t> lastUse(list.size(), 0);
  for (std::size_t i = 0; i < order.size(); ++i) lastUse[order[i]] = i;
  std::vector<cFlowCmd> result;
  result.reserve(order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    cFlowCmd& cmd = list[order[i]];
    if (lastUse[order[i]] == i)
      result.push_back(std::move(cmd));
    else
      result.push_back(cmd);
  }
  return result;
}

}  // namespace

bool ExpandCmdLoops(std::vector<cFlowCmd>& list) {
  if (std::none_of(list.begin(), list.end(), IsLoopCmd)) return true;

  // The commands still to be looked at, as indices into `list`, the next one last; the
  // commands before them are loop-free and final.
  std::vector<std::uint32_t> pending(list.size());
  for (std::size_t i = 0; i < list.size(); ++i) pending[list.size() - 1 - i] = static_cast<std::uint32_t>(i);
  std::vector<std::uint32_t> expanded;
  expanded.reserve(list.size());

  std::size_t loops = 0;
  bool bDone = true;
  while (!pending.empty()) {
    const std::uint32_t index = pending.back();
    pending.pop_back();
    const cFlowCmd& cmd = list[index];
    if (!IsLoopCmd(cmd)) {
      expanded.push_back(index);
      continue;
    }
    if (++loops > kMaxExpandedLoops) {
      bDone = false;
      break;
    }
    const std::int32_t times = ParamOrZero(cmd, 0);
    const std::int32_t bodyLength = ParamOrZero(cmd, 1);
    if (times <= 1 || bodyLength <= 0) continue;
    // The body stays in place once; times - 1 copies go before the rest.
    const std::uint64_t body = std::min<std::uint64_t>(static_cast<std::uint64_t>(bodyLength), pending.size());
    const std::uint64_t added = body * static_cast<std::uint64_t>(times - 1);
    if (expanded.size() + pending.size() + added > kMaxExpandedCmds) {
      bDone = false;
      break;
    }
    const std::size_t first = pending.size() - static_cast<std::size_t>(body);
    pending.reserve(pending.size() + static_cast<std::size_t>(added));
    for (std::int32_t copy = 1; copy < times; ++copy)
      for (std::size_t k = 0; k < body; ++k) pending.push_back(pending[first + k]);
  }

  if (!bDone) {
    WriteReport("Loop commands expand past %u commands or %u loops: loops removed",
                static_cast<unsigned>(kMaxExpandedCmds), static_cast<unsigned>(kMaxExpandedLoops));
    std::erase_if(list, IsLoopCmd);
    return false;
  }
  list = Gather(list, expanded);
  return true;
}
