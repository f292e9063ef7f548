#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>

#include "platform/message_queue.h"
#include "tests/platform/platform_test_util.h"

namespace {

HWND FakeWindow(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }

}  // namespace

TEST(MessageBox, DefaultWritesCaptionAndTextAsUtf8OnStandardError) {
  testing::internal::CaptureStderr();
  // "エラー" / "ファイルがありません" in CP932.
  const int answer = MessageBoxA(nullptr, "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1",
                                 "\x83\x47\x83\x89\x81\x5B", MB_OK | MB_ICONERROR);
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(written, U8(u8"エラー: ファイルがありません\n"));
}

TEST(MessageBox, DefaultAnswersWithTheFirstButton) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Quit?", "Game", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Game", MB_OKCANCEL), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Done", "Game", MB_OK), IDOK);
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_EQ(written, "Game: Quit?\nGame: Go on?\nGame: Done\n");
}

TEST(MessageBox, RecorderRecordsAndAnswersFromItsScript) {
  cRecordingMessageBoxes boxes;
  boxes.answers = {IDNO, IDCANCEL};
  const HWND owner = FakeWindow(0x10);
  EXPECT_EQ(MessageBoxA(owner, "\x95\x5C", "cap", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "two", "cap2", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "three", "cap3", MB_YESNO), IDOK);  // script used up
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].owner, owner);
  EXPECT_EQ(boxes.shown[0].text, "\x95\x5C");  // CP932 as passed
  EXPECT_EQ(boxes.shown[0].caption, "cap");
  EXPECT_EQ(boxes.shown[0].type, MB_YESNO);
  EXPECT_EQ(boxes.shown[2].text, "three");
}

TEST(MessageBox, RecordersNestAndRestoreThePreviousProvider) {
  testing::internal::CaptureStderr();
  {
    cRecordingMessageBoxes outer;
    {
      cRecordingMessageBoxes inner;
      MessageBoxA(nullptr, "inner", "c", MB_OK);
      EXPECT_EQ(inner.shown.size(), 1u);
      EXPECT_TRUE(outer.shown.empty());
    }
    MessageBoxA(nullptr, "outer", "c", MB_OK);
    ASSERT_EQ(outer.shown.size(), 1u);
    EXPECT_EQ(outer.shown[0].text, "outer");
  }
  MessageBoxA(nullptr, "default", "c", MB_OK);  // back to standard error
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "c: default\n");
}

TEST(MessageBox, SetProviderReturnsThePreviousOne) {
  cRecordingMessageBoxes boxes;
  cMessageBoxProvider* previous = SetMessageBoxProvider(nullptr);
  EXPECT_EQ(previous, &boxes);
  EXPECT_EQ(SetMessageBoxProvider(previous), nullptr);  // the default one was in place
}

TEST(MessageBox, BoxesFromSeveralThreadsAreAllRecorded) {
  cRecordingMessageBoxes boxes;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 100; ++i) MessageBoxA(nullptr, "t", "c", MB_OK);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(boxes.shown.size(), 400u);
}

TEST(MessageBox, ActiveWindowIsTheMainWindowOnTheMainThreadOnly) {
  MarkMainThread();
  SetMainWindowHandle(nullptr);
  EXPECT_EQ(GetActiveWindow(), nullptr);  // no window yet
  const HWND window = FakeWindow(0x1000);
  SetMainWindowHandle(window);
  EXPECT_EQ(GetActiveWindow(), window);
  HWND seen = window;
  std::thread([&seen] { seen = GetActiveWindow(); }).join();
  EXPECT_EQ(seen, nullptr);
  SetMainWindowHandle(nullptr);
}
