// The scene factory hands out each scene of the game by its type, and nothing for a type
// that does not exist.
#include "frontend/scene_install.h"

#include <gtest/gtest.h>

#include <memory>

#include "frontend/challenge_scene.h"
#include "frontend/map_menu_scene.h"
#include "frontend/option_scene.h"
#include "frontend/title_scene.h"
#include "frontend/world_map_scene.h"
#include "shell/game_mgr.h"
#include "shell/scene_factory.h"
#include "stage/scene_game.h"

namespace {

template <class T>
bool Is(const cScene* scene) {
  return dynamic_cast<const T*>(scene) != nullptr;
}

TEST(SceneInstall, EveryTypeHasItsScene) {
  InstallScenes();
  struct Case {
    int type;
    bool (*check)(const cScene*);
  } const cases[] = {
      {SCENE_TITLE, &Is<cSceneTitle>},         {SCENE_WORLDMAP, &Is<cSceneWorldMap>},
      {SCENE_MAPMENU, &Is<cSceneMapMenu>},     {SCENE_CHALLENGE, &Is<cSceneChallenge>},
      {SCENE_GAME, &Is<cSceneGame>},           {SCENE_OPTION, &Is<cSceneOption>},
  };
  for (const Case& c : cases) {
    const std::unique_ptr<cScene> scene(CreateScene(c.type));
    ASSERT_NE(scene, nullptr) << c.type;
    EXPECT_TRUE(c.check(scene.get())) << c.type;
    EXPECT_EQ(scene->m_nState, -1) << c.type;
  }
  EXPECT_EQ(CreateScene(-1), nullptr);
  EXPECT_EQ(CreateScene(kSceneTypeCount), nullptr);
  SetSceneCreator(nullptr);
}

}  // namespace
