#pragma once
// Makes stage play a scene of the game: the scene factory then hands out cSceneGame for
// the stage-play scene type and the shell's stand-ins for the scenes not built yet.

// The creator the factory calls (non-throwing new: null when memory runs out).
class cScene;
cScene* CreateGameScene(int nSceneType);
// Installs CreateGameScene into the scene factory.
void InstallGameScenes();
// The play scene's quit request: set while a pause loop runs, the scene closes the
// program once the loop has ended.
void RequestGameSceneQuit();
