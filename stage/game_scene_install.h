#pragma once
// Stage play as a scene of the game: the front end's scene factory asks here for the
// stage-play scene.

// The stage-play scene for SCENE_GAME (non-throwing new: null when memory runs out); null
// for any other type.
class cScene;
cScene* CreateGameScene(int nSceneType);
// The play scene's quit request: set while a pause loop runs, the scene closes the
// program once the loop has ended.
void RequestGameSceneQuit();
