#pragma once
// Shared by the benchmarks; header-only, since every bench/*.cpp is a program of its own:
// the plain read of a file that loads are measured against. A benchmark's temporary
// folder is the tests' cTempFolder (tests/support/temp_dir.h).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The whole of a file (a host path) read into memory with fopen and fread: the floor a
// load is measured against. Empty when the file cannot be read.
inline std::vector<std::uint8_t> PlainRead(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  std::fseek(file, 0, SEEK_END);
  bytes.resize(static_cast<std::size_t>(std::ftell(file)));
  std::fseek(file, 0, SEEK_SET);
  if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
  std::fclose(file);
  return bytes;
}
