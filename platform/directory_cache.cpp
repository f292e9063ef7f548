#include "platform/directory_cache.h"

#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/cp932.h"
#include "platform/name_fold.h"
#include "platform/utf8.h"

namespace tovrel_platform {

void cDirectoryListing::Add(const std::string& name) {
  m_names.insert(name);
  if (IsValidUtf8(name)) {
    m_byCase.emplace(CaseFoldKey(name), name);
    m_byVariant.emplace(VariantFoldKey(name), name);
  } else {
    std::string decoded;
    if (Cp932ToUtf8(name, decoded)) m_rawByVariant.emplace(VariantFoldKey(decoded), name);
  }
}

std::optional<std::string> cDirectoryListing::Match(std::string_view cp932,
                                                    const std::string& utf8) const {
  if (m_names.count(utf8) != 0) return utf8;
  if (auto it = m_byCase.find(CaseFoldKey(utf8)); it != m_byCase.end()) return it->second;
  const std::string variantKey = VariantFoldKey(utf8);
  if (auto it = m_byVariant.find(variantKey); it != m_byVariant.end()) return it->second;
  if (auto it = m_names.find(std::string(cp932)); it != m_names.end()) return *it;
  if (auto it = m_rawByVariant.find(variantKey); it != m_rawByVariant.end()) return it->second;
  return std::nullopt;
}

namespace {

// A game folder has a few hundred folders at most; past this many the cache starts over
// rather than grow without bound.
constexpr std::size_t kMaxCachedListings = 4096;

std::mutex g_lock;
std::unordered_map<std::string, std::shared_ptr<const cDirectoryListing>> g_listings;
// Counts the forgets, so that a listing read while a folder was being changed is not
// stored over the change.
std::uint64_t g_generation = 0;

std::shared_ptr<const cDirectoryListing> ReadListing(const std::string& dir) {
  DIR* handle = opendir(dir.c_str());
  if (handle == nullptr) return nullptr;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(handle)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  closedir(handle);
  std::sort(names.begin(), names.end());
  auto listing = std::make_shared<cDirectoryListing>();
  for (const std::string& name : names) listing->Add(name);
  return listing;
}

}  // namespace

std::shared_ptr<const cDirectoryListing> GetDirectoryListing(const std::string& absoluteDir) {
  std::uint64_t generation = 0;
  {
    std::lock_guard<std::mutex> lock(g_lock);
    if (auto it = g_listings.find(absoluteDir); it != g_listings.end()) return it->second;
    generation = g_generation;
  }
  // Read outside the lock; two threads may read the same folder at once, harmlessly.
  auto listing = ReadListing(absoluteDir);
  if (listing == nullptr) return nullptr;
  std::lock_guard<std::mutex> lock(g_lock);
  if (generation != g_generation) return listing;  // changed meanwhile: use, do not keep
  if (g_listings.size() >= kMaxCachedListings) g_listings.clear();
  g_listings[absoluteDir] = listing;
  return listing;
}

void ForgetDirectoryListing(const std::string& absoluteDir) {
  std::lock_guard<std::mutex> lock(g_lock);
  g_listings.erase(absoluteDir);
  ++g_generation;
}

void ForgetAllDirectoryListings() {
  std::lock_guard<std::mutex> lock(g_lock);
  g_listings.clear();
  ++g_generation;
}

}  // namespace tovrel_platform
