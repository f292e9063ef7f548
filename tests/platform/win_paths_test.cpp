// GetCurrentDirectoryA, GetFullPathNameA, PathIsRelativeA and PathRelativePathToA.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/host_files.h"
#include "tests/platform/platform_test_util.h"
#include "tests/support/temp_dir.h"

namespace {

class WinPaths : public cTempDirTest {
 protected:
  // The program form of the temporary folder, worked out here from its host path (ASCII).
  std::string ExpectedCurrent() const {
    std::string path = Dir();
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
  }

  static std::string Current() {
    char buffer[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, length);
  }

  static std::string Full(const char* path) {
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH) return "<" + std::to_string(length) + ">";
    return std::string(buffer, length);
  }
};

}  // namespace

TEST_F(WinPaths, CurrentDirectoryIsAProgramPath) {
  EXPECT_EQ(Current(), ExpectedCurrent());
  EXPECT_EQ(Current()[0], '\\');
  EXPECT_EQ(Current().find('/'), std::string::npos);
}

TEST_F(WinPaths, CurrentDirectoryBufferFollowsWindows) {
  const std::string expected = ExpectedCurrent();
  const DWORD length = static_cast<DWORD>(expected.size());
  EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), length + 1);  // required size, terminator included
  std::vector<char> buffer(expected.size() + 8, '#');
  EXPECT_EQ(GetCurrentDirectoryA(length, buffer.data()), length + 1);  // one too small
  EXPECT_EQ(buffer[0], '#');                                             // left alone
  EXPECT_EQ(GetCurrentDirectoryA(length + 1, buffer.data()), length);    // exactly enough
  EXPECT_EQ(std::string(buffer.data()), expected);
  EXPECT_EQ(buffer[length + 1], '#');  // nothing written past the terminator
}

TEST_F(WinPaths, CurrentDirectoryWithJapaneseNamesIsCp932) {
  std::filesystem::create_directories(U8(u8"表示/ソ"));
  std::filesystem::current_path(U8(u8"表示/ソ"));
  EXPECT_EQ(Current(), ExpectedCurrent() + "\\\x95\x5C\x8E\xA6\\\x83\x5C");
}

TEST_F(WinPaths, CurrentDirectoryWithARawCp932NameKeepsItsBytes) {
  const std::string raw = "\x83\x5C\x83\x74\x83\x67";  // ソフト as CP932 bytes on disk
  std::filesystem::create_directory(raw);
  std::filesystem::current_path(raw);
  EXPECT_EQ(Current(), ExpectedCurrent() + "\\" + raw);
}

TEST_F(WinPaths, CurrentDirectoryWithANameEndingInALoneLeadByte) {
  const std::string raw = "d\x83";  // a raw name whose last byte lacks its trail byte
  std::filesystem::create_directories(raw + "/e");
  std::filesystem::current_path(raw + "/e");
  EXPECT_EQ(Current(), ExpectedCurrent() + "\\" + raw + "/e");
  EXPECT_EQ(Full("f"), ExpectedCurrent() + "\\" + raw + "/e\\f");
}

TEST_F(WinPaths, FullPathNames) {
  const std::string base = ExpectedCurrent();
  struct Case {
    const char* path;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"data\\anime.dat", base + "\\data\\anime.dat"},
      {"data/anime.dat", base + "\\data\\anime.dat"},
      {".\\data\\.\\anime.dat", base + "\\data\\anime.dat"},
      {"data\\..\\x.txt", base + "\\x.txt"},
      {"data\\\\x.txt", base + "\\data\\x.txt"},
      {"save\\", base + "\\save\\"},
      {".", base},
      {"..\\sibling", base.substr(0, base.rfind('\\')) + "\\sibling"},
      {"\\a\\b\\..\\c", "\\a\\c"},
      {"\\..\\..\\a", "\\a"},
      {"\\", "\\"},
      {"C:\\Game\\.\\x", "C:\\Game\\x"},
      // 0x5C trail bytes are not separators: 表 (95 5C) and ソ (83 5C) stay whole.
      {"\x95\x5C\\..\\x", base + "\\x"},
      {"\x83\x5C\\.", base + "\\\x83\x5C"},
      {"\\\x95\x5C\x8E\xA6\\\x83\x5C\\..\\f", "\\\x95\x5C\x8E\xA6\\f"},
      // A lead byte before "/" stands alone: two names, and the result keeps them two (a
      // "\\" after the lead byte would read back as one double-byte character).
      {"x\x83/y", base + "\\x\x83/y"},
      {"\\x\x83/y\\z", "\\x\x83/y\\z"},
      {"\\x\x83/", "\\x\x83/"},
      {"\\x\x83\x83/y", "\\x\x83\x83\\y"},  // 83 83 is one character: "\\" is safe
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Full(c.path), c.expected) << c.path;
    // The result names what the path named: read back, it is itself.
    EXPECT_EQ(Full(c.expected.c_str()), c.expected) << c.path;
  }
}

