#include "data/flow/flow_upgrades.h"

#include <cstdint>
#include <vector>

#include "data/flow/flow.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"

namespace {

using ParamList = std::vector<std::int32_t>;

bool Below(int nFileVersion, unsigned threshold) { return static_cast<unsigned>(nFileVersion) < threshold; }

// Additions on stored values wrap, as the stored types do.
std::int32_t WrapAdd(std::int32_t v, std::int32_t add) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) + static_cast<std::uint32_t>(add));
}
std::int8_t WrapAdd8(std::int8_t v, int add) { return static_cast<std::int8_t>(v + add); }
std::int16_t WrapAdd16(std::int16_t v, int add) { return static_cast<std::int16_t>(v + add); }

// A list read from an old file may be shorter than the entries a step looks at: it is
// first grown to hold them (new entries 0). Steps that resize do so themselves.
void GrowTo(ParamList& p, std::size_t n) {
  if (p.size() < n) p.resize(n, 0);
}

// Resizes to n, moves the entries from i on one place up (the last one is dropped) and
// stores v at i. The lists that old files stored here were one entry shorter.
void InsertKeeping(ParamList& p, std::int32_t v, std::size_t i, std::size_t n) {
  p.resize(n, 0);
  for (std::size_t j = n - 1; j > i; --j) p[j] = p[j - 1];
  p[i] = v;
}

// Status operation: a status number from nBound on, of a subject other than the system
// (2 in the old numbering), moves one place up for the status inserted before it.
void ShiftInsertedStatus(ParamList& p, std::int32_t nBound) {
  GrowTo(p, 14);
  if (p[0] == 0 && p[3] != 2 && p[4] >= nBound) p[4] = WrapAdd(p[4], 1);
  if (p[6] == 2 && p[12] != 2 && p[13] >= nBound) p[13] = WrapAdd(p[13], 1);
}

// Kinds tested by the steps, in the numbering of files below 734: the character kinds
// from 24 on are one lower than the current ones.
enum OLDCMD {
  OLDCMD_MOVE_CHARGE = 5,
  OLDCMD_SHOT = 11,
  OLDCMD_SUMMON_CHARA = 14,
  OLDCMD_SUMMON_ITEM = 15,
  OLDCMD_FLOW_OPERATION = 16,
  OLDCMD_STAGE_CLEAR = 17,
  OLDCMD_MESSAGE = 19,
  OLDCMD_SET_TARGET = 21,
  OLDCMD_STATUS = 22,
  OLDCMD_STATUS2 = 23,
  OLDCMD_FIRST_SHIFTED = 24,  // FLOWCMD_VANISH was inserted here at 734
  OLDCMD_CHANGE_GRAPHIC = 25,
  OLDCMD_CHARA_EFFECT = 29,
  OLDCMD_SCREEN_EFFECT = 30,
  OLDCMD_PICTURE = 31,
  OLDCMD_BGM = 35,
  OLDCMD_ARRANGE = 37,
};

// Item kinds 2 and up are the character kinds 17 and up (item kind + 15), in the old
// numbering as in the new one. Item kinds 0 and 1 have no character counterpart, and no
// item kind has a counterpart among the character kinds below 17, so the steps for
// those (turns, shots, charges, summons, flow operations) never apply to item commands.
constexpr int kItemToFlowCmdKind = static_cast<int>(ITEMCMD_STAGE_CLEAR) - static_cast<int>(FLOWCMD_STAGE_CLEAR);
constexpr int kNoCounterpart = -1;

int CharaKindOf(const cFlowCmd& cmd) {
  if (cmd.m_bItemCmd == 0) return cmd.m_nKind;
  if (cmd.m_nKind < ITEMCMD_STAGE_CLEAR) return kNoCounterpart;
  return cmd.m_nKind - kItemToFlowCmdKind;
}

