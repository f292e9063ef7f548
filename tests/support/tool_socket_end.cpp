#include "tests/support/tool_socket_end.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/tool_socket.h"

cToolSocket::cToolSocket(const std::string& path) {
  m_nFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  m_bBound = m_nFd >= 0 && bind(m_nFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

cToolSocket::~cToolSocket() {
  if (m_nFd >= 0) close(m_nFd);
}

std::vector<std::vector<unsigned char>> cToolSocket::Receive() {
  std::vector<std::vector<unsigned char>> all;
  unsigned char buffer[64];
  for (ssize_t n; (n = recv(m_nFd, buffer, sizeof buffer, 0)) >= 0;) all.emplace_back(buffer, buffer + n);
  return all;
}

std::vector<unsigned char> ToolNoticeBytes(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId) {
  unsigned char bytes[kToolNoticeSize];
  EncodeToolNotice(dwData, value, windowId, bytes);
  return std::vector<unsigned char>(bytes, bytes + kToolNoticeSize);
}
