// The ranges of the databases' numbers. The effect kinds' parameters have the ranges the
// authoring tool offers (the kinds' parameter tables); the other numbers have ranges that
// keep play's computations with them (pictures cut from sheets, times counted in frames,
// offsets scaled by a character's size) far inside the int32.
#include "data/database/database_ranges.h"

#include <string>

#include "data/database/effect_kind_tables.h"
#include "data/record/member_ranges.h"

namespace {

// Times in tenths of a second, counted in frames (6 each) and summed over an animation.
constexpr std::int32_t kDatabaseMaxTime = 9999;
// Picture numbers and positions on a sheet.
constexpr std::int32_t kDatabaseMaxPattern = 65535;
// Offsets added to graphic numbers.
constexpr std::int32_t kDatabaseMaxGraphicOffset = 65535;
// Offsets and sizes in dots, multiplied by a character's size factor.
constexpr std::int32_t kDatabaseMaxDots = 4096;

constexpr cIntRange<cAnimeFrame> kAnimeFrameRanges[] = {
    {"m_nPattern", &cAnimeFrame::m_nPattern, 0, kDatabaseMaxPattern},
    {"m_nTime", &cAnimeFrame::m_nTime, 0, kDatabaseMaxTime},
};

constexpr cIntRange<cAnimeSetData> kAnimeSetRanges[] = {
    {"m_nInvincibleOffset", &cAnimeSetData::m_nInvincibleOffset, -kDatabaseMaxGraphicOffset,
     kDatabaseMaxGraphicOffset},
    {"m_nSolidOffset", &cAnimeSetData::m_nSolidOffset, -kDatabaseMaxGraphicOffset, kDatabaseMaxGraphicOffset},
    {"m_nFlyingOffset", &cAnimeSetData::m_nFlyingOffset, -kDatabaseMaxGraphicOffset, kDatabaseMaxGraphicOffset},
};

constexpr cIntRange<cSwordFrame> kSwordFrameRanges[] = {
    {"m_nOffsetX", &cSwordFrame::m_nOffsetX, -kDatabaseMaxDots, kDatabaseMaxDots},
    {"m_nOffsetY", &cSwordFrame::m_nOffsetY, -kDatabaseMaxDots, kDatabaseMaxDots},
    {"m_nSrcX", &cSwordFrame::m_nSrcX, 0, kDatabaseMaxPattern},
    {"m_nSrcY", &cSwordFrame::m_nSrcY, 0, kDatabaseMaxPattern},
    {"m_nWidth", &cSwordFrame::m_nWidth, 0, kDatabaseMaxDots},
    {"m_nHeight", &cSwordFrame::m_nHeight, 0, kDatabaseMaxDots},
    {"m_nTime", &cSwordFrame::m_nTime, 0, kDatabaseMaxTime},
};

constexpr cIntRange<cEffectData> kEffectRanges[] = {
    {"m_nWidth", &cEffectData::m_nWidth, 1, kDatabaseMaxDots},
    {"m_nHeight", &cEffectData::m_nHeight, 1, kDatabaseMaxDots},
};

constexpr cIntRange<cEffectFrame> kEffectFrameRanges[] = {
    {"m_nPattern", &cEffectFrame::m_nPattern, 0, kDatabaseMaxPattern},
    {"m_nTime", &cEffectFrame::m_nTime, 0, kDatabaseMaxTime},
};

void ClampAnimeFrames(std::vector<cAnimeFrame>& frames, const cRangeSource& source) {
  for (std::size_t i = 0; i < frames.size(); ++i)
    ClampIntoRanges<cAnimeFrame>(frames[i], kAnimeFrameRanges, source.Element("m_vFrame", i));
}

// A kind of the family's table, and each parameter the kind uses in its slot's range.
// Entry 0 is the "none" entry, made kind 0 whatever the file holds.
template <typename T>
void ClampKindEffects(std::vector<T>& list, const char* file, const EFFECTPARAM* params, int kinds) {
  const cRangeSource source{file};
  for (std::size_t i = 1; i < list.size(); ++i) {
    const cRangeSource entry = source.Element("", i);
    T& effect = list[i];
    effect.m_nKind = ClampIntMember(entry, "m_nKind", effect.m_nKind, 0, kinds - 1);
    for (int slot = 0; slot < EFFECT_PARAM_SLOTS; ++slot) {
      const EFFECTPARAM& param = params[effect.m_nKind * EFFECT_PARAM_SLOTS + slot];
      if (*param.m_strName == '\0') continue;  // a slot the kind leaves unread
      const std::string name = "m_nParam[" + std::to_string(slot) + "]";
      effect.m_nParam[slot] = ClampIntMember(entry, name.c_str(), effect.m_nParam[slot], param.m_nMin, param.m_nMax);
    }
  }
}

}  // namespace

void ClampDatabaseRanges(std::vector<cAnimeSetData>& list, const char* file) {
  const cRangeSource source{file};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const cRangeSource entry = source.Element("", i);
    ClampIntoRanges<cAnimeSetData>(list[i], kAnimeSetRanges, entry);
    for (std::size_t s = 0; s < list[i].m_vState.size(); ++s)
      ClampAnimeFrames(list[i].m_vState[s].m_vFrame, entry.Element("m_vState", s));
  }
}

void ClampDatabaseRanges(std::vector<cAnimeData>& list, const char* file) {
  const cRangeSource source{file};
  for (std::size_t i = 0; i < list.size(); ++i) ClampAnimeFrames(list[i].m_vFrame, source.Element("", i));
}

void ClampDatabaseRanges(std::vector<cSwordTypeData>& list, const char* file) {
  const cRangeSource source{file};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const cRangeSource entry = source.Element("", i);
    for (std::size_t f = 0; f < list[i].m_vFrame.size(); ++f)
      ClampIntoRanges<cSwordFrame>(list[i].m_vFrame[f], kSwordFrameRanges, entry.Element("m_vFrame", f));
  }
}

void ClampDatabaseRanges(std::vector<cEffectData>& list, const char* file) {
  const cRangeSource source{file};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const cRangeSource entry = source.Element("", i);
    ClampIntoRanges<cEffectData>(list[i], kEffectRanges, entry);
    for (std::size_t f = 0; f < list[i].m_vFrame.size(); ++f)
      ClampIntoRanges<cEffectFrame>(list[i].m_vFrame[f], kEffectFrameRanges, entry.Element("m_vFrame", f));
  }
}

void ClampDatabaseRanges(std::vector<cCharaEffectData>& list, const char* file) {
  ClampKindEffects(list, file, g_CharaEffectParam, CHARA_EFFECT_KINDS);
}

void ClampDatabaseRanges(std::vector<cScrEffectData>& list, const char* file) {
  ClampKindEffects(list, file, g_ScrEffectParam, SCR_EFFECT_KINDS);
}
