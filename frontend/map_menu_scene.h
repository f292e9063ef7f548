#pragma once
// The world-map menu (scene type SCENE_MAPMENU; the scene factory makes it with
// `new cSceneMapMenu`), opened with the cancel button on the world map: save the story
// to one of the 99 slots, switch the auto save on or off, go back to the map, or go back
// to the title. It shows the total score. A save that fails says so in a box and the
// slot stays as it was.
#include <cstdint>

#include "shell/scene.h"

class cSceneMapMenu : public cScene {
 public:
  // The states: choosing menu item t enters state t + 2.
  enum STATE : std::int32_t {
    STATE_FADEIN = 0,
    STATE_MENU = 1,
    STATE_SAVE = 2,
    STATE_AUTOSAVE = 3,
    STATE_BACK = 4,
    STATE_TOTITLE = 5,
    STATE_FADEOUT = 6,
    STATE_COUNT = 7,
  };
  // The items of the System data's world-map menu.
  static constexpr int kItemCount = 4;

  cSceneMapMenu();
  ~cSceneMapMenu() override;
  cSceneMapMenu(const cSceneMapMenu&) = delete;
  cSceneMapMenu& operator=(const cSceneMapMenu&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void Menu();
  void Save();
  void AutoSave();
  void Back();
  void ToTitle();
  // The menu window and the total score over a plain screen.
  void Draw();

  using StateHandler = void (cSceneMapMenu::*)();
  StateHandler m_pfnState[STATE_COUNT];

  std::int32_t m_nItemCount = 0;
  std::int32_t m_anItem[kItemCount] = {};  // the enabled items' indices, in menu order
  std::int32_t m_nSlotTop = 0;             // the slot list's first visible row
  std::int32_t m_nSlotRows = 0;            // its visible rows

 private:
  void DrawSlotScreen();
};
