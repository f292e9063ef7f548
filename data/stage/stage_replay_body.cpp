// What a replay keeps of its stage, and the hero a stage needs to be played.
#include "app/checked_access.h"
#include "data/record/data_lists.h"
#include "data/stage/stage_data.h"
#include "data/stage/stage_entry_lists.h"

int cStageData::GetHeroIndex() const {
  const int count = static_cast<int>(m_vCharaPlace.size());
  for (int i = 0; i < count; ++i) {
    const cPaletteChara& place = CheckedAt(m_vCharaPlace, i);
    if (place.m_nGraphic != 0 && place.m_nController == CHARACTRL_PLAYER) return i;
  }
  return -1;
}

int cStageData::HasHero() const { return GetHeroIndex() >= 0 ? 1 : 0; }

void cStageData::WriteForReplay(cDataWriter& out, const cStageData& source) {
  Normalize();
  // The settings as loaded; the record writers normalise what they write, so they work
  // on copies and leave the pristine copy as it is. The copies are small: the pristine
  // copy holds no entry lists.
  cStageData settings;
  settings.CopyFrom(source);
  settings.cDataRecord::Write(out);
  WriteIntVector(source.m_vResultKind, out);
  std::array<cScreenOutRange, OUTRANGE_COUNT> ranges = source.m_OutRange;
  for (cScreenOutRange& range : ranges) range.Write(out);
  WriteStageEntryList(m_vBlockDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vCharaDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vItemDef, out, eEntryList::Definitions);
  WriteStageEntryList(m_vBlockPlace, out, eEntryList::Placements);
  WriteStageEntryList(m_vCharaPlace, out, eEntryList::Placements);
  WriteStageEntryList(m_vItemPlace, out, eEntryList::Placements);
  std::vector<cStageBack> backs;
  AssignStageBackList(backs, source.m_vBack);
  SaveVector(backs, out);
  std::vector<cStageString> texts;
  AssignStageStringList(texts, source.m_vText);
  SaveVector(texts, out);
  out.WriteInt32(kStageSentinel);
}
