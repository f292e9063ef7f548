#include "stage/game_scene_install.h"

#include <new>

#include "shell/scene.h"
#include "stage/scene_game.h"

cScene* CreateGameScene(int nSceneType) {
  if (nSceneType == SCENE_GAME) return new (std::nothrow) cSceneGame();
  return nullptr;
}

void RequestGameSceneQuit() {
  if (cSceneGame* scene = GameScene(); scene != nullptr) scene->m_bQuit = 1;
}
