// The file boxes over the display: at 8 bits the first palette colour is black while a box
// is open and comes back afterwards, also after a cancel; full screen the box is hooked.
#include <gtest/gtest.h>

#include "app/ui/file_boxes.h"
#include "media/draw/dd_colour.h"
#include "media/draw/dd_device.h"
#include "platform/dialog_script.h"
#include "tests/media/draw_test_util.h"

namespace {

// Reads the palette's first entry at the moment the box asks about replacing a file.
class cPaletteWitness : public cDialogScript {
 public:
  int Show(const MessageBoxRecord& box) override {
    if (lpDDPalette != nullptr) seen = lpDDPalette->entries[0];
    return cDialogScript::Show(box);
  }
  PALETTEENTRY seen{1, 1, 1, 1};
};

class FileBoxPaletteTest : public cDisplayTest, public ::testing::WithParamInterface<DisplayConfig> {};

TEST_P(FileBoxPaletteTest, FirstColourIsBlackOnlyWhileTheBoxIsOpen) {
  ASSERT_TRUE(Bring(GetParam()));
  MakeFile("old.rpl4_1");
  const bool eightBit = GetParam().nBpp == 8 && !GetParam().bDirect3D;
  for (bool confirm : {true, false}) {
    cPaletteWitness script;
    script.AddBoxAnswer("Save", "", IDNO);
    script.AddFileBox({confirm, Dir(), {"old"}});
    char buffer[MAX_PATH] = {};
    EXPECT_EQ(SaveFileBox(nullptr, buffer, "", "Save", "Replay\0*.rpl4_*\0\0", "rpl4_1", 0), 0);
    if (eightBit && confirm) {
      EXPECT_EQ(script.seen.peRed + script.seen.peGreen + script.seen.peBlue, 0);
    }
    if (eightBit) {
      EXPECT_EQ(lpDDPalette->entries[0].peRed, g_DispPalette[0].peRed);
      EXPECT_EQ(lpDDPalette->entries[0].peBlue, g_DispPalette[0].peBlue);
    }
    EXPECT_EQ(LastFileBoxHooked(), GetParam().bWindow ? 0 : 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, FileBoxPaletteTest, ::testing::Values(kAllConfigs[0], kAllConfigs[3], kAllConfigs[6]),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
