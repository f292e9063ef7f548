#pragma once
// Scenes that stand in for the title, world map, menus, challenge select, stage play and
// options until those are built: each enters (Init) and then does nothing, drawing
// nothing, so that the manager, the frame loop and the program around them can run.
#include "shell/scene.h"

class cStandInScene : public cScene {
 public:
  explicit cStandInScene(int nType) : m_nType(nType) {}
  void Run() override;
  int Type() const { return m_nType; }

 private:
  int m_nType;
};

// The stand-in of a scene type (0 to 5) from the non-throwing new; null otherwise.
cScene* CreateStandInScene(int nSceneType);
// Makes the stand-ins the scenes of the game.
void InstallStandInScenes();
