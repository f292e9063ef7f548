// Provisioning "data\" from "default\": asked once, copied whole, undone on failure.
#include "app/default_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/message_box.h"
#include "tests/support/temp_dir.h"

namespace {

class DefaultData : public cTempDirTest {
 protected:
  cRecordingMessageBoxes boxes;
};

HWND Owner() { return reinterpret_cast<HWND>(std::uintptr_t{0x4242}); }

}  // namespace

TEST_F(DefaultData, AnExistingDataFolderIsKeptAsItIsWithoutAQuestion) {
  MakeFile("data/System.dat", "mine");
  MakeFile("default/System.dat", "factory");
  MakeFile("default/WorldMap.dat", "factory");
  EXPECT_EQ(CreateDefaultData(Owner()), 1);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ReadBytes("data/System.dat"), "mine");
  EXPECT_FALSE(Exists("data/WorldMap.dat"));  // never refreshed from default\ either
}

TEST_F(DefaultData, WithoutEitherFolderNothingIsAsked) {
  EXPECT_EQ(CreateDefaultData(Owner()), 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(Exists("data"));
}

TEST_F(DefaultData, TheAnswerDecidesAndYesCopiesTheWholeTree) {
  const struct {
    int answer;
    int result;
  } cases[] = {{IDNO, 0}, {IDYES, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    std::filesystem::remove_all("data");
    MakeFile("default/System.dat", "sys");
    MakeFile("default/database/Sound.dat", "snd");
    MakeFile("default/stg4/stage1.stg4_811", "stage");
    std::filesystem::create_directories("default/stg4/old_ver");  // empty folders come too
    boxes.shown.clear();
    boxes.answers = {c.answer};
    EXPECT_EQ(CreateDefaultData(Owner()), c.result);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].owner, Owner());  // the player's (still hidden) window
    EXPECT_EQ(boxes.shown[0].type, MB_YESNO);
    EXPECT_EQ(boxes.shown[0].caption, "デフォルトデータ作成の確認");
    EXPECT_EQ(boxes.shown[0].text, "データが存在しません！デフォルトデータを作成しますか？\n");
    if (c.result == 0) {
      EXPECT_FALSE(Exists("data"));
      continue;
    }
    EXPECT_EQ(ReadBytes("data/System.dat"), "sys");  // the contents, not the folder itself inside
    EXPECT_EQ(ReadBytes("data/database/Sound.dat"), "snd");
    EXPECT_EQ(ReadBytes("data/stg4/stage1.stg4_811"), "stage");
    EXPECT_TRUE(std::filesystem::is_directory("data/stg4/old_ver"));
    EXPECT_FALSE(Exists("data/default"));
    EXPECT_EQ(ReadBytes("default/System.dat"), "sys");  // the factory copy stays
  }
}

TEST_F(DefaultData, AFailedCopyLeavesNoPartialDataFolder) {
  MakeFile("default/System.dat", "sys");
  MakeFile("default/database/Sound.dat", "snd");
  // A link to nothing cannot be copied: the copy fails after some files were made.
  std::filesystem::create_symlink("missing-target", "default/database/zz_broken.dat");
  boxes.answers = {IDYES};
  EXPECT_EQ(CreateDefaultData(Owner()), 0);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_FALSE(Exists("data"));
  EXPECT_EQ(ReadBytes("default/System.dat"), "sys");
}
