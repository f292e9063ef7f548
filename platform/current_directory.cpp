#include "platform/current_directory.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace tovrel_platform {

std::string CurrentHostDirectory() {
  std::vector<char> buffer(256);
  for (;;) {
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return std::string(buffer.data());
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace tovrel_platform
