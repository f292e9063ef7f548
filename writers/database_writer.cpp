#include "writers/database_writer.h"

#include "platform/host_files.h"

int SaveDatabaseFiles(cDatabase& database) {
  if (!MakeDirectory("data") || !MakeDirectory("data\\database")) return 0;
  const bool saved = database.ForEachFileList(
      [](int nKind, auto& list) { return SaveDatabaseFile(cDatabase::FilePath(nKind), list) != 0; });
  return saved ? 1 : 0;
}
