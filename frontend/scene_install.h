#pragma once
// The scenes of the game for the game manager: the title, the world map and its menu, the
// challenge list, stage play and the options. The entry installs the creator before the
// game thread starts.
class cScene;

// The scene of type nSceneType from the non-throwing new; null for an unknown type or
// when memory runs out.
cScene* CreateFrontEndScene(int nSceneType);
// Installs CreateFrontEndScene into the scene factory.
void InstallScenes();
