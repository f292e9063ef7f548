#include "platform/host_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/cp932.h"
#include "tests/platform/platform_test_util.h"
#include "tests/support/temp_dir.h"

namespace {

// CP932 spellings used below.
const std::string kHyou = "\x95\x5C";                             // 表 (trail byte 5C)
const std::string kHyouji = "\x95\x5C\x8E\xA6";                   // 表示
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";           // ソフト (trail byte 5C)
const std::string kWaveDash = "\x81\x60";                         // ～ (U+FF5E in CP932)

class HostFiles : public cTempDirTest {};

// OpenFile on a thread of its own, given ten seconds. An open still waiting then is
// released by opening `pipe` at both ends, and counts as blocked.
FILE* OpenWithDeadline(const char* path, const char* mode, HOSTFILEKIND* refused, const char* pipe,
                       bool& blocked) {
  std::atomic<bool> done{false};
  FILE* file = nullptr;
  std::thread opener([&] {
    file = OpenFile(path, mode, refused);
    done = true;
  });
  for (int i = 0; i < 1000 && !done; ++i) usleep(10000);
  blocked = !done;
  const int other = blocked ? open(pipe, O_RDWR | O_NONBLOCK) : -1;
  opener.join();
  if (other >= 0) close(other);
  return file;
}

}  // namespace

TEST_F(HostFiles, NamesMatchIgnoringCase) {
  MakeFile("Data/Database/Anime.DAT", "anime");
  EXPECT_EQ(HostPath("data\\database\\anime.dat"), "Data/Database/Anime.DAT");
  EXPECT_EQ(HostPath("DATA\\DATABASE\\ANIME.DAT"), "Data/Database/Anime.DAT");
  EXPECT_EQ(ReadProgramFile("data\\database\\anime.dat"), "anime");
  EXPECT_EQ(ReadProgramFile("data/database/anime.dat"), "anime");  // "/" is a separator too
}

TEST_F(HostFiles, AnExactNameWinsOverOneThatDiffersInCase) {
  MakeFile("a.txt", "small");
  MakeFile("A.TXT", "large");
  EXPECT_EQ(HostPath("a.txt"), "a.txt");
  EXPECT_EQ(HostPath("A.TXT"), "A.TXT");
  EXPECT_EQ(HostPath("A.txt"), "A.TXT");  // the first in byte order
}

TEST_F(HostFiles, TrailByte5CStaysInsideItsName) {
  MakeFile(U8(u8"表示/ソフト/File.BIN"), "hyouji");
  const std::string programPath = kHyouji + "\\" + kSofuto + "\\file.bin";
  EXPECT_EQ(HostPath(programPath), U8(u8"表示/ソフト/File.BIN"));
  EXPECT_EQ(ReadProgramFile(programPath), "hyouji");
  // The same path as the program's own literal (built as CP932).
  EXPECT_EQ(HostPath("表示\\ソフト\\FILE.bin"), U8(u8"表示/ソフト/File.BIN"));
}

TEST_F(HostFiles, FolderNamedWithOneTrailByte5CCharacter) {
  MakeFile(U8(u8"表/x.txt"), "1");
  MakeFile(U8(u8"ソ/y.txt"), "2");
  EXPECT_EQ(HostPath(kHyou + "\\X.TXT"), U8(u8"表/x.txt"));
  EXPECT_EQ(HostPath("\x83\x5C\\Y.txt"), U8(u8"ソ/y.txt"));
  EXPECT_EQ(ReadProgramFile("\x83\x5C\\y.txt"), "2");
}

TEST_F(HostFiles, Cp932AndJisVariantCharactersMatch) {
  MakeFile(U8(u8"\u301Cwave.txt"), "wave");  // WAVE DASH on disk, 0x8160 (U+FF5E) in the program
  MakeFile(U8(u8"a\u2212b.txt"), "minus");   // MINUS SIGN on disk, 0x817C (U+FF0D)
  MakeFile(U8(u8"c\\d.txt"), "backslash");   // a JIS table put U+005C where CP932 has U+FF3C
  EXPECT_EQ(HostPath(kWaveDash + "WAVE.txt"), U8(u8"\u301Cwave.txt"));
  EXPECT_EQ(ReadProgramFile(kWaveDash + "wave.txt"), "wave");
  EXPECT_EQ(ReadProgramFile("a\x81\x7C" "b.txt"), "minus");
  EXPECT_EQ(ReadProgramFile("c\x81\x5F" "d.txt"), "backslash");
}