// The message-window and picture steps: p[10], p[11] ... added over the versions.
void ConvertMessageAndPicture(int v, int kind, ParamList& p) {
  if (Below(v, 545)) {
    if (kind == OLDCMD_MESSAGE) {
      p.resize(18, 0);
      p[10] = 1;
    } else if (kind == OLDCMD_PICTURE) {
      p.resize(15, 0);
      p[11] = 0;
    }
  }
  if (Below(v, 546) && kind == OLDCMD_MESSAGE) {
    GrowTo(p, 11);
    p[10] = (p[0] == 0 || p[0] == 7) ? 1 : 0;
  }
  if (Below(v, 547)) {
    if (kind == OLDCMD_MESSAGE) {
      p.resize(18, 0);
      p[11] = 0;
      p[12] = 0;
      p[13] = 0;
      p[14] = 1;
      p[15] = 0;
    } else if (kind == OLDCMD_PICTURE) {
      p.resize(15, 0);
      p[12] = 0;
      p[13] = 0;
    }
  }
  if (Below(v, 556) && kind == OLDCMD_MESSAGE) {
    p.resize(18, 0);
    p[16] = 1;
  }
}

// The arrange command binds a parameter of the kind p[0]; at 727 the positions of the
// shot command's binding list from 2 on moved up, one place for each entry inserted.
void ShiftArrangeShotPositions(ParamList& p) {
  GrowTo(p, 2);
  if (p[0] != FLOWCMD_SHOT) return;
  for (std::int32_t bound : {2, 3, 4, 14, 15, 16, 17})
    if (p[1] >= bound) p[1] = WrapAdd(p[1], 1);
}

// Steps 1 to 19: kinds in the numbering of files below 734.
void ConvertBeforeRenumbering(cFlowCmd& cmd, int v, int kind) {
  ParamList& p = cmd.m_vParam;
  if (Below(v, 145) && kind == OLDCMD_STAGE_CLEAR) p.resize(9, 0);
  if (Below(v, 166) && kind == OLDCMD_BGM) {
    p.resize(2, 0);
    p[1] = 1;
  }
  if (Below(v, 168) && kind == OLDCMD_STATUS) ShiftInsertedStatus(p, 10);
  if (Below(v, 189) && kind == OLDCMD_SET_TARGET) InsertKeeping(p, 0, 2, 16);
  if (Below(v, 194) && kind == OLDCMD_PICTURE) InsertKeeping(p, 1, 6, 15);
  if (Below(v, 195) && (kind == OLDCMD_CHARA_EFFECT || kind == OLDCMD_SCREEN_EFFECT)) InsertKeeping(p, 0, 1, 3);
  if (Below(v, 203)) {
    if (kind == OLDCMD_SUMMON_CHARA || kind == OLDCMD_SUMMON_ITEM)
      p.clear();
    else if (kind == OLDCMD_FLOW_OPERATION)
      p.resize(4, 0);
    else if (kind == OLDCMD_STATUS)
      ShiftInsertedStatus(p, 5);
  }
  if (Below(v, 210) && kind == OLDCMD_STATUS2) {
    GrowTo(p, 2);
    if (p[0] != 2 && p[1] >= 6) p[1] = WrapAdd(p[1], 1);
  }
  if (Below(v, 219) && kind == OLDCMD_CHANGE_GRAPHIC) {
    GrowTo(p, 2);
    if (p[0] == 3) {
      p[1] = WrapAdd(p[1], 1);
      if (p[1] > 119) p[1] = 119;
    }
  }
  if (Below(v, 220) && kind == OLDCMD_SHOT && cmd.m_pShot) {
    cmd.m_pShot->m_nGraphic = WrapAdd16(cmd.m_pShot->m_nGraphic, 1);
    if (cmd.m_pShot->m_nGraphic > 119) cmd.m_pShot->m_nGraphic = 119;
  }
  if (Below(v, 514) && kind == OLDCMD_MOVE_CHARGE && cmd.m_pMove) {
    cmd.m_pMove->m_nAngle = 0;
    cmd.m_pMove->m_nAngleStep = 0;
    cmd.m_pMove->m_bMirrorAngle = 1;
  }
  ConvertMessageAndPicture(v, kind, p);
  if (Below(v, 722) && kind == OLDCMD_STAGE_CLEAR) {
    GrowTo(p, 1);
    if (p[0] >= 2) p[0] = WrapAdd(p[0], 1);
  }
  if (Below(v, 723)) {
    if (kind == OLDCMD_MESSAGE) {
      p.resize(18, 0);
      p[17] = 0;
    } else if (kind == OLDCMD_PICTURE) {
      p.resize(15, 0);
      p[14] = 0;
    }
  }
  if (Below(v, 726) && kind == OLDCMD_ARRANGE) {
    p.resize(5, 0);
    p[0] = FLOWCMD_SHOT;
  }
  if (Below(v, 727) && kind == OLDCMD_ARRANGE) ShiftArrangeShotPositions(p);
}