TEST_F(WinPaths, FullPathNameFilePartAndBuffer) {
  char buffer[MAX_PATH];
  char* filePart = nullptr;
  const DWORD length = GetFullPathNameA("\\game\\data\\anime.dat", MAX_PATH, buffer, &filePart);
  EXPECT_EQ(length, std::strlen("\\game\\data\\anime.dat"));
  ASSERT_NE(filePart, nullptr);
  EXPECT_STREQ(filePart, "anime.dat");
  EXPECT_EQ(GetFullPathNameA("\\game\\data\\", MAX_PATH, buffer, &filePart), 11u);
  EXPECT_EQ(filePart, nullptr);  // a folder: no file part
  char small[5] = {'#', '#', '#', '#', '#'};
  EXPECT_EQ(GetFullPathNameA("\\game\\data", sizeof small, small, &filePart), 11u);  // needed size
  EXPECT_EQ(small[0], '#');
  EXPECT_EQ(GetFullPathNameA("", MAX_PATH, buffer, nullptr), 0u);
  EXPECT_EQ(GetFullPathNameA(nullptr, MAX_PATH, buffer, nullptr), 0u);
}

TEST(WinPathsPure, PathIsRelative) {
  struct Case {
    const char* path;
    BOOL relative;
  };
  const std::vector<Case> cases = {
      {"data\\x.dat", 1}, {"x.dat", 1},    {".\\x", 1},  {"..\\x", 1}, {"", 1},
      {"\\x", 0},         {"\\", 0},       {"C:\\x", 0}, {"c:x", 0},   {"/tmp/x", 0},
      {"\x95\x5C\\x", 1},  // 表 starts with a lead byte: relative
  };
  for (const Case& c : cases) EXPECT_EQ(PathIsRelativeA(c.path), c.relative) << c.path;
  EXPECT_EQ(PathIsRelativeA(nullptr), 1);
}

TEST(WinPathsPure, RelativePathTo) {
  struct Case {
    const char* from;
    DWORD fromAttributes;
    const char* to;
    DWORD toAttributes;
    BOOL ok;
    const char* expected;
  };
  const DWORD dir = FILE_ATTRIBUTE_DIRECTORY;
  const DWORD file = FILE_ATTRIBUTE_ARCHIVE;
  const std::vector<Case> cases = {
      {"\\game", dir, "\\game\\data\\anime.dat", file, 1, ".\\data\\anime.dat"},
      {"\\game\\", dir, "\\game\\data\\anime.dat", file, 1, ".\\data\\anime.dat"},
      {"\\game\\start.exe", file, "\\game\\data\\anime.dat", file, 1, ".\\data\\anime.dat"},
      {"\\game\\save", dir, "\\game\\data\\anime.dat", file, 1, "..\\data\\anime.dat"},
      {"\\game\\save\\slot", dir, "\\game\\data", dir, 1, "..\\..\\data"},
      {"\\game\\data", dir, "\\game", dir, 1, ".."},
      {"\\game", dir, "\\game", dir, 1, "."},
      {"\\GAME\\Data", dir, "\\game\\data\\x.dat", file, 1, ".\\x.dat"},  // case ignored
      {"\\a", dir, "\\b\\f.txt", file, 1, "..\\b\\f.txt"},  // only the root in common
      {"C:\\game", dir, "c:\\game\\x", file, 1, ".\\x"},
      {"C:\\game", dir, "D:\\game\\x", file, 0, ""},  // no common root
      {"\\game", dir, "C:\\game\\x", file, 0, ""},
      {"game\\a", dir, "game\\b\\x", file, 1, "..\\b\\x"},
      {"game\\a", dir, "other\\x", file, 0, ""},  // relative, nothing in common
      // 表 (95 5C) and ソ (83 5C) are single names, not "\x95" + separator.
      {"\\\x95\x5C", dir, "\\\x95\x5C\\\x83\x5C.txt", file, 1, ".\\\x83\x5C.txt"},
      {"\\\x95\x5C\\a", dir, "\\\x83\x5C\\b", file, 1, "..\\..\\\x83\x5C\\b"},
      {"\\g\\\x83\x5C", dir, "\\g\\\x83\x5C\x83\x74", file, 1, "..\\\x83\x5C\x83\x74"},
      {"\\g", dir, "\\g\\x\x83/y\x83/z", file, 1, ".\\x\x83/y\x83/z"},  // lone lead bytes
  };
  for (const Case& c : cases) {
    char out[MAX_PATH];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(PathRelativePathToA(out, c.from, c.fromAttributes, c.to, c.toAttributes), c.ok)
        << c.from << " -> " << c.to;
    EXPECT_STREQ(out, c.expected) << c.from << " -> " << c.to;
  }
}

TEST(WinPathsPure, RelativePathToNeverOverflows) {
  std::string deep = "\\a";
  std::string to = "\\b";
  for (int i = 0; i < 100; ++i) {
    deep += "\\a";
    to += "\\bbbb";
  }
  char out[MAX_PATH + 16];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(PathRelativePathToA(out, deep.c_str(), FILE_ATTRIBUTE_DIRECTORY, to.c_str(), 0), 0);
  EXPECT_STREQ(out, "");
  for (int i = MAX_PATH; i < MAX_PATH + 16; ++i) EXPECT_EQ(out[i], '#');
  EXPECT_EQ(PathRelativePathToA(out, nullptr, 0, "\\x", 0), 0);
  EXPECT_EQ(PathRelativePathToA(nullptr, "\\x", 0, "\\x", 0), 0);
}
