#pragma once
// Steps that the front-end scenes share: the frame's skeleton, the input filter of their
// frames, the request of their music slot on entry, the loading of their fixed pictures,
// and the screen fades.
#include <cstddef>

#include "platform/win_types.h"
#include "shell/scene.h"

// Buttons made one-shot by the menu scenes: decision and cancel, or all four.
constexpr WORD kMenuButtons = 3;
constexpr WORD kAllMenuButtons = 15;

// Input device 0 as a front-end scene reads it this frame: a script's words in a headless
// run, the directions auto-repeated, the buttons of `buttonMask` reported once a press.
void FilterMenuInput(WORD buttonMask);

// Asks the main window for the music of scene slot `slot` (0 title, 1 world map and its
// menu, 2 challenge select, 3 options) unless that music is already requested; a slot
// without music always asks, which stops the music.
void RequestSceneBgm(int slot);

// Loads fixed surfaces `rows`; false (after asking the main window to close) on failure.
bool LoadFrontSurfaces(const int* rows, int nCount);
void ReleaseFrontSurfaces(const int* rows, int nCount);

// One step of the screen fade in / out at the game manager's speed; true when it ended.
bool FrontFadeInStep();
bool FrontFadeOutStep();

// The scene's Init on its first frame (m_nState -1): a failure's text goes to the error
// log as a fatal line, and the scene goes on from `nFirstState` either way.
void EnterFrontScene(cScene& scene, int nFirstState);

// One frame of a front-end scene: the input filtered to `buttonMask`, the entry on the
// first frame into state 0 (every scene's fade-in), then the handler of the current state
// from the scene's state table.
template <class Scene, std::size_t N>
void RunFrontScene(Scene& scene, void (Scene::*(&table)[N])(), WORD buttonMask) {
  FilterMenuInput(buttonMask);
  EnterFrontScene(scene, 0);
  if (scene.m_nState < 0 || static_cast<std::size_t>(scene.m_nState) >= N) return;
  // Through a local: GCC's sanitizer builds misread a call through the table element.
  void (Scene::*const handler)() = table[scene.m_nState];
  (scene.*handler)();
}
