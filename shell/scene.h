#pragma once
// The base of every scene of the game (title, world map and its menu, challenge select,
// stage play, options). The game manager owns the live scene, runs it once a frame and
// deletes it when another scene becomes current, so every entry into a scene starts
// afresh at state -1.
#include <cstdint>

enum SCENETYPE : int {
  SCENE_TITLE = 0,
  SCENE_WORLDMAP = 1,
  SCENE_MAPMENU = 2,
  SCENE_CHALLENGE = 3,
  SCENE_GAME = 4,
  SCENE_OPTION = 5,
};
constexpr int kSceneTypeCount = 6;

class cScene {
 public:
  virtual ~cScene() = default;
  // One frame: the answer to the input, the state step and the drawing into the back
  // buffer.
  virtual void Run() {}
  // One-time entry work, called by the scene's own Run while m_nState is -1.
  virtual void Init() {}
  // The first and the last state of the scene.
  virtual void FadeIn() {}
  virtual void FadeOut() {}

  std::int32_t m_nState = -1;  // -1 until Init has run
  std::int32_t m_nSubState = 0;
};
