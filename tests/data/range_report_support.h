#pragma once
// Reading a record from a named file body with the report log emptied first, for the
// tests of the ranges records bring their numbers into: the lines the read reported.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/report_log.h"
#include "data/record/data_reader.h"
#include "data/record/data_record.h"

namespace range_test {

constexpr const char* kReportLog = "Report_Game.txt";

// The lines of the report log in the current folder.
inline std::vector<std::string> ReportLines() {
  std::vector<std::string> lines;
  std::ifstream file(kReportLog, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  for (std::size_t at = 0; (at = text.find("\r\n")) != std::string::npos; text.erase(0, at + 2))
    lines.push_back(text.substr(0, at));
  return lines;
}

// Reads `body` (after the version word, of the current version) into `record` as the file
// `file`; the lines the read reported.
template <typename Rec>
std::vector<std::string> ReadReporting(Rec& record, const std::vector<std::uint8_t>& body, const char* file) {
  EXPECT_EQ(OpenReportLog(kReportLog), 1);  // a new, empty log
  g_nFileVersion = g_nDataVersion;
  cDataReader in(body);
  in.SetName(file);
  record.Read(in);
  EXPECT_FALSE(in.Damaged());
  return ReportLines();
}

// The body a record writes.
template <typename Rec>
std::vector<std::uint8_t> WrittenBody(Rec& record) {
  cDataWriter out;
  record.Write(out);
  return out.Bytes();
}

// A report line of `file`.
inline std::string FileLine(const char* file, const std::string& rest) { return std::string(file) + " : " + rest; }

}  // namespace range_test
