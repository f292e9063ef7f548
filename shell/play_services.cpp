#include "shell/play_services.h"

#include "app/report_log.h"

namespace {

cPlayServices g_PlayServices;

void ReportMissing(const char* service) { WriteReport("%s が組み込まれていません", service); }

}  // namespace

void SetPlayServices(const cPlayServices& services) { g_PlayServices = services; }

const cPlayServices& PlayServices() { return g_PlayServices; }

bool StartFreeStageService(const char* path, int findLatest) {
  if (g_PlayServices.StartFreeStage == nullptr) {
    ReportMissing("StartFreeStage");
    return false;
  }
  return g_PlayServices.StartFreeStage(path, findLatest);
}

bool LoadReplayService(const char* path) {
  if (g_PlayServices.LoadReplay == nullptr) {
    ReportMissing("LoadReplay");
    return false;
  }
  return g_PlayServices.LoadReplay(path);
}

bool MakeReplayFileNameService(std::string& out, const std::string& stageName) {
  if (g_PlayServices.MakeReplayFileName == nullptr) {
    ReportMissing("MakeReplayFileName");
    return false;
  }
  return g_PlayServices.MakeReplayFileName(out, stageName);
}

bool SaveReplayService(const char* path, int bPrevious) {
  if (g_PlayServices.SaveReplay == nullptr) {
    ReportMissing("SaveReplay");
    return false;
  }
  return g_PlayServices.SaveReplay(path, bPrevious);
}

void RequestPlayQuitService() {
  // Only a running play scene has a pause loop to end: without stage play there is
  // nothing to ask.
  if (g_PlayServices.RequestPlayQuit != nullptr) g_PlayServices.RequestPlayQuit();
}
