#pragma once
// The authoring tool's end of the test-play notices: a datagram socket bound at a path,
// read without blocking.
#include <cstdint>
#include <string>
#include <vector>

class cToolSocket {
 public:
  explicit cToolSocket(const std::string& path);
  ~cToolSocket();
  cToolSocket(const cToolSocket&) = delete;
  cToolSocket& operator=(const cToolSocket&) = delete;
  bool Bound() const { return m_bBound; }
  // Every datagram waiting, each as its bytes.
  std::vector<std::vector<unsigned char>> Receive();

 private:
  int m_nFd = -1;
  bool m_bBound = false;
};

// The bytes of one notice as the player sends it.
std::vector<unsigned char> ToolNoticeBytes(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId);