TEST_F(HostFiles, RawCp932NamesOnDisk) {
  // An archive unpacked without conversion: the names are the CP932 bytes themselves.
  MakeFile(kSofuto + ".dat", "raw");
  MakeFile(kHyou + "/Inner.TXT", "raw folder");  // byte 5C inside a name on disk
  EXPECT_EQ(HostPath(kSofuto + ".dat"), kSofuto + ".dat");
  EXPECT_EQ(ReadProgramFile(kSofuto + ".dat"), "raw");
  EXPECT_EQ(HostPath(kSofuto + ".DAT"), kSofuto + ".dat");  // case ignored there too
  EXPECT_EQ(HostPath(kHyou + "\\inner.txt"), kHyou + "/Inner.TXT");
  EXPECT_EQ(ReadProgramFile(kHyou + "\\inner.txt"), "raw folder");
}

TEST_F(HostFiles, Utf8NameWinsOverRawCp932Name) {
  MakeFile(kSofuto + ".dat", "raw");
  MakeFile(U8(u8"ソフト.dat"), "utf8");
  EXPECT_EQ(ReadProgramFile(kSofuto + ".dat"), "utf8");
}

TEST_F(HostFiles, MissingNamesKeepTheirConvertedSpelling) {
  MakeFile("Save/readme.txt");
  EXPECT_EQ(HostPath("save\\" + kHyouji + "\\New.sav"), U8(u8"Save/表示/New.sav"));
  EXPECT_EQ(HostPath("nothing\\Here.txt"), "nothing/Here.txt");
  EXPECT_EQ(HostPath(".\\save\\.\\README.TXT"), "Save/readme.txt");
  EXPECT_EQ(HostPath("save\\"), "Save/");
  EXPECT_EQ(HostPath("."), ".");
  EXPECT_EQ(HostPath(""), "");
}

TEST_F(HostFiles, DotDotIsFollowed) {
  MakeFile("One/a.txt");
  MakeFile("Two/B.txt", "b");
  EXPECT_EQ(HostPath("one\\..\\two\\b.txt"), "One/../Two/B.txt");
  EXPECT_EQ(ReadProgramFile("one\\..\\two\\b.txt"), "b");
}

TEST_F(HostFiles, AbsoluteProgramPaths) {
  MakeFile("Data/Anime.DAT", "abs");
  char current[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, current), 0u);
  const std::string absolute = std::string(current) + "\\DATA\\anime.dat";
  EXPECT_EQ(HostPath(absolute), Dir() + "/Data/Anime.DAT");
  EXPECT_EQ(ReadProgramFile(absolute), "abs");
}

TEST_F(HostFiles, ListingsAreCachedUntilForgotten) {
  MakeFile("Old.txt");
  EXPECT_EQ(HostPath("new.txt"), "new.txt");  // reads and caches the listing
  std::ofstream("New.TXT") << "x";             // behind the program's back
  EXPECT_EQ(HostPath("new.txt"), "new.txt");  // the cached listing does not know it
  ForgetDirectoryListings();
  EXPECT_EQ(HostPath("new.txt"), "New.TXT");
}

