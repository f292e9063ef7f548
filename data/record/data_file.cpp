#include "data/record/data_file.h"

#include <cstdio>
#include <cstring>

#include "app/report_log.h"
#include "data/record/data_record.h"
#include "platform/host_files.h"

namespace {

const char* NameOrErr(const char* name) { return (name && *name) ? name : "err"; }

}  // namespace

const char* NotAFileText(HOSTFILEKIND kind) {
  switch (kind) {
    case HOSTFILE_DIRECTORY:
      return "ファイルではなくフォルダです";
    case HOSTFILE_FIFO:
      return "ファイルではなく名前付きパイプです";
    case HOSTFILE_DEVICE:
      return "ファイルではなくデバイスです";
    case HOSTFILE_SOCKET:
      return "ファイルではなくソケットです";
    default:
      return "通常のファイルではありません";
  }
}

namespace {

// Reads a whole file into memory; false when it cannot be opened or read, is not a
// regular file, or is larger than any data file can be.
bool ReadWholeFile(const char* name, cDataBytes& bytes) {
  HOSTFILEKIND refused = HOSTFILE_NONE;
  FILE* file = OpenFile(name, "rb", &refused);
  if (!file) {
    // A missing file is the caller's to report; anything else in its place is said here.
    if (refused != HOSTFILE_NONE) WriteReport("%s : %s", name, NotAFileText(refused));
    return false;
  }
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(file) : -1;
  ok = ok && size >= 0 && static_cast<unsigned long>(size) <= kMaxDataFileBytes &&
       std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size));
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  if (!ok && size > 0 && static_cast<unsigned long>(size) > kMaxDataFileBytes)
    WriteReport("%s : ファイルが大きすぎます", name);
  return ok;
}

}  // namespace

std::unique_ptr<cDataReader> OpenDataFileForRead(const char* name) {
  name = NameOrErr(name);
  cDataBytes bytes;
  if (!ReadWholeFile(name, bytes)) return nullptr;
  auto in = std::make_unique<cDataReader>(std::move(bytes));
  if (in->Remaining() < sizeof(std::int32_t)) {
    WriteReport("%s : バージョン情報がありません", name);
    return nullptr;
  }
  // The reader keeps the version of its own file; the global follows the file opened last,
  // which is what the version gates of the records read.
  in->SetVersion(in->ReadInt32());
  in->SetName(name);
  g_nFileVersion = in->Version();
  if (static_cast<std::uint32_t>(g_nFileVersion) > static_cast<std::uint32_t>(g_nDataVersion)) {
    g_bFileTooNew = 1;
    return nullptr;
  }
  g_bFileTooNew = 0;
  return in;
}

std::unique_ptr<cDataFileOut> OpenDataFileForWrite(const char* name) {
  auto file = std::make_unique<cDataFileOut>();
  file->Name = NameOrErr(name);
  file->Out.WriteInt32(g_nDataVersion);
  return file;
}

int CloseDataFile(std::unique_ptr<cDataFileOut> file) {
  if (!file) return 0;
  return WriteFileAtomically(file->Name, file->Out.Bytes());
}

int WriteFileAtomically(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string temp = name + ".tmp";
  FILE* out = OpenFile(temp, "wb");
  if (!out) {
    WriteReport("%s : ファイルを作成できません", name.c_str());
    return 0;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  ok = SyncFile(out) && ok;
  ok = std::fclose(out) == 0 && ok;
  ok = ok && RenameFileOver(temp, name);
  if (!ok) {
    RemoveFile(temp);
    WriteReport("%s : ファイルの書き込みに失敗しました", name.c_str());
    return 0;
  }
  return 1;
}

void ShowLoadError(const std::string& path) {
  if (g_bFileTooNew)
    WriteReportBox("%s の読み込みに失敗しました！\nソフトより上位のバージョンのファイルは使用できません。", path.c_str());
  else
    WriteReportBox("%s の読み込みに失敗しました！", path.c_str());
}

void ReportDamagedFile(const char* name, const cDataReader& in) {
  WriteReport("%s : データが壊れています (%s, %zu バイト目)", NameOrErr(name), in.DamageReason(),
              in.DamagePosition());
}
