#include "stage/replay_files.h"

#include "app/report_log.h"

bool LoadReplay(const char* path) {
  WriteReport("リプレイを記録する仕組みがまだないため、%s を読み込めません", path != nullptr ? path : "");
  return false;
}

bool SaveReplay(const char* path, int bPrevious) {
  WriteReport("リプレイを記録する仕組みがまだないため、%s に%sのリプレイを保存できません", path != nullptr ? path : "",
              bPrevious ? "前のステージ" : "現在のステージ");
  return false;
}

bool MakeReplayFileName(std::string& /*out*/, const std::string& stageName) {
  // Nothing to name without a stage; with one, there is still no replay to save.
  if (!stageName.empty()) WriteReport("リプレイを記録する仕組みがまだないため、%s のリプレイは保存できません", stageName.c_str());
  return false;
}
