#include "frontend/play_services_install.h"

#include "frontend/free_stage.h"
#include "frontend/name_dialog.h"
#include "shell/play_services.h"
#include "stage/replay_files.h"

void InstallFrontEndServices() {
  cPlayServices services;
  services.StartFreeStage = StartFreeStage;
  services.LoadReplay = LoadReplay;
  services.MakeReplayFileName = MakeReplayFileName;
  services.SaveReplay = SaveReplay;
  // The play scene's quit request comes with stage play; until then no pause loop runs
  // that it could end.
  services.RequestPlayQuit = nullptr;
  services.CreateNameDlg = CreateNameDlg;
  SetPlayServices(services);
}
