#include <gtest/gtest.h>

#include "app/message_boxes.h"
#include "app/report_log.h"
#include "media/draw/display_state.h"
#include "platform/message_box.h"

namespace {

// Records each box together with whether the display was in dialog mode while it showed.
class cDialogModeWitness : public cMessageBoxProvider {
 public:
  cDialogModeWitness() : m_previous(SetMessageBoxProvider(this)) {}
  ~cDialogModeWitness() override { SetMessageBoxProvider(m_previous); }
  int Show(const MessageBoxRecord& box) override {
    texts.push_back(box.text);
    inDialogMode.push_back(DDDialogModeEntries() > DDDialogModeExits());
    return IDCANCEL;
  }
  std::vector<std::string> texts;
  std::vector<bool> inDialogMode;

 private:
  cMessageBoxProvider* m_previous;
};

TEST(DisplayBoxesTest, FullScreenBoxShowsInDialogModeAndReturnsOne) {
  cDialogModeWitness witness;
  const int entries = DDDialogModeEntries();
  DDRouteMessageBoxes(1);
  // The box's own answer (cancel) is not returned in full screen: shown is 1.
  EXPECT_EQ(MesBox("full screen", "caption", MB_OKCANCEL), 1);
  DDRouteMessageBoxes(0);
  EXPECT_EQ(MesBox("windowed", "caption", MB_OKCANCEL), IDCANCEL);

  ASSERT_EQ(witness.texts.size(), 2u);
  EXPECT_EQ(witness.texts[0], "full screen");
  EXPECT_TRUE(witness.inDialogMode[0]);
  EXPECT_FALSE(witness.inDialogMode[1]);
  EXPECT_EQ(DDDialogModeEntries(), entries + 1);
  EXPECT_EQ(DDDialogModeExits(), DDDialogModeEntries());
}

TEST(DisplayBoxesTest, RoutingTwiceOrRemovingTwiceKeepsTheChainIntact) {
  cDialogModeWitness witness;
  DDRouteMessageBoxes(1);
  DDRouteMessageBoxes(1);
  EXPECT_EQ(MesBox("once", "caption", MB_OK), 1);
  DDRouteMessageBoxes(0);
  DDRouteMessageBoxes(0);
  EXPECT_EQ(MesBox("after", "caption", MB_OK), IDCANCEL);
  ASSERT_EQ(witness.texts.size(), 2u);
}

}  // namespace
