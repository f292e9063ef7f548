#include "shell/scene_factory.h"

namespace {

// Set once by the entry before the game thread starts; read only afterwards.
SceneCreator g_SceneCreator = nullptr;

}  // namespace

void SetSceneCreator(SceneCreator creator) { g_SceneCreator = creator; }

cScene* CreateScene(int nSceneType) { return g_SceneCreator != nullptr ? g_SceneCreator(nSceneType) : nullptr; }
