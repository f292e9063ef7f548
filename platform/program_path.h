#pragma once
// Program paths taken apart: CP932 text whose separators are "\" (or "/"), read character
// by character so that a trail byte 0x5C (ソ is 83 5C, 表 is 95 5C) never counts as a
// separator. Internal to the platform layer.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel_platform {

struct ProgramPathParts {
  // "" for a relative path, "\" for an absolute one, "X:\" for one with a drive letter
  // ("X:" alone when the drive is followed by a relative path).
  std::string root;
  // The names between separators, CP932 as written; empty names (doubled separators)
  // are left out, "." and ".." are kept.
  std::vector<std::string> components;
  bool trailingSeparator = false;
};

// True for "\" and "/", which are never trail bytes.
constexpr bool IsProgramPathSeparator(char c) { return c == '\\' || c == '/'; }

ProgramPathParts SplitProgramPath(std::string_view path);

// Length of the CP932 character at the start of `text` (2 for a lead byte followed by a
// trail byte, else 1; 0 for empty text).
std::size_t Cp932CharLength(std::string_view text);

// The separator to write after `name`: "\", unless the name ends in a lead byte that
// stands alone (a name split at a "/" may), which would pair with the "\" (0x5C is a
// trail byte) and fuse the two names into one; "/" is never a trail byte.
char ProgramPathSeparatorAfter(std::string_view name);

// The components joined by separators after the root, with one after the last component
// when `trailingSeparator` is set and there is a component.
std::string JoinProgramPath(const ProgramPathParts& parts);

}  // namespace tovrel_platform
