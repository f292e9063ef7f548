#include "shell/startup_services.h"

#include "data/save/progress.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_load.h"

namespace {

cStartupServices g_Services;

}  // namespace

void SetStartupServices(const cStartupServices& services) { g_Services = services; }
const cStartupServices& StartupServices() { return g_Services; }

bool LoadFreeStage(const char* path, int findLatest) {
  g_Progress.NewGame();
  return LoadStageForPlay(path, findLatest, &g_StageDataOrg) != 0;
}
