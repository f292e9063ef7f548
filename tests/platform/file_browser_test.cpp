#include "platform/file_browser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <string>

#include "tests/platform/platform_test_util.h"
#include "tests/support/temp_dir.h"

namespace {

class FileBrowserTest : public cTempDirTest {};

TEST_F(FileBrowserTest, HostPathsBecomeProgramPathsOrAreRefused) {
  struct Case {
    const char* name;
    std::string host;     // relative ones are taken in the game folder
    int ok;
    std::string program;  // CP932
  } cases[] = {
      {"inside the game folder", "data/stg4/a.stg4_001", 1, "data\\stg4\\a.stg4_001"},
      {"dot segments", "data/../data/./b.txt", 1, "data\\b.txt"},
      // ソ and 表 end in 0x5C: the separator after them is still one "\".
      {"trail byte 0x5C", U8(u8"ソ表/x.dat"), 1, "\x83\x5C\x95\x5C\\x.dat"},
      {"outside the game folder", "/nonexistent-root/a b/c.txt", 1, "\\nonexistent-root\\a b\\c.txt"},
      {"raw CP932 name from an archive", "\x83\x5C\x83\x74\x83\x67.dat", 1, "\x83\x5C\x83\x74\x83\x67.dat"},
      {"a backslash inside a host name", "a\\b.txt", 0, ""},
      {"a character CP932 cannot hold", U8(u8"\U0001F600.txt"), 0, ""},
      {"259 bytes", std::string(259, 'a'), 1, std::string(259, 'a')},
      {"260 bytes", std::string(260, 'a'), 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string program, error;
    EXPECT_EQ(HostPathToProgramPath(c.host, program, error), c.ok);
    EXPECT_EQ(program, c.program);
    EXPECT_EQ(error.empty(), c.ok == 1);
  }
  // An absolute path into the game folder is relative too.
  std::string program, error;
  EXPECT_EQ(HostPathToProgramPath(Dir() + "/user_data/x.dat", program, error), 1);
  EXPECT_EQ(program, "user_data\\x.dat");
  // A folder beside the game's whose name begins with the game folder's ("game2" beside
  // "game") lies outside it: the path stays absolute.
  std::string sibling = Dir() + "2/x.dat";
  std::replace(sibling.begin(), sibling.end(), '/', '\\');
  EXPECT_EQ(HostPathToProgramPath(Dir() + "2/x.dat", program, error), 1);
  EXPECT_EQ(program, sibling);
}

TEST_F(FileBrowserTest, FiltersSplitAndMatchWithoutRegardToCase) {
  const char filter[] = "Stage\0*.stg4_*;*.rpl4_*\0Replay\0*.rpl4_*\0\0";
  const auto pairs = SplitFileFilter(filter, sizeof filter);
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].first, "Replay");
  EXPECT_EQ(pairs[1].second, "*.rpl4_*");
  // A filter without its final NUL ends where its buffer does.
  const char cut[] = {'A', '\0', '*', '.', 'a'};
  EXPECT_EQ(SplitFileFilter(cut, sizeof cut).size(), 1u);

  struct Case {
    const char* name;
    const char* patterns;
    bool match;
  } cases[] = {
      {"World.STG4_001", "*.stg4_*;*.rpl4_*", true},
      {"run.rpl4_20240101", "*.stg4_*;*.rpl4_*", true},
      {"stg4_001", "*.stg4_*", false},
      {"a.txt", "*.dat; *.TXT", true},
      {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},
      {"anything", "*", true},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchesFilePatterns(c.name, c.patterns), c.match) << c.name << " " << c.patterns;
}

int s_nAsked = 0;
int s_nAllow = 0;
int Ask(const std::string&) {
  ++s_nAsked;
  return s_nAllow;
}

TEST_F(FileBrowserTest, TypedNamesGetTheDefaultExtensionAndTheChecksOfTheirBox) {
  MakeFile("old.rpl4_1");
  MakeFile("plain.dat");
  std::filesystem::create_directory("folder");
  FileBrowserRequest open;
  open.defExt = "rpl4_1";
  FileBrowserRequest save = open;
  save.bSave = true;
  save.bOverwritePrompt = true;
  struct Case {
    const char* name;
    const FileBrowserRequest* request;
    std::string typed;
    int allow;
    std::string result;  // relative to the folder; "" refused
    int asked;
  } cases[] = {
      {"open adds the extension", &open, "old", 0, "old.rpl4_1", 0},
      {"a name with an extension keeps it", &open, "plain.dat", 0, "plain.dat", 0},
      {"open needs the file", &open, "missing", 0, "", 0},
      {"save of a new name", &save, "new", 0, "new.rpl4_1", 0},
      {"save over a file asks; no", &save, "old", 0, "", 1},
      {"save over a file asks; yes", &save, "old", 1, "old.rpl4_1", 1},
      {"a folder is not a file", &open, "folder", 0, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    s_nAsked = 0;
    s_nAllow = c.allow;
    std::string error;
    const std::string path = ResolveTypedFileName(*c.request, Dir(), c.typed, &Ask, error);
    EXPECT_EQ(path, c.result.empty() ? "" : Dir() + "/" + c.result);
    EXPECT_EQ(s_nAsked, c.asked);
  }
}

}  // namespace
