#pragma once
// What start-up needs of the game's own layers (flows, stage play and the front end),
// which sit above the shell: the program's entry installs them before it runs GameInit.
// An operation left unset is skipped. The start of a stage is the main window's service
// (play_services.h); without it start-up loads the stage with the stage loader alone.

struct cStartupServices {
  // The variable-parameter table of the flows.
  void (*InitVarParamTable)() = nullptr;
  // The prepared character- and screen-effect tables of stage play, built from the
  // database's working copies of those effects.
  void (*BuildEffectRunTables)() = nullptr;
};

// Installs the services (a default-made record removes them).
void SetStartupServices(const cStartupServices& services);
const cStartupServices& StartupServices();

// The start of a stage without the front end: the progress made new for a free play
// without a stage series, and the stage loaded with its settings kept as the pristine
// copy. What the front end's own start adds (the free mode's time limit, the stage name)
// is not done here.
bool LoadFreeStage(const char* path, int findLatest);
