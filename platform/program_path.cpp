#include "platform/program_path.h"

#include <cstdint>

#include "platform/cp932.h"

namespace tovrel_platform {

std::size_t Cp932CharLength(std::string_view text) {
  if (text.empty()) return 0;
  if (text.size() >= 2 && IsCp932LeadByte(static_cast<std::uint8_t>(text[0])) &&
      IsCp932TrailByte(static_cast<std::uint8_t>(text[1]))) {
    return 2;
  }
  return 1;
}

ProgramPathParts SplitProgramPath(std::string_view path) {
  ProgramPathParts parts;
  std::size_t pos = 0;
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') {
    parts.root.assign(path.substr(0, 2));
    pos = 2;
    if (pos < path.size() && IsProgramPathSeparator(path[pos])) {
      parts.root += '\\';
      ++pos;
    }
  } else if (!path.empty() && IsProgramPathSeparator(path[0])) {
    parts.root = "\\";
    pos = 1;
  }
  std::string component;
  bool lastWasSeparator = false;
  while (pos < path.size()) {
    const std::size_t length = Cp932CharLength(path.substr(pos));
    if (length == 1 && IsProgramPathSeparator(path[pos])) {
      if (!component.empty()) parts.components.push_back(std::move(component));
      component.clear();
      lastWasSeparator = true;
    } else {
      component.append(path.substr(pos, length));
      lastWasSeparator = false;
    }
    pos += length;
  }
  if (!component.empty()) parts.components.push_back(std::move(component));
  parts.trailingSeparator = lastWasSeparator;
  return parts;
}

char ProgramPathSeparatorAfter(std::string_view name) {
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < name.size(); pos += last) last = Cp932CharLength(name.substr(pos));
  const bool loneLead = last == 1 && IsCp932LeadByte(static_cast<std::uint8_t>(name.back()));
  return loneLead ? '/' : '\\';
}

std::string JoinProgramPath(const ProgramPathParts& parts) {
  std::string path = parts.root;
  for (std::size_t i = 0; i < parts.components.size(); ++i) {
    if (i > 0) path += ProgramPathSeparatorAfter(parts.components[i - 1]);
    path += parts.components[i];
  }
  if (parts.trailingSeparator && !parts.components.empty())
    path += ProgramPathSeparatorAfter(parts.components.back());
  return path;
}

}  // namespace tovrel_platform
