#pragma once
// Writes database files the way the authoring tool does: the version word, then the list
// as a counted list of record bodies, each record through its own Write.
#include <memory>
#include <vector>

#include "data/database/database.h"
#include "data/record/data_file.h"
#include "data/record/data_lists.h"

// Writes one database file (a program path); 1 when it was written whole.
template <typename T>
int SaveDatabaseFile(const char* path, std::vector<T>& list) {
  std::unique_ptr<cDataFileOut> file = OpenDataFileForWrite(path);
  if (!file) return 0;
  SaveVector(list, file->Out);
  return CloseDataFile(std::move(file));
}

// Makes the folders data\ and data\database\ and writes the ten files of `database`
// there; 1 when every file was written.
int SaveDatabaseFiles(cDatabase& database);
