#pragma once
// What the main window's requests call of stage play and the front end. Those live in
// folders above the shell, so the shell learns of them only through this table: the
// program's entry installs it before the game thread starts. A service that is not
// installed fails as it would at its worst (a report line says which), so a request
// never runs code that does not exist.
#include <string>

class cDialog;
class cWindow;
class cWindowList;

struct cPlayServices {
  // Free play of a stage file: a fresh progress record and the stage loaded for play
  // (with findLatest 1 the newest numbered file of `path`). False when it cannot be
  // loaded; the loader has shown why.
  bool (*StartFreeStage)(const char* path, int findLatest) = nullptr;
  // Loads a replay file into the current replay, the stage data, its pristine copy and
  // the progress record. False when it cannot be loaded.
  bool (*LoadReplay)(const char* path) = nullptr;
  // The path proposed for saving a replay of the stage `stageName`; false, with `out`
  // untouched, when no name can be formed.
  bool (*MakeReplayFileName)(std::string& out, const std::string& stageName) = nullptr;
  // Saves the replay of the current stage (bPrevious 0) or of the previous one (1) with
  // the stage data, its pristine copy and the progress kept for it. False on failure.
  bool (*SaveReplay)(const char* path, int bPrevious) = nullptr;
  // Asks the play scene to quit once its pause loop has ended.
  void (*RequestPlayQuit)() = nullptr;
  // The ranking-name dialog over `parent`, made with the non-throwing new: null when
  // memory runs out.
  cDialog* (*CreateNameDlg)(cWindow* parent, cWindowList* windowList) = nullptr;
};

// Installs the services (a default table removes them). Called on the main thread before
// the game thread starts; read only afterwards.
void SetPlayServices(const cPlayServices& services);
const cPlayServices& PlayServices();

// The calls of the requests. Each answers false (nothing done) when its service is not
// installed, with a report line naming it.
bool StartFreeStageService(const char* path, int findLatest);
bool LoadReplayService(const char* path);
bool MakeReplayFileNameService(std::string& out, const std::string& stageName);
bool SaveReplayService(const char* path, int bPrevious);
void RequestPlayQuitService();
