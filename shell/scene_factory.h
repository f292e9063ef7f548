#pragma once
// The game manager switches between the scenes of stage play and the front end, which
// live in folders above the shell. It learns of them only through this factory: the
// program's entry installs a creator before the manager runs.
class cScene;

// Makes the scene of type nSceneType; null when the type is unknown or memory runs out.
using SceneCreator = cScene* (*)(int nSceneType);

// Installs the creator (null removes it).
void SetSceneCreator(SceneCreator creator);
// The scene of type nSceneType from the installed creator; null without a creator.
cScene* CreateScene(int nSceneType);
