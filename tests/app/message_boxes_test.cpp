#include "app/message_boxes.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/report_log.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"

namespace {

const char kErrorCaption[] = "\x83\x47\x83\x89\x81\x5B";  // "エラー" in CP932

class MessageBoxesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetECLog(0, "EC_Game.txt");
    ClearPostedMessages();
  }
  void TearDown() override { ClearPostedMessages(); }
  cRecordingMessageBoxes boxes;
};

TEST_F(MessageBoxesTest, ErrorBoxesCarryTheErrorCaptionAndTheLiteralText) {
  EXPECT_EQ(ErrMesBox("no 100%s file"), IDOK);
  EXPECT_EQ(ErrMesBoxf("stage %s", "a%d.stg4_811"), IDOK);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "no 100%s file");
  EXPECT_EQ(boxes.shown[0].caption, kErrorCaption);
  EXPECT_EQ(boxes.shown[0].type, MB_OK);
  EXPECT_EQ(boxes.shown[1].text, "stage a%d.stg4_811");
}

TEST_F(MessageBoxesTest, BoxReturnsTheAnswer) {
  boxes.answers.push_back(IDCANCEL);
  EXPECT_EQ(MesBox("text", "caption", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxesTest, BoxOfAnotherThreadHasNoOwner) {
  std::thread([] { MesBox("from the game thread", "caption", MB_OK); }).join();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].owner, nullptr);
}

TEST_F(MessageBoxesTest, FormattedBoxTextIsCutToWholeCharacters) {
  std::string text;
  for (int i = 0; i < 600; ++i) text += "\x93\xFA";
  ErrMesBoxf("%s", text.c_str());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, text.substr(0, 1022));
}

TEST_F(MessageBoxesTest, DebugBoxOnlyWhileTheErrorCheckLogIsOn) {
  EXPECT_EQ(DebugMesBox("value %d", 1), 0);
  EXPECT_TRUE(boxes.shown.empty());
  SetECLog(1, "EC_Game.txt");
  EXPECT_EQ(DebugMesBox("value %d", 2), IDOK);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "value 2");
}

TEST_F(MessageBoxesTest, MemoryErrorShowsItsBoxThenClosesTheProgram) {
  MemErrMesBox();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "メモリが不足しています！");
  EXPECT_EQ(boxes.shown[0].caption, kErrorCaption);
  EXPECT_EQ(CountPostedMessages(WM_CLOSE), 1);
}

}  // namespace
