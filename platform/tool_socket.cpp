#include "platform/tool_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

void EncodeToolNotice(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId,
                      unsigned char (&bytes)[kToolNoticeSize]) {
  const auto put = [&bytes](int at, std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  put(0, dwData, 4);
  put(4, static_cast<std::uint32_t>(value), 4);
  put(8, windowId, 8);
}

bool SendToolNotice(std::uint32_t dwData, std::int32_t value, std::uint64_t windowId) {
  const char* path = std::getenv(kToolSocketVariable);
  if (path == nullptr || path[0] == '\0') return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  // A path the address cannot hold whole would name another socket: no notice.
  if (std::strlen(path) >= sizeof address.sun_path) return false;
  std::strcpy(address.sun_path, path);
  const int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  unsigned char bytes[kToolNoticeSize];
  EncodeToolNotice(dwData, value, windowId, bytes);
  // MSG_DONTWAIT as well: a tool that does not read its socket must never hold the player.
  const ssize_t sent = sendto(fd, bytes, sizeof bytes, MSG_DONTWAIT | MSG_NOSIGNAL,
                              reinterpret_cast<const sockaddr*>(&address), sizeof address);
  close(fd);
  return sent == static_cast<ssize_t>(sizeof bytes);
}