TEST_F(HostFiles, WritingAFileForgetsItsFolderListing) {
  MakeFile("Save/Old.sav");
  EXPECT_EQ(HostPath("save\\fresh.dat"), "Save/fresh.dat");  // caches Save/
  FILE* file = OpenFile("save\\Fresh.Dat", "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("fresh", file);
  EXPECT_EQ(SyncFile(file), 1);
  std::fclose(file);
  EXPECT_EQ(HostPath("SAVE\\FRESH.DAT"), "Save/Fresh.Dat");
  EXPECT_EQ(ReadProgramFile("save\\fresh.dat"), "fresh");
}

TEST_F(HostFiles, AppendingForgetsTheListingToo) {
  MakeFile("Log/x.txt");
  EXPECT_EQ(HostPath("log\\report.txt"), "Log/report.txt");
  FILE* file = OpenFile("log\\Report.TXT", "a");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_EQ(HostPath("log\\report.txt"), "Log/Report.TXT");
}

TEST_F(HostFiles, RenameOverReplacesTheTarget) {
  MakeFile("Save/Slot1.sav", "old");
  FILE* file = OpenFile("save\\Slot1.tmp", "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("new", file);
  std::fclose(file);
  EXPECT_EQ(RenameFileOver("save\\slot1.tmp", "save\\slot1.sav"), 1);
  EXPECT_EQ(ReadProgramFile("save\\slot1.sav"), "new");
  EXPECT_EQ(GetFileAttributesA("save\\slot1.tmp"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RenameFileOver("save\\missing.tmp", "save\\slot1.sav"), 0);
}

TEST_F(HostFiles, RemoveFile) {
  MakeFile("Trash.BIN");
  EXPECT_EQ(GetFileAttributesA("trash.bin"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(RemoveFile("trash.bin"), 1);
  EXPECT_FALSE(std::filesystem::exists("Trash.BIN"));
  EXPECT_EQ(GetFileAttributesA("trash.bin"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RemoveFile("trash.bin"), 0);
}

TEST_F(HostFiles, MakeDirectoryForgetsTheParentListing) {
  EXPECT_EQ(HostPath("newdir\\x.txt"), "newdir/x.txt");  // caches the temporary folder
  EXPECT_EQ(MakeDirectory("NewDir"), 1);
  EXPECT_EQ(MakeDirectory("newdir"), 1);  // exists afterwards: still 1
  EXPECT_EQ(HostPath("newdir\\x.txt"), "NewDir/x.txt");
  EXPECT_EQ(MakeDirectory(kHyouji), 1);
  EXPECT_TRUE(std::filesystem::is_directory(U8(u8"表示")));
  MakeFile("plain.txt");
  EXPECT_EQ(MakeDirectory("plain.txt"), 0);  // a file is in the way
  EXPECT_EQ(MakeDirectory("missing\\child"), 0);
}

TEST_F(HostFiles, FileAttributes) {
  MakeFile("Folder/File.txt");
  EXPECT_EQ(GetFileAttributesA("folder"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("folder\\"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA("FOLDER\\file.TXT"), FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesA("folder\\none.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(""), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HostFiles, OpenFileRefusesBadArguments) {
  EXPECT_EQ(OpenFile("", "rb"), nullptr);
  EXPECT_EQ(OpenFile("x.txt", nullptr), nullptr);
  EXPECT_EQ(OpenFile("missing.txt", "rb"), nullptr);
  EXPECT_EQ(SyncFile(nullptr), 0);
}

// Only regular files open: a folder, or a named pipe (whose open would wait for a writer
// for ever), is refused at once in every mode, and the caller learns what stands there.
TEST_F(HostFiles, OpenFileOpensOnlyRegularFiles) {
  MakeFile("plain.txt", "abc");
  std::filesystem::create_directory("folder");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  ForgetDirectoryListings();
  struct Case {
    const char* path;
    HOSTFILEKIND kind;
  };
  const Case cases[] = {{"folder", HOSTFILE_DIRECTORY}, {"PIPE", HOSTFILE_FIFO}};
  for (const Case& c : cases) {
    for (const char* mode : {"rb", "r+b", "wb", "ab"}) {
      SCOPED_TRACE(std::string(c.path) + " " + mode);
      HOSTFILEKIND refused = HOSTFILE_NONE;
      bool blocked = false;
      FILE* file = OpenWithDeadline(c.path, mode, &refused, "pipe", blocked);
      EXPECT_FALSE(blocked);
      EXPECT_EQ(file, nullptr);
      if (file != nullptr) std::fclose(file);
      EXPECT_EQ(refused, c.kind);
    }
  }
  EXPECT_EQ(std::filesystem::status("pipe").type(), std::filesystem::file_type::fifo);  // left alone

  HOSTFILEKIND refused = HOSTFILE_OTHER;
  FILE* file = OpenFile("Plain.txt", "rb", &refused);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(refused, HOSTFILE_NONE);
  char text[4] = {};
  EXPECT_EQ(std::fread(text, 1, 3, file), 3u);
  EXPECT_STREQ(text, "abc");
  std::fclose(file);
  file = OpenFile("missing.txt", "rb", &refused);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(refused, HOSTFILE_NONE);  // nothing there: no kind to name
}

// Writing still creates, truncates and appends as fopen does.
TEST_F(HostFiles, OpenFileWritesLikeFopen) {
  const auto write = [](const char* mode, const char* text) {
    FILE* file = OpenFile("out.txt", mode);
    ASSERT_NE(file, nullptr) << mode;
    std::fputs(text, file);
    std::fclose(file);
  };
  write("wb", "long text");
  EXPECT_EQ(ReadBytes("out.txt"), "long text");
  write("wb", "new");
  EXPECT_EQ(ReadBytes("out.txt"), "new");
  write("ab", "+more");
  EXPECT_EQ(ReadBytes("out.txt"), "new+more");
  FILE* file = OpenFile("out.txt", "r+b");
  ASSERT_NE(file, nullptr);
  std::fputs("N", file);
  std::fclose(file);
  EXPECT_EQ(ReadBytes("out.txt"), "New+more");
  EXPECT_EQ(OpenFile("out.txt", "q"), nullptr);  // not a mode
}
