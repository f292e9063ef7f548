#include "media/input/key_config.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "platform/host_files.h"
#include "platform/virtual_keys.h"
#include "tests/support/byte_builder.h"
#include "tests/support/temp_dir.h"

namespace {

class KeyConfigTest : public cTempDirTest {
 protected:
  void SetUp() override {
    cTempDirTest::SetUp();
    ASSERT_EQ(OpenReportLog("Report_Game.txt"), 1);
  }
  static std::string Report() { return ReadBytes("Report_Game.txt"); }
  static void WriteConfig(const std::vector<std::uint8_t>& bytes) {
    MakeFile("user_data/KeyConfig.dat", std::string(bytes.begin(), bytes.end()));
  }

  // A configuration whose every byte is 0x5A, to show what a load leaves untouched.
  static cKeyConfig Marked() {
    cKeyConfig config;
    std::memset(&config, 0x5A, sizeof(config));
    return config;
  }
  static bool IsMarked(const cKeyConfig& config) {
    const cKeyConfig marked = Marked();
    return std::memcmp(&config, &marked, sizeof(config)) == 0;
  }
};

// Entries as the authoring tool writes them: device, code, two reserved bytes.
std::vector<std::uint8_t> ConfigFile(std::int32_t keyNum, std::int32_t joyNum, std::int32_t use) {
  cByteBuilder file;
  for (int n = 0; n < cKeyConfig::kKeyCount; ++n) {
    file.I32(n < 6 ? KEYDEV_KEYBOARD : n - 6).I16(static_cast<std::int16_t>(0x41 + n + (n < 6 ? 0 : 0x300)));
    file.I16(static_cast<std::int16_t>(0x7000 + n));
  }
  file.I32(keyNum).I32(joyNum).I32(use);
  return file.Get();
}

TEST_F(KeyConfigTest, ReadsEveryFieldOfAWholeFile) {
  WriteConfig(ConfigFile(10, 3, 1));
  cKeyConfig config = Marked();
  ASSERT_EQ(LoadKeyConfig(kKeyConfigPath, config), 1);
  for (int n = 0; n < cKeyConfig::kKeyCount; ++n) {
    EXPECT_EQ(config.m_Key[n].nDevice, n < 6 ? KEYDEV_KEYBOARD : n - 6) << n;
    EXPECT_EQ(config.m_Key[n].wCode, 0x41 + n + (n < 6 ? 0 : 0x300)) << n;
  }
  EXPECT_EQ(config.m_nKeyNum, 10);
  EXPECT_EQ(config.m_nJoyNum, 3);
  EXPECT_EQ(config.m_bUse, 1);
  EXPECT_EQ(Report(), "");
}

TEST_F(KeyConfigTest, HostileCountsAreReadAsTheyStand) {
  // The polls bound them; the file itself is whole.
  WriteConfig(ConfigFile(-1, 0x7FFFFFFF, -5));
  cKeyConfig config{};
  ASSERT_EQ(LoadKeyConfig(kKeyConfigPath, config), 1);
  EXPECT_EQ(config.m_nKeyNum, -1);
  EXPECT_EQ(config.m_nJoyNum, 0x7FFFFFFF);
  EXPECT_EQ(config.m_bUse, -5);
}

TEST_F(KeyConfigTest, FilesOfTheWrongSizeLeaveTheConfigurationAlone) {
  struct Case {
    std::size_t size;
    std::string reportSize;
  };
  const Case cases[] = {
      {0, "0"}, {1, "1"}, {100, "100"}, {107, "107"}, {109, "109 以上"}, {4096, "109 以上"},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = ConfigFile(12, 1, 1);
    bytes.resize(c.size, 0x11);
    WriteConfig(bytes);
    cKeyConfig config = Marked();
    EXPECT_EQ(LoadKeyConfig(kKeyConfigPath, config), 0) << c.size;
    EXPECT_TRUE(IsMarked(config)) << c.size;
    EXPECT_NE(Report().find("user_data\\KeyConfig.dat : サイズが正しくありません (" + c.reportSize + " バイト"),
              std::string::npos)
        << c.size << ": " << Report();
  }
}

TEST_F(KeyConfigTest, AMissingFileIsSilent) {
  cKeyConfig config = Marked();
  EXPECT_EQ(LoadKeyConfig(kKeyConfigPath, config), 0);
  EXPECT_EQ(LoadKeyConfig(nullptr, config), 0);
  EXPECT_TRUE(IsMarked(config));
  EXPECT_EQ(Report(), "");
}

TEST_F(KeyConfigTest, AFolderInPlaceOfTheFileIsReported) {
  MakeDirectory("user_data");
  MakeDirectory("user_data\\KeyConfig.dat");
  cKeyConfig config = Marked();
  EXPECT_EQ(LoadKeyConfig(kKeyConfigPath, config), 0);
  EXPECT_TRUE(IsMarked(config));
  EXPECT_NE(Report().find("KeyConfig.dat : "), std::string::npos) << Report();
}

TEST_F(KeyConfigTest, DefaultsAreTheFixedLayoutOnTheKeyboard) {
  cKeyConfig config = Marked();
  SetDefaultKeyConfig(config);
  const WORD codes[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, 'Z', 'X', 'C', 'V', 'A', 'S', 'D', 'F'};
  for (int n = 0; n < cKeyConfig::kKeyCount; ++n) {
    EXPECT_EQ(config.m_Key[n].nDevice, KEYDEV_KEYBOARD) << n;
    EXPECT_EQ(config.m_Key[n].wCode, codes[n]) << n;
    EXPECT_EQ(config.m_Key[n].wReserved, 0x5A5A) << n;  // not written
  }
  EXPECT_EQ(config.m_nKeyNum, 12);
  EXPECT_EQ(config.m_nJoyNum, 1);
  EXPECT_EQ(config.m_bUse, 0);
}

}  // namespace
