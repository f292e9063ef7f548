#pragma once
// Removal of characters and shots by the vanish command: a group's characters or shots,
// or a character's descendants and the shots they own.
class cCharaBase;

// Depths 0..kVanishDepthLimit of descendants are removed; deeper ones are left, so a
// chain of parent links that loops cannot recurse without end.
constexpr int kVanishDepthLimit = 1000;

// Kills every descendant of `chara` that takes part, each after its own descendants;
// with `bWithShots` each one's own shots go first.
void VanishDescendants(cCharaBase& chara, int nDepth, bool bWithShots);
// Removes the shots `chara` owns; during the shots' hit pass they are only flagged.
void RemoveOwnShots(cCharaBase& chara);
