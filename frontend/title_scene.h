#pragma once
// The title (scene type SCENE_TITLE): the title picture with the title menu of the System
// data, where every game starts. It starts a new story or a saved one (through the world
// map), the challenge list, a stage file chosen in a file box, a replay file, the option
// scene, or ends the program.
#include <array>
#include <cstdint>
#include <vector>

#include "data/system/cmd_item.h"
#include "media/draw/dd_surface.h"
#include "shell/scene.h"

constexpr int kTitleItemTypes = 7;  // one title menu entry per TITLEITEM

// The visible title items: the indices of the enabled entries of `menu` in menu order,
// at most kTitleItemTypes of them (a longer list in a damaged file is cut); entry 0 alone
// when none is enabled. Returns their number.
int CollectTitleItems(const std::vector<cCmdItem>& menu, std::array<std::int32_t, kTitleItemTypes>& items);
// The cursor row for remembered item type nTitleSel: its position among the visible
// items, or the type number itself when it is hidden (the first grid move corrects a row
// past the end).
int TitleCursorRow(const std::array<std::int32_t, kTitleItemTypes>& items, int nCount, int nTitleSel);

class cSceneTitle : public cScene {
 public:
  enum STATE : std::int32_t { STATE_FADEIN = 0, STATE_MENU = 1, STATE_SLOT = 2, STATE_FADEOUT = 3, STATE_COUNT = 4 };

  cSceneTitle();
  ~cSceneTitle() override;
  cSceneTitle(const cSceneTitle&) = delete;
  cSceneTitle& operator=(const cSceneTitle&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void Menu();
  void SelectSlot();

  // Asks the main window for a stage file and waits; true when one was chosen and started.
  bool OpenStageFile();
  void CreateMenu();
  void DrawMenu(DDSURFACEDATA* lpDst);
  void Draw();

  using StateHandler = void (cSceneTitle::*)();
  StateHandler m_pfnState[STATE_COUNT];

  std::int32_t m_nItemCount = 0;
  std::array<std::int32_t, kTitleItemTypes> m_anItem{};
  std::int32_t m_nSlotTop = 0;
  std::int32_t m_nSlotRows = 0;
  std::int32_t m_nMenuX = 192;

 private:
  bool UsesPictures() const;
  // Acts on the title item of type nItem chosen with the decision button.
  void Choose(int nItem);
  void Leave(int nScene);

  std::vector<DDSURFACEDATA> m_vWork;  // the menu, drawn once
  std::vector<DDSURFACEDEF> m_vWorkDef;
};

// A new story: a new game in g_Progress, the world-map cursor on the map's start cell and
// the story mode's lives.
void StartNewStory();
