// Golden frames of the demo's hills, played by the built player from a script with a fixed
// random seed on both back ends: the frame as play begins (the name board, the window with
// the controls, the sparkle on the hero, the first shot), a frame of the climb with the
// view scrolled, and the frame after a shot has hit the walker (its sparkle). Each frame
// must come out exactly as it was when it was last looked at by a person; the two back
// ends at the same depth must draw the same frames, but for the edges of the text.
//
// When a frame changes on purpose: the failure names the new hash and the picture it was
// copied to (tovrel_failed_frames in the temporary folder, PPM); look at it, then take
// the hash.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "data/system/system_ini_keys.h"
#include "demo/demo_game.h"
#include "demo/demo_stage.h"
#include "tests/support/play_harness.h"
#include "tests/support/temp_dir.h"
#include "writers/system_ini_writer.h"

namespace {

constexpr int kDemoGoldenFramesTraceTestFrames[] = {100, 340, 394};
constexpr int kFrameCount = static_cast<int>(std::size(kDemoGoldenFramesTraceTestFrames));

struct cModeCase {
  const char* lpName;
  int bDirect3D;
  int bWindow;
  int nBpp;
  std::uint64_t golden[kFrameCount];
};

// A windowed display takes the desktop's depth (32 under the dummy driver); 16 and 8 bits
// run full screen.
const cModeCase kModes[] = {
    {"D3D32Window", 1, 1, 32, {0xdeb4490c1207165f, 0x9a68d14765921b60, 0x8680977c6a86630d}},
    {"DD32Window", 0, 1, 32, {0x7de30ec4a237ff51, 0x28b4395ba6f78c48, 0x5edf9ec946a58eaa}},
    {"D3D16Full", 1, 0, 16, {0x34e3e3130912197c, 0x486c8f3d4f6a2369, 0x4b7256f624b4cec8}},
    {"DD16Full", 0, 0, 16, {0x269e4dd5da6824fc, 0xc046a6a4dd91929d, 0xcb201ef5627ca6bf}},
    {"DD8Full", 0, 0, 8, {0x7de30ec4a237ff51, 0x28b4395ba6f78c48, 0x5edf9ec946a58eaa}},
};
// Modes that must draw the same frames: the two back ends at each depth, and the palette
// display against the true-colour one (the demo's pictures hold palette colours only).
constexpr std::size_t kSamePairs[][2] = {{0, 1}, {2, 3}, {4, 1}};

// Wait out the start banner firing once, walk right, jump up the three steps and over the
// top, and fire at the walker below as the hero comes down.
const std::vector<cInputSpan> kScript = {
    {100, 0, 0},
    {3, 0, kButton2},
    {97, 0, 0},
    {30, kDirRight, 0},
    {10, kDirRight, kButton1},
    {40, kDirRight, 0},
    {10, kDirRight, kButton1},
    {40, kDirRight, 0},
    {10, kDirRight, kButton1},
    {50, kDirRight, 0},
    {3, 0, kButton2},
    {100, 0, 0},
};

struct cFrame {
  std::string strBytes;  // the PPM file
  std::uint64_t nHash = 0;
};

std::uint64_t Fnv1a(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ULL;
  }
  return h;
}

// Pixels of two PPM files of the same size that differ by more than the rounding of a
// 16-bit format in some channel (the back ends expand 5 and 6 bits apart); -1 when the
// sizes differ.
int DifferingPixels(const std::string& a, const std::string& b) {
  constexpr int kRounding = 8;
  if (a.size() != b.size()) return -1;
  const std::size_t start = a.find("255\n");
  if (start == std::string::npos) return -1;
  int n = 0;
  for (std::size_t i = start + 4; i + 2 < a.size(); i += 3) {
    bool differs = false;
    for (std::size_t c = i; c < i + 3; ++c)
      differs = differs || std::abs(static_cast<unsigned char>(a[c]) - static_cast<unsigned char>(b[c])) > kRounding;
    n += differs ? 1 : 0;
  }
  return n;
}

