#include "data/palette/palette.h"

#include <algorithm>
#include <cstddef>

#include "data/record/data_lists.h"
#include "data/record/shared_list.h"

cPalette g_CommonPalette;

namespace {

// Smallest bodies a file can hold for one entry: member and text counts, cell, the
// counted lists (and a character's carried item).
constexpr std::size_t kMinBlockBodyBytes = 4 + 4 + 4 + 4 + 4;
constexpr std::size_t kMinCharaBodyBytes = 4 + 4 + 4 + 4 + 4 + 4 + 4;
constexpr std::size_t kMinItemBodyBytes = 4 + 4 + 4 + 4 + 4 + 4;

// Every list holds at least its template entry and one entry more.
constexpr std::size_t kMinEntries = 2;
// Entries are named by int16 indices: no list holds more.
constexpr std::int32_t kMaxEntries = 32768;

// int32 n, then n entry bodies. The list is sized first, every element a copy of one new
// entry, so an entry may take its inheritance from any entry of the same list.
template <typename T>
void ReadEntryList(std::vector<T>& list, cDataReader& in, std::size_t minBodyBytes) {
  std::int32_t n = in.ReadCount(minBodyBytes);
  if (n > kMaxEntries) {
    in.MarkDamaged(DATADAMAGE_PALETTE_TOO_LONG);
    n = 0;
  }
  if (!SpendOnList<T>(in, n)) n = 0;
  list.clear();
  if (n <= 0) return;
  const T element;
  list.assign(static_cast<std::size_t>(n), element);
  for (T& entry : list) {
    if (in.Damaged()) break;
    entry.Read(in);
  }
}

template <typename T>
void WriteEntryList(std::vector<T>& list, cDataWriter& out) {
  out.WriteInt32(static_cast<std::int32_t>(list.size()));
  for (T& entry : list) entry.Write(out);
}

template <typename T>
void ResetTemplateAndClearFlags(std::vector<T>& list) {
  if (!list.empty()) list.front().Reset();
  for (T& entry : list) std::fill(entry.m_vInherit.begin(), entry.m_vInherit.end(), std::uint8_t{0});
}

template <typename T>
void FillUpToMinimum(std::vector<T>& list) {
  if (list.size() < kMinEntries) list.resize(kMinEntries);
}

}  // namespace

cPalette::cPalette() {
  Register(g_nDataVersion);
  cDataRecord::Reset();
  m_vBlock.resize(1);
  m_vChara.resize(1);
  m_vItem.resize(1);
}

void cPalette::RegisterMembers(int version) {
  (void)version;
  ClearMembers();
}

void cPalette::ReadBlockList(std::vector<cPaletteBlock>& list, cDataReader& in) {
  ReadEntryList(list, in, kMinBlockBodyBytes);
}

void cPalette::ReadCharaList(std::vector<cPaletteChara>& list, cDataReader& in) {
  ReadEntryList(list, in, kMinCharaBodyBytes);
}

void cPalette::Read(cDataReader& in) {
  cDataRecord::Read(in);
  {
    // Entries that inherit share the lists they take; one repair of a shared list
    // serves all of its holders while the databases stay as they are.
    const cRepairPass pass;
    ReadBlockList(m_vBlock, in);
    ReadCharaList(m_vChara, in);
    ReadEntryList(m_vItem, in, kMinItemBodyBytes);
  }

  ResetTemplateAndClearFlags(m_vBlock);
  ResetTemplateAndClearFlags(m_vChara);
  ResetTemplateAndClearFlags(m_vItem);

  Normalize();
}

void cPalette::Write(cDataWriter& out) {
  Normalize();
  cDataRecord::Write(out);
  WriteEntryList(m_vBlock, out);
  WriteEntryList(m_vChara, out);
  WriteEntryList(m_vItem, out);
}

void cPalette::Normalize() {
  FillUpToMinimum(m_vBlock);
  FillUpToMinimum(m_vChara);
  FillUpToMinimum(m_vItem);
  const cRepairPass pass;
  // The repairs below read the palette lists as they stand now: those of the common
  // palette already hold their final lengths when this is g_CommonPalette.
  for (cPaletteBlock& block : m_vBlock) {
    block.ValidateRef();
    block.ValidateItemRef();
  }
  for (cPaletteChara& chara : m_vChara) {
    chara.Validate();
    chara.Normalize2();
  }
  for (cPaletteItem& item : m_vItem) {
    item.Normalize();
    item.Normalize2();
  }
}
