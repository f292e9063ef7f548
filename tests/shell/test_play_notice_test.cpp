// The test-play notices as the authoring tool receives them: one datagram each on the
// socket it names, never holding the player up.
#include "shell/test_play_notice.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/test_play_flag.h"
#include "platform/tool_socket.h"
#include "tests/support/temp_dir.h"
#include "tests/support/tool_socket_end.h"

namespace {


std::vector<unsigned char> Notice(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId) {
  std::vector<unsigned char> bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(dwData >> (8 * i)));
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * i)));
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<unsigned char>(windowId >> (8 * i)));
  return bytes;
}

class TestPlayNoticeTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    m_strSocket = Dir() + "/tool.sock";
    setenv(kToolSocketVariable, m_strSocket.c_str(), 1);
    g_bTestPlay = 1;
  }
  void TearDown() override {
    unsetenv(kToolSocketVariable);
    g_bTestPlay = 0;
    cTempDirTest::TearDown();
  }
  std::string m_strSocket;
};

HWND Window(std::uintptr_t id) { return reinterpret_cast<HWND>(id); }

TEST_F(TestPlayNoticeTest, StartAndEndArriveAsLittleEndianDatagrams) {
  cToolSocket tool(m_strSocket);
  ASSERT_TRUE(tool.Bound());
  NotifyTestPlayStart(Window(0x0102030405060708u));
  NotifyTestPlayEnd(nullptr, 1);  // from WM_DESTROY: the window is gone
  NotifyTestPlayEnd(Window(7), 0);  // a failed start-up
  const auto got = tool.Receive();
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], Notice(1, 1, 0x0102030405060708u));
  EXPECT_EQ(got[1], Notice(0, 1, 0));
  EXPECT_EQ(got[2], Notice(0, 0, 7));
  EXPECT_EQ(got[0].size(), kToolNoticeSize);
}

TEST_F(TestPlayNoticeTest, NoTestPlayOrNoSocketMeansNoNotice) {
  {
    cToolSocket tool(m_strSocket);
    g_bTestPlay = 0;
    NotifyTestPlayStart(Window(1));
    EXPECT_TRUE(tool.Receive().empty());
  }
  g_bTestPlay = 1;
  // The socket is gone, a path names a plain file, the variable is empty or longer than a
  // socket address holds: the player carries on.
  std::remove(m_strSocket.c_str());
  EXPECT_FALSE(SendToolNotice(1, 1, 1));
  MakeFile("plain");
  setenv(kToolSocketVariable, (Dir() + "/plain").c_str(), 1);
  EXPECT_FALSE(SendToolNotice(1, 1, 1));
  setenv(kToolSocketVariable, "", 1);
  EXPECT_FALSE(SendToolNotice(1, 1, 1));
  setenv(kToolSocketVariable, (Dir() + "/" + std::string(200, 'a')).c_str(), 1);
  EXPECT_FALSE(SendToolNotice(1, 1, 1));
}

TEST_F(TestPlayNoticeTest, AToolThatDoesNotReadNeverHoldsThePlayer) {
  cToolSocket tool(m_strSocket);
  // Fill the socket's queue: once it is full a notice is dropped at once, never waited for.
  int sent = 0;
  while (sent < 100000 && SendToolNotice(0, 1, 0)) ++sent;
  EXPECT_LT(sent, 100000);
  EXPECT_FALSE(SendToolNotice(0, 1, 0));
  EXPECT_FALSE(tool.Receive().empty());
}

}  // namespace