class DemoGoldenFramesTest : public cTempDirTest {
 protected:
  // Plays the hills in `mode`; the pictures of kDemoGoldenFramesTraceTestFrames, empty ones when not written.
  std::vector<cFrame> Play(const cModeCase& mode) {
    const cGameContent game = DemoGameContent();
    std::vector<cIniItem> ini = game.System.m_IniItems;
    ini[INIKEY_DIRECT3D].m_nValue = mode.bDirect3D;
    ini[INIKEY_WINDOW_MODE].m_nValue = mode.bWindow;
    ini[INIKEY_BPP].m_nValue = mode.nBpp;
    EXPECT_EQ(WriteDemoGame(), 1);
    EXPECT_EQ(WriteSystemIni("System.ini", ini), 1);
    cPlayRequest request;
    request.strStagePath = GameStagePath(DemoFirstStage().strName);
    request.nFrames = kDemoGoldenFramesTraceTestFrames[kFrameCount - 1] + 1;
    request.vInput = kScript;
    std::string list;
    for (const int f : kDemoGoldenFramesTraceTestFrames) list += (list.empty() ? "" : ",") + std::to_string(f);
    request.vEnv = {{"TOVREL_SCREENS", list}, {"TOVREL_SEED", "7"}};
    const cPlayResult run = RunPlayer(request);
    EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
    std::vector<cFrame> frames;
    for (const int f : kDemoGoldenFramesTraceTestFrames) {
      cFrame& frame = frames.emplace_back();
      frame.strBytes = ReadBytes(Dir() + "/screen_" + std::to_string(f) + ".ppm");
      frame.nHash = Fnv1a(frame.strBytes);
    }
    return frames;
  }

  // A copy of a frame where a person can look at it after the temporary folder is gone.
  static std::string Keep(const std::string& name, const std::string& bytes) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tovrel_failed_frames";
    std::filesystem::create_directories(dir);
    const std::filesystem::path path = dir / (name + ".ppm");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
      std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
    return path.string();
  }
};

TEST_F(DemoGoldenFramesTest, TheHillsDrawTheirGoldenFramesOnBothBackEnds) {
  std::vector<std::vector<cFrame>> played;
  for (const cModeCase& mode : kModes) {
    SCOPED_TRACE(mode.lpName);
    played.push_back(Play(mode));
    for (int i = 0; i < kFrameCount; ++i) {
      const cFrame& frame = played.back()[static_cast<std::size_t>(i)];
      ASSERT_FALSE(frame.strBytes.empty()) << "frame " << kDemoGoldenFramesTraceTestFrames[i] << " was not written";
      EXPECT_EQ(frame.nHash, mode.golden[i])
          << "frame " << kDemoGoldenFramesTraceTestFrames[i] << " changed: 0x" << std::hex << frame.nHash << ", written to "
          << Keep(std::string(mode.lpName) + "_" + std::to_string(kDemoGoldenFramesTraceTestFrames[i]), frame.strBytes);
    }
  }
  // The back ends agree at each depth, apart from a few text edges that the Direct3D
  // font cache draws in a grey of its own (8 pixels of these frames).
  constexpr int kTextEdgePixels = 32;
  for (const auto& pair : kSamePairs) {
    for (int i = 0; i < kFrameCount; ++i) {
      const auto f = static_cast<std::size_t>(i);
      const int n = DifferingPixels(played[pair[0]][f].strBytes, played[pair[1]][f].strBytes);
      EXPECT_GE(n, 0) << kModes[pair[0]].lpName << " frame " << kDemoGoldenFramesTraceTestFrames[i];
      EXPECT_LE(n, kTextEdgePixels) << kModes[pair[0]].lpName << " and " << kModes[pair[1]].lpName << " frame "
                                    << kDemoGoldenFramesTraceTestFrames[i];
    }
  }
}

}  // namespace
