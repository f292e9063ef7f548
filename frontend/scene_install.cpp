#include "frontend/scene_install.h"

#include <new>

#include "frontend/challenge_scene.h"
#include "frontend/map_menu_scene.h"
#include "frontend/option_scene.h"
#include "frontend/title_scene.h"
#include "frontend/world_map_scene.h"
#include "shell/scene.h"
#include "shell/scene_factory.h"
#include "stage/game_scene_install.h"

cScene* CreateFrontEndScene(int nSceneType) {
  switch (nSceneType) {
    case SCENE_TITLE:
      return new (std::nothrow) cSceneTitle();
    case SCENE_WORLDMAP:
      return new (std::nothrow) cSceneWorldMap();
    case SCENE_MAPMENU:
      return new (std::nothrow) cSceneMapMenu();
    case SCENE_CHALLENGE:
      return new (std::nothrow) cSceneChallenge();
    case SCENE_GAME:
      return CreateGameScene(nSceneType);
    case SCENE_OPTION:
      return new (std::nothrow) cSceneOption();
    default:
      return nullptr;
  }
}

void InstallScenes() { SetSceneCreator(CreateFrontEndScene); }
