#include "data/flow/flow_normalization.h"

#include <cstddef>
#include <cstdint>

#include "data/database/database.h"
#include "data/common/database_list_sizes.h"
#include "data/flow/flow_command.h"
#include "data/flow/flow_command_kinds.h"
#include "data/common/palette_kind.h"
#include "data/common/palette_list_size.h"

namespace {

constexpr std::int16_t kMaxSwordTime = 9999;

// An index stored in a file is out of range when, sign-extended and taken as unsigned,
// it is not below the length (so a negative index is out of range as well).
bool OutOfRange(std::int32_t index, int length) {
  return static_cast<std::uint32_t>(index) >= static_cast<std::uint32_t>(length < 0 ? 0 : length);
}

// What a bad database index of a parameter is replaced by: 0, the empty entry, or 1, the
// first real one. 1 is used only when the list has it.
enum REPAIR { REPAIR_TO_ZERO, REPAIR_TO_FIRST };

struct DatabaseRef {
  DBKIND nKind;
  REPAIR nRepair;
};

// The database named by p[0] of a kind, by the kind's numbering; false when the kind
// names none.
bool DatabaseRefOfFlowCmd(int nKind, DatabaseRef& ref) {
  switch (nKind) {
    case FLOWCMD_CHANGE_ANIMESET: ref = {DBKIND_ANIMESET, REPAIR_TO_ZERO}; return true;
    case FLOWCMD_ANIME: ref = {DBKIND_ANIME, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_EFFECT: ref = {DBKIND_EFFECT, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_CHARA_EFFECT: ref = {DBKIND_CHARA_EFFECT, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_SCREEN_EFFECT: ref = {DBKIND_SCR_EFFECT, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_PICTURE: ref = {DBKIND_PICTURE, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_SE: ref = {DBKIND_SOUND, REPAIR_TO_FIRST}; return true;
    case FLOWCMD_BGM: ref = {DBKIND_BGM, REPAIR_TO_FIRST}; return true;
    default: return false;
  }
}

bool DatabaseRefOfItemCmd(int nKind, DatabaseRef& ref) {
  switch (nKind) {
    case ITEMCMD_CHANGE_ANIMESET: ref = {DBKIND_ANIMESET, REPAIR_TO_ZERO}; return true;
    case ITEMCMD_ANIME: ref = {DBKIND_ANIME, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_EFFECT: ref = {DBKIND_EFFECT, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_CHARA_EFFECT: ref = {DBKIND_CHARA_EFFECT, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_SCREEN_EFFECT: ref = {DBKIND_SCR_EFFECT, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_PICTURE: ref = {DBKIND_PICTURE, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_SE: ref = {DBKIND_SOUND, REPAIR_TO_FIRST}; return true;
    case ITEMCMD_BGM: ref = {DBKIND_BGM, REPAIR_TO_FIRST}; return true;
    default: return false;
  }
}

void RepairParamIndex(std::int32_t& index, const DatabaseRef& ref) {
  index = RepairDatabaseIndex(ref.nKind, index, ref.nRepair == REPAIR_TO_FIRST ? 1 : 0);
}

void RepairSwordType(cFlowCmd& cmd) {
  if (!cmd.m_pShot) return;
  cEdShot& shot = *cmd.m_pShot;
  if (OutOfRange(shot.m_nTrajectory, GetDatabaseSize(DBKIND_SWORD_TYPE))) shot.m_nTrajectory = 0;
  cmd.m_nTime = SwordRunningTime(shot.m_nTrajectory);
}

bool IsKnownKind(const cFlowCmd& cmd) {
  const int count = cmd.m_bItemCmd == 0 ? kFlowCmdKindCount : kItemCmdKindCount;
  return cmd.m_nKind >= 0 && cmd.m_nKind < count;
}

// The palette (PALETTE_COMMON or PALETTE_STAGE) a selector value names; false when it
// names none, so that nothing is tested.
bool PaletteOfShotItem(std::int8_t nSelector, int& nOwner) {
  if (nSelector == 1) nOwner = PALETTE_COMMON;
  else if (nSelector == 2) nOwner = PALETTE_STAGE;
  else return false;
  return true;
}

bool PaletteOfSummon(std::int32_t nSelector, int& nOwner) {
  if (nSelector == 0) nOwner = PALETTE_COMMON;
  else if (nSelector == 1) nOwner = PALETTE_STAGE;
  else return false;
  return true;
}

void RepairShotItem(cEdShot& shot) {
  int owner = 0;
  if (!PaletteOfShotItem(shot.m_nItemPalette, owner)) return;
  if (!OutOfRange(shot.m_nItemIndex, PaletteListSize(owner, PALETTE_CLASS_ITEM))) return;
  shot.m_nItemPalette = 0;
  shot.m_nItemIndex = 0;
}

void RepairSummon(cEdShot& shot, int nList) {
  int owner = 0;
  if (!PaletteOfSummon(shot.m_nSummonPalette, owner)) return;
  if (OutOfRange(shot.m_nSummonIndex, PaletteListSize(owner, nList))) shot.m_nSummonIndex = 1;
}

void RepairGetItem(std::vector<std::int32_t>& p) {
  int owner = 0;
  if (p.size() < 2 || !PaletteOfSummon(p[0], owner)) return;
  if (OutOfRange(p[1], PaletteListSize(owner, PALETTE_CLASS_ITEM))) p[1] = 1;
}

}  // namespace

std::int16_t SwordRunningTime(int nIndex) {
  const std::vector<cSwordTypeData>& types = g_Database.m_SwordType;
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= types.size()) return 0;
  std::int16_t time = 0;
  for (const cSwordFrame& frame : types[static_cast<std::size_t>(nIndex)].m_vFrame) {
    time = static_cast<std::int16_t>(time + frame.m_nTime);
    if (time >= kMaxSwordTime) time = kMaxSwordTime;
  }
  return time;
}

void NormalizeCmdDatabaseRefs(cFlowCmd& cmd) {
  if (OutOfRange(cmd.m_nAnime, GetDatabaseSize(DBKIND_ANIME))) cmd.m_nAnime = 0;
  if (OutOfRange(cmd.m_nSound, GetDatabaseSize(DBKIND_SOUND))) cmd.m_nSound = 0;
  // A kind outside the tables has no parameter count: its list stays as read and the
  // command has no effect.
  if (!IsKnownKind(cmd)) return;
  const bool item = cmd.m_bItemCmd != 0;
  cmd.m_vParam.resize(static_cast<std::size_t>(item ? GetItemCmdParamCount(cmd.m_nKind)
                                                      : GetFlowCmdParamCount(cmd.m_nKind)),
                      0);
  if (!item && cmd.m_nKind == FLOWCMD_SWORD) {
    RepairSwordType(cmd);
    return;
  }
  DatabaseRef ref{};
  const bool names = item ? DatabaseRefOfItemCmd(cmd.m_nKind, ref) : DatabaseRefOfFlowCmd(cmd.m_nKind, ref);
  if (names && !cmd.m_vParam.empty()) RepairParamIndex(cmd.m_vParam[0], ref);
}

void NormalizeCmdPaletteRefs(cFlowCmd& cmd) {
  if (cmd.m_bItemCmd != 0) {
    if (cmd.m_nKind == ITEMCMD_GET_ITEM) RepairGetItem(cmd.m_vParam);
    return;
  }
  switch (cmd.m_nKind) {
    case FLOWCMD_SHOT:
    case FLOWCMD_SWORD:
      if (cmd.m_pShot) RepairShotItem(*cmd.m_pShot);
      break;
    case FLOWCMD_SUMMON_BLOCK:
      if (cmd.m_pShot) RepairSummon(*cmd.m_pShot, PALETTE_CLASS_BLOCK);
      break;
    case FLOWCMD_SUMMON_CHARA:
      if (cmd.m_pShot) RepairSummon(*cmd.m_pShot, PALETTE_CLASS_CHARA);
      break;
    case FLOWCMD_SUMMON_ITEM:
      if (cmd.m_pShot) RepairSummon(*cmd.m_pShot, PALETTE_CLASS_ITEM);
      break;
    case FLOWCMD_GET_ITEM:
      RepairGetItem(cmd.m_vParam);
      break;
    default:
      break;
  }
}
