#include "frontend/play_services_install.h"

#include "flow/var_param_table.h"
#include "frontend/free_stage.h"
#include "frontend/name_dialog.h"
#include "shell/play_services.h"
#include "shell/startup_services.h"
#include "stage/effect_run_tables.h"
#include "stage/game_scene_install.h"
#include "stage/replay_files.h"

namespace {

void BuildEffectRunTables() {
  BuildCharaEffectTables(g_CharaEffectFwd, g_CharaEffectRev);
  BuildScrEffectTables(g_ScrEffectFwd, g_ScrEffectRev);
}

}  // namespace

void InstallFrontEndServices() {
  cPlayServices services;
  services.StartFreeStage = StartFreeStage;
  services.LoadReplay = LoadReplay;
  services.MakeReplayFileName = MakeReplayFileName;
  services.SaveReplay = SaveReplay;
  services.RequestPlayQuit = RequestGameSceneQuit;
  services.CreateNameDlg = CreateNameDlg;
  SetPlayServices(services);

  // Start-up's part (it starts a stage through the table above); the flows' parameter
  // table comes with the flows.
  cStartupServices startup;
  startup.BuildEffectRunTables = BuildEffectRunTables;
  startup.InitVarParamTable = InitVarParamTable;
  SetStartupServices(startup);
}
