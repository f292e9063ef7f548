#pragma once
// The option scene (SCENE_OPTION), opened from the title: the colour variant, the music
// on or off, the sound-effect level, the ranking registration mode and the fixed ranking
// name of g_OptionData. A value takes effect while it is edited (colours and volume can be
// judged at once); the option file is written when the scene is left.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/option/option_data.h"
#include "data/system/cmd_item.h"
#include "media/draw/dd_surface.h"
#include "shell/scene.h"

// Option item types: the index of the entry in the System data's option menu.
enum OPTITEM : std::int32_t {
  OPTITEM_PALETTE = 0,
  OPTITEM_BGM = 1,
  OPTITEM_SEVOLUME = 2,
  OPTITEM_RANKMODE = 3,
  OPTITEM_RANKNAME = 4,
  OPTITEM_BACK = 5,
  OPTITEM_COUNT = 6,
};

// The range of the value of an item type 0 .. 3.
struct cOptionRange {
  std::int32_t nMin;
  std::int32_t nMax;
};
cOptionRange OptionRange(int nItem);
// The field of `option` that item type 0 .. 3 edits; null for the other types.
std::int32_t* OptionField(cOptionData& option, int nItem);

// Brings every value of `option` that a damaged option file may hold out of range back
// into its range (the nearest end): the values index the label table, the volume steps
// and the colour variants.
void ClampOptionValues(cOptionData& option);

// The visible option items: the indices of the enabled entries of `menu` in menu order, at
// most OPTITEM_COUNT of them; entry 0 alone when none is enabled. Returns their number.
int CollectOptionItems(const std::vector<cCmdItem>& menu, std::array<std::int32_t, OPTITEM_COUNT>& items);

// The value text of item type nItem as the option list shows it.
std::string OptionValueText(const cOptionData& option, int nItem);

class cSceneOption : public cScene {
 public:
  enum STATE : std::int32_t { STATE_FADEIN = 0, STATE_MENU = 1, STATE_FADEOUT = 2, STATE_COUNT = 3 };
  // Sub-states of the menu state.
  enum MENUSTEP : std::int32_t { MENU_START = 0, MENU_LIST = 1, MENU_EDIT = 2 };

  cSceneOption();
  ~cSceneOption() override;
  cSceneOption(const cSceneOption&) = delete;
  cSceneOption& operator=(const cSceneOption&) = delete;

  void Run() override;
  void Init() override;
  void FadeIn() override;
  void FadeOut() override;
  void Menu();

  // Makes the music follow m_bBgm: the music manager set up again when music was turned
  // on, released when it was turned off (the next scene then asks for its music anew).
  void ApplyBgmSwitch();
  void CreateMenu();
  void DrawMenu(DDSURFACEDATA* lpDst);
  void Draw();

  using StateHandler = void (cSceneOption::*)();
  StateHandler m_pfnState[STATE_COUNT];

  std::int32_t m_nItemCount = 0;
  std::array<std::int32_t, OPTITEM_COUNT> m_anItem{};
  std::int32_t m_nEditItem = 0;
  std::int32_t m_nSavedValue = 0;
  std::int32_t* m_pValue = nullptr;
  std::int32_t m_nMin = 0;
  std::int32_t m_nMax = 0;

 private:
  void ListStep();
  void EditStep();
  // The edited value takes effect: the colour variant and the sound-effect volume at
  // once; music and ranking mode are only stored.
  void ApplyValue();
  void Leave();
  // Redraws the work surface after a value changed.
  void Redraw();

  std::vector<DDSURFACEDATA> m_vWork;  // the option list, drawn when a value changes
  std::vector<DDSURFACEDEF> m_vWorkDef;
};