// Step 20: FLOWCMD_VANISH (ITEMCMD_VANISH) was inserted at 734.
void RenumberForVanish(cFlowCmd& cmd) {
  if (CharaKindOf(cmd) < OLDCMD_FIRST_SHIFTED) return;
  cmd.m_nKind = WrapAdd8(cmd.m_nKind, 1);
  if (CharaKindOf(cmd) == FLOWCMD_ARRANGE) {
    // The bound kind is a FLOWCMD value in both numberings.
    GrowTo(cmd.m_vParam, 1);
    if (cmd.m_vParam[0] >= OLDCMD_FIRST_SHIFTED) cmd.m_vParam[0] = WrapAdd(cmd.m_vParam[0], 1);
  }
}

// Steps 21 to 24: kinds in the current numbering (all of them below 24).
void ConvertAfterRenumbering(cFlowCmd& cmd, int v, int kind) {
  ParamList& p = cmd.m_vParam;
  if (Below(v, 747) && kind == FLOWCMD_SET_TARGET) {
    p.resize(16, 0);
    p[10] = 0;
    p[11] = 1;
    p[14] = 0;
  }
  if (Below(v, 760) && kind == FLOWCMD_FLOW_OPERATION) {
    p.resize(4, 0);
    p[3] = 0;
  }
  if (Below(v, 764) && kind == FLOWCMD_FLOW_OPERATION) {
    CreateCondList(cmd.m_pCond);
    cmd.m_pCond->m_bEnabled = 0;
  }
  if (!Below(v, 767)) return;
  // Target slots 2 to 4 were inserted after target 1 (subjects, warp origins, turns).
  switch (kind) {
    case FLOWCMD_TURN:
      GrowTo(p, 1);
      if (p[0] >= 4) p[0] = WrapAdd(p[0], 6);
      break;
    case FLOWCMD_WARP:
      if (cmd.m_pMove && cmd.m_pMove->m_nMode >= 2) cmd.m_pMove->m_nMode = WrapAdd8(cmd.m_pMove->m_nMode, 3);
      break;
    case FLOWCMD_SET_TARGET:
      InsertKeeping(p, 0, 0, 16);
      break;
    case FLOWCMD_STATUS:
      GrowTo(p, 13);
      if (p[0] == 0 && p[3] >= 2) p[3] = WrapAdd(p[3], 3);
      if (p[6] == 2 && p[12] >= 2) p[12] = WrapAdd(p[12], 3);
      break;
    case FLOWCMD_STATUS2:
      GrowTo(p, 1);
      if (p[0] >= 2) p[0] = WrapAdd(p[0], 3);
      break;
    default:
      break;
  }
}

}  // namespace

void ConvertOldFlow(cFlow& flow, int nFileVersion) {
  const int v = nFileVersion;
  if (!Below(v, 811)) return;
  // Triggers were inserted at 132 (before 11), at 164 (before 5) and at 762 (before 18).
  if (Below(v, 132) && flow.m_nTrigger >= 11) flow.m_nTrigger = WrapAdd8(flow.m_nTrigger, 1);
  // Switches belong to FLOWTRIG_ALWAYS flows only.
  if (Below(v, 163) && flow.m_nTrigger != 0) flow.m_nSwitch = 0;
  if (Below(v, 164) && flow.m_nTrigger >= 5) flow.m_nTrigger = WrapAdd8(flow.m_nTrigger, 2);
  if (Below(v, 762) && flow.m_nTrigger >= 18) flow.m_nTrigger = WrapAdd8(flow.m_nTrigger, 3);
}

void ConvertOldFlowCmd(cFlowCmd& cmd, int nFileVersion) {
  const int v = nFileVersion;
  if (!Below(v, 811)) return;
  ConvertBeforeRenumbering(cmd, v, CharaKindOf(cmd));
  if (Below(v, 734)) RenumberForVanish(cmd);
  ConvertAfterRenumbering(cmd, v, CharaKindOf(cmd));
}

void RemoveTestFlows(std::vector<cFlow>& list) {
  std::erase_if(list, [](const cFlow& flow) { return flow.m_bTestOnly != 0; });
}
