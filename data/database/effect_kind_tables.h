#pragma once
// The kinds of character effects (CharaEffect database) and screen effects (ScrEffect
// database): what each of the five parameters of a kind means, its range and its default,
// and the names and speed notes of the kinds. Descriptor (kind, slot) is element
// kind × 5 + slot; kind 0 ("none") has five empty slots. The names and notes tables end
// with an extra "".
#include <cstdint>

// One parameter descriptor; a slot the kind does not use has the name "" and 0, 0, 0.
struct EFFECTPARAM {
  constexpr EFFECTPARAM() = default;
  constexpr EFFECTPARAM(const char* name, std::int16_t min, std::int16_t max, std::int16_t def)
      : m_strName(name), m_nMin(min), m_nMax(max), m_nDefault(def) {}

  const char* m_strName = "";  // CP932 label
  std::int16_t m_nMin = 0;
  std::int16_t m_nMax = 0;
  std::int16_t m_nDefault = 0;
};

constexpr int EFFECT_PARAM_SLOTS = 5;
constexpr int CHARA_EFFECT_KINDS = 17;  // kinds 0 to 16
constexpr int SCR_EFFECT_KINDS = 14;    // kinds 0 to 13

extern const EFFECTPARAM g_CharaEffectParam[CHARA_EFFECT_KINDS * EFFECT_PARAM_SLOTS];
extern const EFFECTPARAM g_ScrEffectParam[SCR_EFFECT_KINDS * EFFECT_PARAM_SLOTS];

// Names and speed notes of kinds 1 to 16 (13 for screen effects), then "". A note has two
// lines: "Direct3D有効時：…" and "Direct3D無効時：…".
extern const char* const g_CharaEffectName[CHARA_EFFECT_KINDS];
extern const char* const g_CharaEffectNote[CHARA_EFFECT_KINDS];
extern const char* const g_ScrEffectName[SCR_EFFECT_KINDS];
extern const char* const g_ScrEffectNote[SCR_EFFECT_KINDS];
