// What the desktop knows the game window by: its title is the main window's text (CP932,
// shown as UTF-8), set before or after the window opens, and its class is the class the
// program registered for the main window. The X11 side of both is looked at with xprop in
// the stage tests' real-server runs; here SDL's dummy driver keeps the title.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/display_window.h"
#include "platform/message_queue.h"
#include "platform/win_window.h"
#include "platform/window_class.h"

namespace {

LRESULT QuietProc(HWND, UINT, WPARAM, LPARAM) { return 0; }
LRESULT OtherProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class DesktopIdentityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    MarkMainThread();
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = QuietProc;
    windowClass.lpszClassName = "Tovrelkit4";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    windowClass.lpfnWndProc = OtherProc;
    windowClass.lpszClassName = "Other";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);
    m_hWnd = CreateWindowExA(0, "", WS_POPUP | WS_CAPTION, 0, 0, 640, 480, nullptr, QuietProc);
    ASSERT_NE(m_hWnd, nullptr);
  }
  void TearDown() override {
    CloseDisplayWindow();
    DestroyWindow(m_hWnd);
    ClearPostedMessages();
  }
  HWND m_hWnd = nullptr;
};

TEST_F(DesktopIdentityTest, TheMainWindowBelongsToTheClassOfItsProcedure) {
  char name[64];
  EXPECT_EQ(GetClassNameA(m_hWnd, name, sizeof name), 10);
  EXPECT_STREQ(name, "Tovrelkit4");
  // Cut to the buffer, as the system does.
  char small[5];
  EXPECT_EQ(GetClassNameA(m_hWnd, small, sizeof small), 4);
  EXPECT_STREQ(small, "Tovr");
  EXPECT_EQ(ClassNameOfWindowProc(OtherProc), "Other");
  EXPECT_EQ(ClassNameOfWindowProc(nullptr), "");
}

TEST_F(DesktopIdentityTest, TheWindowTakesTheMainWindowsTitleAsUtf8) {
  // The title set before the window opens (start-up names the game first) and a title
  // set while it is open both reach it.
  SetWindowTextA(m_hWnd, "ゲーム Demo");
  ASSERT_EQ(OpenDisplayWindow(DisplayWindowOptions()), 1) << DisplayWindowError();
  EXPECT_EQ(DisplayWindowTitle(), Utf8(u8"ゲーム Demo"));
  SetWindowTextA(m_hWnd, "～表示");
  EXPECT_EQ(DisplayWindowTitle(), Utf8(u8"～表示"));
  // Opened again (another screen mode) it keeps the game's title.
  ASSERT_EQ(OpenDisplayWindow(DisplayWindowOptions()), 1) << DisplayWindowError();
  EXPECT_EQ(DisplayWindowTitle(), Utf8(u8"～表示"));
  // A window opened with a title of its own (a dialog's screen) shows that one.
  DisplayWindowOptions options;
  options.title = "Own";
  ASSERT_EQ(OpenDisplayWindow(options), 1) << DisplayWindowError();
  EXPECT_EQ(DisplayWindowTitle(), "Own");
}

}  // namespace
