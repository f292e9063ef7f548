#pragma once
// Builds System.dat bodies as a writer of a given data version laid them out, from the
// member list of the file format: the scalar members with the version that first stored
// each, then the title and the fifteen lists with their own version gates.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/support/byte_builder.h"

namespace sysimage {

struct MemberRow {
  unsigned nFrom;  // first version that stores the member
  int nWidth;      // bytes
};

// Members 1 to 61 in file order.
inline constexpr MemberRow kMembers[61] = {
    {185, 4}, {0, 4},   {0, 4},   {0, 4},   {205, 4}, {170, 4}, {113, 4}, {184, 4}, {157, 4}, {0, 4},
    {191, 4}, {191, 4}, {0, 4},   {0, 4},   {167, 4}, {167, 4}, {188, 4}, {224, 4}, {167, 4}, {167, 4},
    {188, 4}, {224, 4}, {188, 4}, {192, 4}, {187, 4}, {187, 1}, {187, 1}, {187, 1}, {214, 4}, {261, 4},
    {272, 4}, {287, 4}, {515, 4}, {289, 4}, {757, 4}, {525, 4}, {555, 4}, {637, 4}, {669, 4}, {677, 4},
    {695, 4}, {696, 4}, {697, 4}, {721, 4}, {728, 4}, {733, 4}, {744, 4}, {749, 4}, {752, 4}, {763, 4},
    {763, 4}, {768, 4}, {773, 4}, {781, 4}, {782, 4}, {783, 4}, {793, 4}, {805, 4}, {808, 4}, {670, 4},
    {670, 4}};
// Files of versions 221 to 259 hold one more int32 right after member 29.
inline constexpr int kMemberBeforeScratch = 29;

struct StatusItem {
  std::int32_t nShow, nIcon, nDigits, nShowNumber, nThreshold, nPercent;
  std::string Label;
};
struct Ranking {
  std::int32_t nOn;
  std::vector<std::uint8_t> Result;
};
struct CmdItem {
  std::int32_t nEnabled;
  std::string Label;
};
struct IniItem {
  std::int32_t nKind, nValue;
  std::string Key, Text;
};

inline std::vector<std::string> Numbered(const char* prefix, int n) {
  std::vector<std::string> texts;
  for (int i = 0; i < n; ++i) texts.push_back(prefix + std::to_string(i));
  return texts;
}

inline std::vector<CmdItem> Items(const char* prefix, int n) {
  std::vector<CmdItem> items;
  for (int i = 0; i < n; ++i) items.push_back({i % 2, prefix + std::to_string(i)});
  return items;
}

// A file's content. Every scalar member holds nFill unless Values names it (by its
// number, 1 to 61); the lists hold recognisable values of their own.
struct cSysFileImage {
  int nVersion = 811;
  std::int32_t nFill = 5;
  std::map<int, std::int32_t> Values;
  std::int32_t nScratch = 0x5A5A5A5A;
  std::string Title = "題名";
  std::vector<std::uint8_t> Carry = [] {
    std::vector<std::uint8_t> v;
    for (int i = 0; i < 25; ++i) v.push_back(static_cast<std::uint8_t>(100 + i));
    return v;
  }();
  std::vector<std::uint8_t> ResetSw = std::vector<std::uint8_t>(25, 7);
  std::vector<StatusItem> Status = {{1, 0, 6, 0, 10, 0, "a"},
                                    {0, 1, 5, 1, 11, 1, "b"},
                                    {1, 1, 4, 0, 12, 0, "c"},
                                    {0, 0, 3, 1, 13, 1, "d"},
                                    {1, 0, 2, 0, 14, 0, "e"}};
  std::vector<std::int32_t> Lives = {3, 4, 6, 7};
  std::vector<std::int32_t> InfiniteLives = {0, 1, 0, 1};
  std::vector<Ranking> ModeRanking = {{1, {1, 0, 1, 0, 1}}, {0, {0, 1, 0, 1, 0}}, {1, {1, 1, 0, 0, 1}}, {0, {0, 0, 1, 1, 0}}};
  std::vector<std::string> Texts = Numbered("t", 29);
  std::vector<std::string> Sounds = Numbered("se", 17);
  std::vector<std::int32_t> SceneBgm = {0, 0, 0, 0};
  std::vector<std::uint8_t> SceneBgmLoop = {0, 1, 0, 1};
  std::vector<CmdItem> TitleMenu = Items("title", 7);
  std::vector<CmdItem> MapMenu = Items("map", 4);
  std::vector<CmdItem> OptionMenu = Items("option", 6);
  std::vector<std::string> RankReg = Numbered("reg", 4);
  std::vector<IniItem> Ini = {{0, 10, "k0", ""}, {0, 11, "k1", ""}, {0, 12, "k2", ""}, {0, 13, "k3", ""},
                              {0, 14, "k4", ""}, {0, 15, "k5", ""}, {0, 16, "k6", ""}, {0, 17, "k7", ""},
                              {1, 0, "k8", "stage"}, {0, 19, "k9", ""}};

