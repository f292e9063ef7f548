#include "fuzz/fuzz_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <system_error>

#include "app/report_log.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"
#include "data/record/data_writer.h"
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
  // A random name, so that fuzzers running at once never share a folder; a name already
  // taken is passed over.
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = root + "/tovrel-fuzz-" + std::to_string(entropy());
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) return folder;
  }
  Fail("a working folder can be made", root.c_str());
  return root;
}

}  // namespace

void WriteFile(const char* programPath, const std::uint8_t* data, std::size_t size) {
  // Written behind the platform layer's back, on purpose: the name stays the same from one
  // input to the next, so the cached listing of its folder stays right, and keeping it
  // saves reading the folder again for every input.
  const std::string host = HostPath(programPath);
  FILE* file = std::fopen(host.c_str(), "wb");
  const bool ok = file != nullptr && std::fwrite(data, 1, size, file) == size;
  if (file == nullptr || std::fclose(file) != 0 || !ok) Fail("the input can be written", programPath);
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
  // Emptied in place: OpenReportLog would make the folder's listing be read again.
  if (truncate(kReportPath, 0) != 0) Fail("the report log can be emptied", kReportPath);
  g_Boxes->shown.clear();
  ClearPostedMessages();
  g_bFileTooNew = 0;
}

bool ReportWritten() {
  std::error_code error;
  const auto size = std::filesystem::file_size(kReportPath, error);
  return !error && size > 0;
}

bool BoxShown() { return !g_Boxes->shown.empty(); }

void Fail(const char* rule, const char* file) {
  std::fprintf(stderr, "fuzz target: broken rule: %s (%s)\n", rule, file);
  std::abort();
}

void CheckFailureReported(const char* file) {
  if (!ReportWritten() && !g_bFileTooNew) Fail("a failed load writes a report line", file);
}

void CheckFailureReportedOrShown(const char* file) {
  if (!BoxShown()) CheckFailureReported(file);
}

namespace {

// The bytes SaveToFile would write for a record.
std::vector<std::uint8_t> SaveBytes(cDataRecord& record) {
  cDataWriter out;
  out.WriteInt32(g_nDataVersion);
  record.Write(out);
  return out.Bytes();
}

// A load of such bytes as LoadFromFile does it: false when the reader finds them damaged
// or newer than the player.
bool LoadBytes(cDataRecord& record, const std::vector<std::uint8_t>& bytes) {
  cDataReader in(bytes);
  if (in.Remaining() < sizeof(std::int32_t)) return false;
  in.SetVersion(in.ReadInt32());
  g_nFileVersion = in.Version();
  if (static_cast<std::uint32_t>(g_nFileVersion) > static_cast<std::uint32_t>(g_nDataVersion)) return false;
  if (in.AtEnd()) in.MarkDamaged(DATADAMAGE_BODY_MISSING);
  record.Read(in);
  return !in.Damaged();
}

}  // namespace

void CheckRoundTrip(cDataRecord& record, const std::function<void()>& reset, const char* file) {
  const std::vector<std::uint8_t> first = SaveBytes(record);
  reset();
  if (!LoadBytes(record, first)) Fail("a saved record loads back", file);
  CheckSameBytes(first, SaveBytes(record), file);
}

void CheckSameBytes(const std::vector<std::uint8_t>& first, const std::vector<std::uint8_t>& second,
                    const char* file) {
  if (first != second) Fail("a loaded record saves, loads back and saves to the same bytes", file);
}

}  // namespace fuzz

namespace {

void SetUpProcess() {
  const std::string folder = fuzz::MakeWorkFolder();
  std::error_code error;
  std::filesystem::current_path(folder, error);
  if (error) fuzz::Fail("the working folder can be entered", folder.c_str());
  ForgetDirectoryListings();
  fuzz::g_Boxes = std::make_unique<cRecordingMessageBoxes>();
  if (!OpenReportLog(fuzz::kReportPath)) fuzz::Fail("the report log can be opened", fuzz::kReportPath);
  g_bStripCR = 1;
  FuzzSetUp();
}

}  // namespace

#ifdef TOVREL_FUZZ_AFL

// The program is compiled with GCC's -fsanitize-coverage=trace-pc and linked with AFL++'s
// runtime (afl-compiler-rt.o), which runs the fork server, persistent mode and the input
// in shared memory; the coverage callback below fills AFL's map. AFL++'s own GCC plugin
// would do the same, but Debian's build of it refuses Debian's GCC.
extern "C" {
extern unsigned char* __afl_area_ptr;
extern unsigned int* __afl_fuzz_len;
extern unsigned char* __afl_fuzz_ptr;
int __afl_persistent_loop(unsigned int);
void __afl_manual_init();
// Tells the runtime that inputs come in shared memory.
int __afl_sharedmem_fuzzing = 1;
}

namespace {

// afl-fuzz switches on persistent mode and the deferred fork server when it finds these
// marks in the program.
[[gnu::used]] volatile const char* g_szPersistentMark = "##SIG_AFL_PERSISTENT##";
[[gnu::used]] volatile const char* g_szDeferredMark = "##SIG_AFL_DEFER_FORKSRV##";

constexpr std::uintptr_t kMapMask = (1u << 16) - 1;  // AFL's default map of 64 KiB
thread_local std::uintptr_t t_nPreviousBlock = 0;

// Standard input when no fuzzer hands inputs over (the program run by hand).
std::vector<std::uint8_t> ReadStandardInput() {
  std::vector<std::uint8_t> bytes;
  std::uint8_t buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  return bytes;
}

}  // namespace

// Called by every basic block: one edge of AFL's map, as its own instrumentation counts it.
extern "C" [[gnu::no_sanitize_coverage, gnu::no_sanitize("address", "undefined")]] void
__sanitizer_cov_trace_pc() {
  const auto pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0));
  const std::uintptr_t block = ((pc >> 4) ^ (pc << 8)) & kMapMask;
  __afl_area_ptr[block ^ t_nPreviousBlock]++;
  t_nPreviousBlock = block >> 1;
}

int main() {
  SetUpProcess();
  __afl_manual_init();
  while (__afl_persistent_loop(10000)) {
    if (__afl_fuzz_ptr != nullptr) {
      FuzzOneInput(__afl_fuzz_ptr, *__afl_fuzz_len);
    } else {
      const std::vector<std::uint8_t> input = ReadStandardInput();
      FuzzOneInput(input.data(), input.size());
    }
  }
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
