#include "fuzz/fuzz_driver.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "app/report_log.h"
#include "data/record/data_record.h"
#include "platform/host_files.h"
#include "platform/message_box.h"
#include "platform/message_queue.h"

namespace fuzz {
namespace {

constexpr const char* kReportPath = "Report_Game.txt";

// Boxes are recorded, never shown; the record is dropped with each input.
std::unique_ptr<cRecordingMessageBoxes> g_Boxes;

// A fresh working folder, in memory where the system has one: a loaded record is saved
// twice per input, and each save syncs its file to the disk.
std::string MakeWorkFolder() {
  const char* base = std::getenv("TOVREL_FUZZ_DIR");
  std::string root = base != nullptr && *base != '\0' ? base
                     : std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                                                                 : std::filesystem::temp_directory_path().string();
  std::string pattern = root + "/tovrel-fuzz-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) Fail("a working folder can be made", pattern.c_str());
  return pattern;
}

}  // namespace

void WriteFile(const char* programPath, const std::uint8_t* data, std::size_t size) {
  FILE* file = OpenFile(programPath, "wb");
  if (file == nullptr) Fail("the input can be written", programPath);
  const bool ok = std::fwrite(data, 1, size, file) == size;
  if (std::fclose(file) != 0 || !ok) Fail("the input can be written", programPath);
}

std::vector<std::uint8_t> ReadFile(const char* programPath) {
  FILE* file = OpenFile(programPath, "rb");
  if (file == nullptr) Fail("a saved file can be read", programPath);
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  std::fclose(file);
  return bytes;
}

void BeginInput() {
  if (!OpenReportLog(kReportPath)) Fail("the report log can be opened", kReportPath);
  g_Boxes->shown.clear();
  ClearPostedMessages();
  g_bFileTooNew = 0;
}

bool ReportWritten() {
  struct stat info;
  return stat(kReportPath, &info) == 0 && info.st_size > 0;
}

void Fail(const char* rule, const char* file) {
  std::fprintf(stderr, "fuzz target: broken rule: %s (%s)\n", rule, file);
  std::abort();
}

void CheckFailureReported(const char* file) {
  if (!ReportWritten() && !g_bFileTooNew) Fail("a failed load writes a report line", file);
}

void CheckSameBytes(const std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second,
                    const char* file) {
  if (first != second) Fail("a loaded record saves, loads back and saves to the same bytes", file);
}

}  // namespace fuzz

namespace {

void SetUpProcess() {
  const std::string folder = fuzz::MakeWorkFolder();
  if (chdir(folder.c_str()) != 0) fuzz::Fail("the working folder can be entered", folder.c_str());
  ForgetDirectoryListings();
  fuzz::g_Boxes = std::make_unique<cRecordingMessageBoxes>();
  g_bStripCR = 1;
  FuzzSetUp();
}

}  // namespace

#ifdef __AFL_FUZZ_TESTCASE_LEN

__AFL_FUZZ_INIT();

int main() {
  SetUpProcess();
  __AFL_INIT();
  const unsigned char* data = __AFL_FUZZ_TESTCASE_BUF;
  while (__AFL_LOOP(10000)) FuzzOneInput(data, static_cast<std::size_t>(__AFL_FUZZ_TESTCASE_LEN));
  return 0;
}

#else

namespace {

std::vector<std::uint8_t> ReadHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The files to replay: each file named, and the files inside each folder named (in name
// order, so that a replay runs the same way every time). A name that does not exist is
// an error: a kept folder must not go missing unnoticed.
bool CollectInputs(int argc, char** argv, std::vector<std::filesystem::path>& inputs) {
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = std::filesystem::absolute(argv[i]);
    if (std::filesystem::is_directory(path)) {
      std::vector<std::filesystem::path> files;
      for (const auto& entry : std::filesystem::directory_iterator(path))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') files.push_back(entry.path());
      std::sort(files.begin(), files.end());
      inputs.insert(inputs.end(), files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(path)) {
      inputs.push_back(path);
    } else {
      std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  if (argc < 2 || !CollectInputs(argc, argv, inputs)) {
    std::fprintf(stderr, "usage: %s file-or-folder...\n", argv[0]);
    return 2;
  }
  const std::filesystem::path previous = std::filesystem::current_path();
  SetUpProcess();
  const std::filesystem::path folder = std::filesystem::current_path();
  for (const std::filesystem::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());
    const std::vector<std::uint8_t> bytes = ReadHostFile(input);
    FuzzOneInput(bytes.data(), bytes.size());
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  std::printf("%zu inputs replayed\n", inputs.size());
  return 0;
}

#endif
