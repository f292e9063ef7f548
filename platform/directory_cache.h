#pragma once
// Cached listings of host folders, for matching program names against names on disk.
// Internal to the platform layer. Thread-safe.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tovrel_platform {

class cDirectoryListing {
 public:
  // Adds one name found on disk. Names are added in byte order, so that among names that
  // differ only in case the first in that order wins.
  void Add(const std::string& name);

  // The name on disk a program component stands for: the same UTF-8 name; else one equal
  // ignoring case; else one equal when CP932/JIS variant characters count as equal; else
  // (when no UTF-8 name matches) a name stored as raw CP932 bytes, the same bytes first,
  // then one whose decoding is equal ignoring case and variants.
  // `cp932` is the component as the program wrote it, `utf8` its conversion.
  std::optional<std::string> Match(std::string_view cp932, const std::string& utf8) const;

  std::size_t Size() const { return m_names.size(); }

 private:
  std::unordered_set<std::string> m_names;
  std::unordered_map<std::string, std::string> m_byCase;
  std::unordered_map<std::string, std::string> m_byVariant;
  std::unordered_map<std::string, std::string> m_rawByVariant;
};

// The listing of a host folder, named by an absolute, lexically normal path; read from
// disk when not cached. Null when the folder cannot be read.
std::shared_ptr<const cDirectoryListing> GetDirectoryListing(const std::string& absoluteDir);

// Drops the cached listing of one folder (after the program changed it).
void ForgetDirectoryListing(const std::string& absoluteDir);
void ForgetAllDirectoryListings();

}  // namespace tovrel_platform
