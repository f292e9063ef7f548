#include "data/save/progress.h"

#include <algorithm>
#include <utility>

#include "app/checked_access.h"
#include "data/record/data_lists.h"
#include "data/save/play_mode.h"
#include "data/system/system_data.h"
#include "data/worldmap/world_map.h"

cProgress g_Progress;
cProgress g_ProgressAtStageStart;
cProgress g_ProgressAtPrevStageStart;

namespace {

// Versions that added a member or a list (files below them lack it).
constexpr unsigned kAddedBgmLoop = 166;
constexpr unsigned kAddedAutoSave = 169;
constexpr unsigned kAddedLeftSums = 182;
constexpr unsigned kAddedMapStay = 190;
constexpr unsigned kAddedMapStayPos = 191;
constexpr unsigned kAddedMapPosSet = 194;
constexpr unsigned kAddedCarriedFlags = 501;
constexpr unsigned kAddedStartPos = 678;
constexpr unsigned kAddedStartDir = 679;
constexpr unsigned kAddedRankKey = 724;
constexpr unsigned kVarsGrown = 754;
constexpr unsigned kAddedRankSuffix = 758;
constexpr unsigned kClearFlagZeroSet = 804;

// The 16-byte save time, field by field in file order.
void ReadSaveTime(SYSTEMTIME& time, cDataReader& in) {
  for (WORD* field : {&time.wYear, &time.wMonth, &time.wDayOfWeek, &time.wDay, &time.wHour, &time.wMinute,
                      &time.wSecond, &time.wMilliseconds})
    *field = static_cast<WORD>(in.ReadInt16());
}

void WriteSaveTime(const SYSTEMTIME& time, cDataWriter& out) {
  for (WORD field : {time.wYear, time.wMonth, time.wDayOfWeek, time.wDay, time.wHour, time.wMinute, time.wSecond,
                     time.wMilliseconds})
    out.WriteInt16(static_cast<std::int16_t>(field));
}

const cCarryOver& NewCarryOver() {
  static const cCarryOver prototype;
  return prototype;
}

}  // namespace

cProgress::cProgress() {
  Register(g_nDataVersion);
  NewGame();
}

void cProgress::RegisterMembers(int version) {
  const unsigned v = static_cast<unsigned>(version);
  ClearMembers();
  AddMember(&m_bCarried);
  AddMember(&m_nMapX);
  AddMember(&m_nMapY);
  AddMember(&m_nWorldStageStored);
  AddMember(&m_nRound);
  if (v >= kAddedRankSuffix) {
    AddMember(&m_bRankSuffix);
    AddMember(&m_nRankSuffixA);
    AddMember(&m_nRankSuffixB);
  }
  AddMember(&m_nStage);
  AddMember(&m_nSubStage);
  AddMember(&m_nLivesAtStart);
  AddMember(&m_nLives);
  AddMember(&m_nStageScore);
  AddMember(&m_nScore);
  AddMember(&m_nTotalBest);
  AddMember(&m_nTimeLeftSum);
  AddMember(&m_nClearTimeSum);
  if (v >= kAddedLeftSums) {
    AddMember(&m_nHpLeftSum);
    AddMember(&m_nSpLeftSum);
  }
  AddMember(&m_bSeries);
  AddMember(&m_nStageBgm);
  if (v >= kAddedBgmLoop) AddMember(&m_bStageBgmLoop);
  if (v >= kAddedMapPosSet) AddMember(&m_bMapPosSet);
  if (v >= kAddedMapStay) AddMember(&m_bMapStay);
  if (v >= kAddedMapStayPos) {
    AddMember(&m_nMapStayX);
    AddMember(&m_nMapStayY);
  }
  AddMember(&m_nChallengeOpen);
  AddMember(&m_nSaveSlot);
  if (v >= kAddedAutoSave) AddMember(&m_bAutoSave);
  AddMember(&m_bRankPanel);
  AddMember(&m_nRankGenre);
  if (v >= kAddedStartPos) {
    AddMember(&m_bStartPosSet);
    AddMember(&m_nStartX);
    AddMember(&m_nStartY);
  }
  if (v >= kAddedStartDir) AddMember(&m_nStartDir);
  AddString(&m_strStageName);
  if (v >= kAddedRankKey) AddString(&m_strRankKey);
  AddString(&m_strRankName);
}

void cProgress::NewGame() {
  cDataRecord::Reset();
  m_CarriedFlags.assign(CARRY_COUNT, 0);
  ResizeCarryOver(1);
  m_ClearFlags.assign(kNewGameClearFlags, 0);
  m_ClearFlags[0] = 1;
  m_Vars.assign(kNewGameVars, 0);
  m_StageScores.clear();
  m_ChallengeState.clear();
  m_nChallengeOpen = 1;
  m_nSaveSlot = -1;
  m_strRankName = "aaa";
}

void cProgress::ResizeCarryOver(std::size_t n) { m_CarryOver.resize(n, NewCarryOver()); }

