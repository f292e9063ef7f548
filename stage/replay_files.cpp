#include "stage/replay_files.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/message_boxes.h"
#include "app/path_helpers.h"
#include "app/report_log.h"
#include "data/record/data_file.h"
#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"
#include "platform/host_files.h"
#include "platform/win_time.h"
#include "stage/replay.h"

namespace {

// A limit set by a test; 0: the default.
std::size_t g_nSaveLimit = 0;

// Files of this version and older end after the replay record.
constexpr int kLastVersionWithoutProgress = 172;
constexpr const char* kReplayFolder = "user_data\\rpl4\\";
// Numbered names are tried up to " (999)"; the last is offered even when it exists.
constexpr int kLastNameNumber = 999;


const char* ReplayDamageText(REPLAYDAMAGE damage) {
  switch (damage) {
    case REPLAYDAMAGE_LAYOUT: return "リプレイの記録の形式が違います";
    case REPLAYDAMAGE_CUT_SHORT: return "入力の記録が途中で切れています";
    case REPLAYDAMAGE_COUNTS_DIFFER: return "入力の値と長さの数が合いません";
    case REPLAYDAMAGE_COUNT_PAST_END: return "入力の数がファイルの大きさを超えています";
    default: return "";
  }
}

void ShowDamage(const char* path, const char* reason) {
  WriteReport("%s : リプレイファイルが壊れています (%s)", path, reason);
  ErrMesBoxf("リプレイファイル %s は壊れているため読み込めません！\n%s", path, reason);
}

// snprintf into a MAX_PATH buffer; false when the text would not fit.
template <typename... Args>
bool FormatPath(char (&out)[MAX_PATH], const char* format, Args... args) {
  const int length = std::snprintf(out, MAX_PATH, format, args...);
  return length >= 0 && length < MAX_PATH;
}

}  // namespace

std::size_t ReplaySaveLimit() { return g_nSaveLimit != 0 ? g_nSaveLimit : kMaxDataFileBytes; }
void SetReplaySaveLimit(std::size_t nBytes) { g_nSaveLimit = nBytes; }

int SaveReplay(cReplay& replay, const char* path, cStageData& stage, const cStageData& pristine, cProgress& progress) {
  std::unique_ptr<cDataFileOut> file = OpenDataFileForWrite(path);
  if (!file) return 0;
  file->Out.SetLimit(ReplaySaveLimit());
  try {
    stage.WriteForReplay(file->Out, pristine);
    replay.Write(file->Out);
    progress.Write(file->Out);
  } catch (const cDataWriterFull&) {
    // Refused before memory fills; the game goes on and nothing is written.
    WriteReport("%s : リプレイファイルが %zu KB を超えるため保存しません", file->Name.c_str(), ReplaySaveLimit() >> 10);
    ErrMesBoxf("このステージのリプレイは大きすぎるため保存できません！\n（%zu KB を超えます）", ReplaySaveLimit() >> 10);
    return 0;
  }
  if (!CloseDataFile(std::move(file))) {
    ErrMesBoxf("リプレイファイル %s の保存に失敗しました！", path != nullptr ? path : "");
    return 0;
  }
  return 1;
}

int LoadReplay(cReplay& replay, const char* path, cStageData& stage, cStageData& pristine, cProgress& progress) {
  const char* name = path != nullptr ? path : "";
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(path);
  if (!in) {
    if (g_bFileTooNew)
      WriteReportBox("リプレイファイル %s の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。", name);
    else
      WriteReportBox("リプレイファイル %s の読み込みに失敗しました！", name);
    return 0;
  }
  // Read aside and taken over whole, so that a refused file leaves the game as it was.
  auto readStage = std::make_unique<cStageData>();
  cReplay readReplay;
  cProgress readProgress = progress;
  readStage->Read(*in);
  if (in->Damaged() || in->Truncated()) {
    ShowDamage(name, in->DamageReason());
    return 0;
  }
  readReplay.Read(*in);
  if (readReplay.Damage() != REPLAYDAMAGE_NONE) {
    ShowDamage(name, ReplayDamageText(readReplay.Damage()));
    return 0;
  }
  if (g_nFileVersion > kLastVersionWithoutProgress) {
    readProgress.Read(*in);
    if (in->Damaged() || in->Truncated()) {
      ShowDamage(name, in->Damaged() ? in->DamageReason() : "進行状況の記録が途中で切れています");
      return 0;
    }
  }
  stage = std::move(*readStage);
  CopyStageSettings(pristine, stage);
  replay = readReplay;
  progress = readProgress;
  return 1;
}

bool MakeReplayFileNameAt(std::string& out, const std::string& stageName, const SYSTEMTIME& now, int bSuffix,
                          int nSuffixA, int nSuffixB) {
  if (stageName.empty()) {
    out.clear();
    return true;
  }
  char name[MAX_PATH];
  if (!FormatPath(name, "%s", stageName.c_str())) return false;
  StripDir(name);
  std::string suffixed = name;
  AppendVarSuffix(suffixed, bSuffix, nSuffixA, nSuffixB);
  char base[MAX_PATH];
  if (!FormatPath(base, "%s%s", kReplayFolder, suffixed.c_str())) return false;
  StripExt(base);
  char dated[MAX_PATH];
  if (!FormatPath(dated, "%s__%04d__%02d_%02d__%02d_%02d.", base, now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute))
    return false;
  char extension[32];
  std::snprintf(extension, sizeof extension, "rpl4_%d", g_nDataVersion);
  char unnumbered[MAX_PATH];
  if (!ChangeExt(unnumbered, dated, extension)) return false;
  char path[MAX_PATH];
  std::memcpy(path, unnumbered, sizeof path);
  for (int i = 2; i <= kLastNameNumber && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; ++i)
    if (!MakeNumberedName(path, unnumbered, i)) return false;
  if (!MakeFullPath(path)) return false;
  out = path;
  return true;
}

bool LoadReplay(const char* path) { return LoadReplay(g_Replay, path, g_StageData, g_StageDataOrg, g_Progress) != 0; }

bool SaveReplay(const char* path, int bPrevious) {
  if (bPrevious) return SaveReplay(g_ReplayPrev, path, g_StageData, g_StageDataOrg, g_ProgressAtPrevStageStart) != 0;
  return SaveReplay(g_Replay, path, g_StageData, g_StageDataOrg, g_ProgressAtStageStart) != 0;
}

bool MakeReplayFileName(std::string& out, const std::string& stageName) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return MakeReplayFileNameAt(out, stageName, now, g_Progress.m_bRankSuffix, g_Progress.m_nRankSuffixA,
                              g_Progress.m_nRankSuffixB);
}