  bool Stores(unsigned from) const { return static_cast<unsigned>(nVersion) >= from; }

  // The scalar members, the title and the lists, as written at nVersion.
  std::vector<std::uint8_t> Body() const {
    cByteBuilder b;
    const unsigned v = static_cast<unsigned>(nVersion);
    const bool scratch = v >= 221 && v <= 259;
    int n = scratch ? 1 : 0;
    for (const MemberRow& row : kMembers) n += Stores(row.nFrom) ? 1 : 0;
    b.Count(n);
    for (int i = 0; i < 61; ++i) {
      if (Stores(kMembers[i].nFrom)) {
        const auto it = Values.find(i + 1);
        const std::int32_t value = it == Values.end() ? nFill : it->second;
        if (kMembers[i].nWidth == 1)
          b.I8(static_cast<std::int8_t>(value));
        else
          b.I32(value);
      }
      if (i + 1 == kMemberBeforeScratch && scratch) b.I32(nScratch);
    }
    b.Count(1).Text(Title);

    const auto bytes = [&b](const std::vector<std::uint8_t>& list) { b.Count(static_cast<std::int32_t>(list.size())).Bytes(list); };
    const auto ints = [&b](const std::vector<std::int32_t>& list) {
      b.Count(static_cast<std::int32_t>(list.size()));
      for (std::int32_t x : list) b.I32(x);
    };
    const auto texts = [&b](const std::vector<std::string>& list) {
      b.Count(static_cast<std::int32_t>(list.size()));
      for (const std::string& s : list) b.Text(s);
    };
    const auto items = [&b](const std::vector<CmdItem>& list) {
      b.Count(static_cast<std::int32_t>(list.size()));
      for (const CmdItem& item : list) b.Count(1).I32(item.nEnabled).Count(1).Text(item.Label);
    };

    bytes(Carry);
    if (Stores(501)) bytes(ResetSw);
    b.Count(static_cast<std::int32_t>(Status.size()));
    for (const StatusItem& s : Status) {
      b.Count(3 + (Stores(204) ? 1 : 0) + (Stores(587) ? 2 : 0)).I32(s.nShow).I32(s.nIcon).I32(s.nDigits);
      if (Stores(204)) b.I32(s.nShowNumber);
      if (Stores(587)) b.I32(s.nThreshold).I32(s.nPercent);
      b.Count(1).Text(s.Label);
    }
    ints(Lives);
    if (Stores(191)) ints(InfiniteLives);
    if (Stores(186)) {
      b.Count(static_cast<std::int32_t>(ModeRanking.size()));
      for (const Ranking& r : ModeRanking) {
        b.Count(1).I32(r.nOn).Count(0);
        bytes(r.Result);
      }
    }
    texts(Texts);
    texts(Sounds);
    ints(SceneBgm);
    if (Stores(202)) bytes(SceneBgmLoop);
    items(TitleMenu);
    items(MapMenu);
    items(OptionMenu);
    if (Stores(674)) texts(RankReg);
    b.Count(static_cast<std::int32_t>(Ini.size()));
    for (const IniItem& item : Ini) b.Count(2).I32(item.nKind).I32(item.nValue).Count(2).Text(item.Key).Text(item.Text);
    return b.Get();
  }
};

}  // namespace sysimage
