#include "app/path_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "platform/host_files.h"
#include "platform/win_types.h"
#include "tests/support/temp_dir.h"

namespace {

// A MAX_PATH buffer holding text; a guard byte pattern after it shows writes past the end.
struct PathBuffer {
  explicit PathBuffer(const std::string& text = "") {
    std::memset(bytes, '#', sizeof bytes);
    std::memcpy(bytes, text.c_str(), text.size() + 1);
  }
  char* get() { return bytes; }
  std::string str() const { return bytes; }
  bool GuardIntact() const {
    for (std::size_t i = MAX_PATH; i < sizeof bytes; ++i)
      if (bytes[i] != '#') return false;
    return true;
  }
  char bytes[MAX_PATH + 16];
};

struct StripDirCase {
  const char* path;
  const char* expected;
  friend void PrintTo(const StripDirCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.path)); }
};

class StripDirTable : public ::testing::TestWithParam<StripDirCase> {};

TEST_P(StripDirTable, KeepsTheTextAfterTheLastSeparator) {
  PathBuffer path(GetParam().path);
  StripDir(path.get());
  EXPECT_EQ(path.str(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, StripDirTable,
    ::testing::Values(StripDirCase{"data\\stg4\\a.stg4_811", "a.stg4_811"}, StripDirCase{"name", "name"},
                      StripDirCase{"dir\\", ""}, StripDirCase{"\\root", "root"},
                      // ソ (83 5C): its trail byte is not a separator.
                      StripDirCase{"\x83\x5C", "\x83\x5C"}, StripDirCase{"dir\\\x83\x5C", "\x83\x5C"},
                      StripDirCase{"\x83\x5C\\x", "x"},
                      // 日 (93 FA): a trail byte in the lead range before a real separator.
                      StripDirCase{"\x93\xFA\\file", "file"},
                      StripDirCase{"a\\\x93\xFA\\b\x95\x5C", "b\x95\x5C"}));

struct ChangeExtCase {
  const char* src;
  const char* ext;
  const char* expected;
  int result;
  friend void PrintTo(const ChangeExtCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(std::string(c.src)) << " " << (c.ext ? c.ext : "null");
  }
};

class ChangeExtTable : public ::testing::TestWithParam<ChangeExtCase> {};

TEST_P(ChangeExtTable, ReplacesOrCutsAtTheLastDot) {
  const ChangeExtCase& c = GetParam();
  PathBuffer dest;
  EXPECT_EQ(ChangeExt(dest.get(), c.src, c.ext), c.result);
  EXPECT_EQ(dest.str(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ChangeExtTable,
    ::testing::Values(ChangeExtCase{"a\\b.txt", "dat", "a\\b.dat", 1},
                      ChangeExtCase{"a\\b.txt", nullptr, "a\\b", 1},
                      ChangeExtCase{"a\\b.c.d", "e", "a\\b.c.e", 1}, ChangeExtCase{"a.", "x", "a.x", 1},
                      // The search does not stop at a directory.
                      ChangeExtCase{"v1.0\\file", "x", "v1.x", 1},
                      ChangeExtCase{"a\\file", "x", "a\\file", 0}));

TEST(PathHelpersTest, StripExtRemovesTheLastDotAndWhatFollows) {
  PathBuffer path("user_data\\rpl4\\r.rpl4_811");
  EXPECT_EQ(StripExt(path.get()), 1);
  EXPECT_EQ(path.str(), "user_data\\rpl4\\r");
  EXPECT_EQ(StripExt(path.get()), 0);
  EXPECT_EQ(path.str(), "user_data\\rpl4\\r");

  std::string text = "v1.0\\name";
  EXPECT_EQ(StripExtStr(text), 1);
  EXPECT_EQ(text, "v1");
  EXPECT_EQ(StripExtStr(text), 0);
  EXPECT_EQ(text, "v1");
}

TEST(PathHelpersTest, GetExtCopiesTheTextAfterTheLastDot) {
  PathBuffer ext("untouched");
  EXPECT_EQ(GetExt(ext.get(), "data\\stg4\\s.stg4_811"), 1);
  EXPECT_EQ(ext.str(), "stg4_811");
  EXPECT_EQ(GetExt(ext.get(), "noext"), 0);
}

TEST(PathHelpersTest, MakeNumberedNamePutsTheNumberBeforeTheExtension) {
  PathBuffer dest;
  EXPECT_EQ(MakeNumberedName(dest.get(), "user_data\\rpl4\\play.rpl4_811", 2), 1);
  EXPECT_EQ(dest.str(), "user_data\\rpl4\\play (2).rpl4_811");
  EXPECT_EQ(MakeNumberedName(dest.get(), "user_data\\rpl4\\play", 2), 0);
  // An extension longer than 31 characters is carried over whole.
  const std::string ext(40, 'e');
  EXPECT_EQ(MakeNumberedName(dest.get(), ("a." + ext).c_str(), 10), 1);
  EXPECT_EQ(dest.str(), "a (10)." + ext);
}

// A path at the limit may not write past the MAX_PATH buffer; the function fails instead.
TEST(PathHelpersTest, ResultsThatDoNotFitFailWithoutOverflow) {
  const std::string longest(MAX_PATH - 1, 'a');  // the longest path a buffer holds
  const std::string tooLong(MAX_PATH + 40, 'a');

  PathBuffer dest;
  EXPECT_EQ(ChangeExt(dest.get(), tooLong.c_str(), "x"), 0);
  EXPECT_TRUE(dest.GuardIntact());
  EXPECT_EQ(ChangeExt(dest.get(), (longest.substr(4) + ".ab").c_str(), "abcdefgh"), 0);
  EXPECT_TRUE(dest.GuardIntact());
  EXPECT_EQ(ChangeExt(dest.get(), (longest.substr(3) + ".ab").c_str(), "x"), 1);
  EXPECT_EQ(dest.str().size(), MAX_PATH - 2u);

  EXPECT_EQ(MakeNumberedName(dest.get(), (longest.substr(5) + ".ext").c_str(), 123), 0);
  EXPECT_TRUE(dest.GuardIntact());

  EXPECT_EQ(GetExt(dest.get(), ("." + tooLong).c_str()), 0);
  EXPECT_TRUE(dest.GuardIntact());

  PathBuffer found("untouched");
  EXPECT_EQ(FindLatestFile(found.get(), (longest.substr(3) + ".a").c_str(), "b"), 0);
  EXPECT_EQ(FindLatestFile(found.get(), tooLong.c_str(), nullptr), 0);
  EXPECT_EQ(found.str(), "untouched");
  EXPECT_TRUE(found.GuardIntact());

  std::string text = tooLong;
  EXPECT_EQ(MakeRelativePathStr(text), 0);
  EXPECT_EQ(text, tooLong);
}

// Every helper that writes a path, driven so that its result is exactly MAX_PATH - 1
// characters (the longest a buffer holds: it succeeds) and exactly MAX_PATH characters
// (the terminator would land one past the buffer: it fails and writes nothing past it).
struct PathLimitCase {
  const char* name;
  // Runs the helper so that its result would be `length` characters long.
  std::function<int(PathBuffer& dest, std::size_t length)> run;
  friend void PrintTo(const PathLimitCase& c, std::ostream* os) { *os << c.name; }
};

// A relative program path of `length` characters ending in `tail`, in folders short
// enough for the host's file names.
std::string LongProgramPath(std::size_t length, const std::string& tail) {
  std::string path;
  while (length - path.size() - tail.size() > 100) path += std::string(99, 'd') + "\\";
  return path + std::string(length - path.size() - tail.size(), 'n') + tail;
}

// Makes the file of a program path below the current folder.
void MakeProgramFile(const std::string& programPath) {
  std::string host = programPath;
  for (char& c : host)
    if (c == '\\') c = '/';
  const std::filesystem::path path(host);
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path) << "x";
  ForgetDirectoryListings();
}

class PathLimitTable : public cTempDirTest, public ::testing::WithParamInterface<PathLimitCase> {};

TEST_P(PathLimitTable, LongestResultFitsAndOneMoreFails) {
  for (const std::size_t length : {std::size_t{MAX_PATH - 1}, std::size_t{MAX_PATH}}) {
    SCOPED_TRACE(length);
    PathBuffer dest;
    const int result = GetParam().run(dest, length);
    EXPECT_TRUE(dest.GuardIntact());
    if (length < MAX_PATH) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(dest.str().size(), length);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_LT(std::strlen(dest.get()), std::size_t{MAX_PATH});
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Helpers, PathLimitTable,
    ::testing::Values(
        PathLimitCase{"ChangeExtOfAPathAtTheLimit",
                      [](PathBuffer& dest, std::size_t length) {
                        return ChangeExt(dest.get(), (std::string(length - 2, 'a') + ".b").c_str(), "c");
                      }},
        PathLimitCase{"ChangeExtToALongerExtension",
                      [](PathBuffer& dest, std::size_t length) {
                        return ChangeExt(dest.get(), (std::string(length - 4, 'a') + ".b").c_str(), "cde");
                      }},
        PathLimitCase{"GetExt",
                      [](PathBuffer& dest, std::size_t length) {
                        return GetExt(dest.get(), ("a." + std::string(length, 'e')).c_str());
                      }},
        PathLimitCase{"MakeNumberedName",
                      [](PathBuffer& dest, std::size_t length) {
                        // "name (7).e": the number and extension add six characters.
                        return MakeNumberedName(dest.get(), (std::string(length - 6, 'a') + ".e").c_str(), 7);
                      }},
        PathLimitCase{"FindLatestFile",
                      [](PathBuffer& dest, std::size_t length) {
                        // The file found is the base name and "_000".
                        const std::string found = LongProgramPath(length, ".x_000");
                        MakeProgramFile(found);
                        return FindLatestFile(dest.get(), found.substr(0, found.size() - 4).c_str(), "x");
                      }},
        PathLimitCase{"MakeFullPath",
                      [](PathBuffer& dest, std::size_t length) {
                        std::strcpy(dest.get(), "n");
                        MakeFullPath(dest.get());
                        const std::size_t folder = dest.str().size() - 1;  // the current folder and "\\"
                        const std::string name(length - folder, 'n');
                        std::strcpy(dest.get(), name.c_str());
                        return MakeFullPath(dest.get());
                      }},
        PathLimitCase{"MakeRelativePathStr",
                      [](PathBuffer& dest, std::size_t length) {
                        std::string path = LongProgramPath(length, "");
                        const int result = MakeRelativePathStr(path);
                        if (path.size() < MAX_PATH) std::strcpy(dest.get(), path.c_str());
                        return result;
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

class PathHelpersFilesTest : public cTempDirTest {};

TEST_F(PathHelpersFilesTest, FindLatestFilePicksTheHighestNumber) {
  MakeFile("stage.stg4_001");
  MakeFile("stage.stg4_010");
  MakeFile("other.stg4_500");
  PathBuffer dest;
  EXPECT_EQ(FindLatestFile(dest.get(), "stage.stg4_811", "stg4"), 1);
  EXPECT_EQ(dest.str(), "stage.stg4_010");

  // A directory of a matching name counts as existing.
  std::filesystem::create_directory("stage.stg4_020");
  ForgetDirectoryListings();
  std::string found;
  EXPECT_EQ(FindLatestFileStr(found, "stage.x", "stg4"), 1);
  EXPECT_EQ(found, "stage.stg4_020");
}

TEST_F(PathHelpersFilesTest, FindLatestFileWithoutDotUsesTheWholeName) {
  MakeFile("save_000");
  std::string found = "untouched";
  EXPECT_EQ(FindLatestFileStr(found, "save", "dat"), 1);
  EXPECT_EQ(found, "save_000");
  EXPECT_EQ(FindLatestFileStr(found, "missing.x", "dat"), 0);
  EXPECT_EQ(found, "save_000");
}

TEST_F(PathHelpersFilesTest, FullAndRelativePathsRoundTrip) {
  std::filesystem::create_directory("sub");
  MakeFile("sub/f.txt");

  PathBuffer path("sub\\f.txt");
  EXPECT_EQ(MakeFullPath(path.get()), 1);
  const std::string full = path.str();
  EXPECT_EQ(full.front(), '\\');
  EXPECT_EQ(full.substr(full.size() - 10), "\\sub\\f.txt");

  // An absolute path stays as it is.
  EXPECT_EQ(MakeFullPath(path.get()), 1);
  EXPECT_EQ(path.str(), full);

  EXPECT_EQ(MakeRelativePath(path.get()), 1);
  const std::string relative = path.str();
  EXPECT_NE(relative.front(), '\\');
  EXPECT_EQ(relative.substr(relative.size() - 9), "sub\\f.txt");
  EXPECT_EQ(MakeFullPath(path.get()), 1);
  EXPECT_EQ(path.str(), full);

  // No relative path leads to another drive.
  PathBuffer otherDrive("D:\\games\\f.txt");
  EXPECT_EQ(MakeRelativePath(otherDrive.get()), 0);
  EXPECT_EQ(otherDrive.str(), "D:\\games\\f.txt");

  // A relative path stays as it is.
  std::string text = "sub\\f.txt";
  EXPECT_EQ(MakeRelativePathStr(text), 1);
  EXPECT_EQ(text, "sub\\f.txt");
}

TEST_F(PathHelpersFilesTest, FullPathThatDoesNotFitFails) {
  const std::string name(MAX_PATH - 2, 'n');  // fits alone, not after the current folder
  PathBuffer path(name);
  EXPECT_EQ(MakeFullPath(path.get()), 0);
  EXPECT_EQ(path.str(), name);
  EXPECT_TRUE(path.GuardIntact());
}

}  // namespace