void cProgress::Read(cDataReader& in) {
  // Read into a copy: a save that is damaged or cut short must not leave half of another
  // game in the live record.
  cProgress staged(*this);
  staged.ReadBody(in);
  if (in.Truncated()) in.MarkDamaged(DATADAMAGE_BODY_CUT_SHORT);
  if (in.Damaged()) return;
  *this = std::move(staged);
}

void cProgress::ReadBody(cDataReader& in) {
  const unsigned version = static_cast<unsigned>(g_nFileVersion);
  cDataRecord::Read(in);
  // The stored value of the world-stage slot means nothing once read.
  m_nWorldStageStored = 0;
  ReadSaveTime(m_SaveTime, in);
  if (version >= kAddedCarriedFlags) ReadIntVector(m_CarriedFlags, in);
  LoadVector(m_CarryOver, in);
  LoadVector(m_StageScores, in);
  LoadVector(m_ChallengeState, in);
  ReadIntVector(m_ClearFlags, in);
  ReadIntVector(m_Vars, in);
  if (in.Damaged() || in.Truncated()) return;
  if (version < static_cast<unsigned>(g_nDataVersion)) ConvertOldFile(version);
  Normalize();
}

void cProgress::ConvertOldFile(unsigned version) {
  if (version < kAddedBgmLoop) m_bStageBgmLoop = 1;
  if (version < kAddedAutoSave) m_bAutoSave = 0;
  if (version < kAddedLeftSums) m_nHpLeftSum = m_nSpLeftSum = 0;
  if (version < kAddedMapStay) m_bMapStay = 0;
  if (version < kAddedMapStayPos) m_nMapStayX = m_nMapStayY = 0;
  if (version < kAddedMapPosSet) m_bMapPosSet = 0;
  if (version < kAddedCarriedFlags) m_CarriedFlags.assign(CARRY_COUNT, 1);
  if (version < kVarsGrown) {
    // Files of these versions held 1000 variables; the game addresses variables 1 to
    // 1000, so the list takes the length of a new game's, the last one 0.
    m_Vars.resize(kNewGameVars, 0);
    m_VarsAtStart.assign(kNewGameVars, 0);
  }
  if (version < kClearFlagZeroSet && !m_ClearFlags.empty()) m_ClearFlags[0] = 1;
}

void cProgress::Write(cDataWriter& out) {
  Normalize();
  m_nWorldStageStored = 0;
  cDataRecord::Write(out);
  WriteSaveTime(m_SaveTime, out);
  WriteIntVector(m_CarriedFlags, out);
  SaveVector(m_CarryOver, out);
  SaveVector(m_StageScores, out);
  SaveVector(m_ChallengeState, out);
  WriteIntVector(m_ClearFlags, out);
  WriteIntVector(m_Vars, out);
}

void cProgress::Normalize() {
  if (m_nMapX >= g_WorldMap.m_nMapW) m_nMapX = g_WorldMap.m_nStartX;
  if (m_nMapY >= g_WorldMap.m_nMapH) m_nMapY = g_WorldMap.m_nStartY;
  // A damaged System data's count asks for no records below 0 and for no more than a
  // game can have: the list is allocated at its size.
  const std::int32_t challenges = std::clamp(g_SystemData.m_nChallengeCount, 0, kMaxChallengeStages);
  m_ChallengeState.resize(static_cast<std::size_t>(challenges), cValuePair());
  if (m_nChallengeOpen > challenges) m_nChallengeOpen = challenges;
}

void cProgress::TakeSnapshot() {
  m_VarsAtStart = m_Vars;
  m_nLivesSnap = m_nLives;
  m_nScoreSnap = m_nScore;
}

void cProgress::RestoreSnapshot(int bForce, int nPlayMode, int bDirectStart) {
  if (bForce) {
    m_Vars = m_VarsAtStart;
    m_nLives = m_nLivesSnap;
    m_nScore = m_nScoreSnap;
    return;
  }
  int bRestoreVars = 1;  // replays always restore
  if (bDirectStart) {
    bRestoreVars = g_SystemData.m_bRestoreVarsDirect;
  } else {
    switch (nPlayMode) {
      case PLAYMODE_STORY:
        bRestoreVars = g_SystemData.m_bRestoreVarsStory;
        break;
      case PLAYMODE_CHALLENGE:
        bRestoreVars = g_SystemData.m_bRestoreVarsChallenge;
        break;
      case PLAYMODE_FREE:
        bRestoreVars = g_SystemData.m_bRestoreVarsFree;
        break;
      default:
        break;
    }
  }
  if (bRestoreVars) m_Vars = m_VarsAtStart;
  m_nScore = m_nScoreSnap;
}

void cProgress::RestartStory() {
  ++m_nRound;
  std::fill(m_ClearFlags.begin(), m_ClearFlags.end(), 0);
  if (!m_ClearFlags.empty()) m_ClearFlags[0] = 1;
  m_nMapX = g_WorldMap.m_nStartX;
  m_nMapY = g_WorldMap.m_nStartY;
}

void cProgress::ResetStageValues() {
  m_nScore = 0;
  m_nTimeLeftSum = 0;
  m_nClearTimeSum = 0;
  m_nHpLeftSum = 0;
  m_nSpLeftSum = 0;
}
