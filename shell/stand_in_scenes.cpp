#include "shell/stand_in_scenes.h"

#include <new>

#include "shell/scene_factory.h"

void cStandInScene::Run() {
  if (m_nState == -1) {
    Init();
    m_nState = 0;
  }
}

cScene* CreateStandInScene(int nSceneType) {
  if (nSceneType < 0 || nSceneType >= kSceneTypeCount) return nullptr;
  return new (std::nothrow) cStandInScene(nSceneType);
}

void InstallStandInScenes() { SetSceneCreator(CreateStandInScene); }
