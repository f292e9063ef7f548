#pragma once
// The character-effect runtime: an entry of the CharaEffect database, prepared once per
// direction at start-up, runs a value from a start to an end over a time (once forward,
// once reversed, or there and back, optionally repeating). Every character embeds one;
// the effect's draw handler (chara_effect_draw.h) reads the value and steps it.
#include <cstdint>

class cCharaEffectData;

// Run modes of the effect commands and of a definition's start and defeat effects.
constexpr std::int32_t CHARAFX_RUN_NORMAL = 0;
constexpr std::int32_t CHARAFX_RUN_REVERSE = 1;
constexpr std::int32_t CHARAFX_RUN_BOTH = 2;  // forward, then backward

class cCharaEffect {
 public:
  // Copies the prepared record of entry nId for the direction of nMode (reverse for mode
  // 1), then keeps the id, the mode and the repeat flag; the counter starts at 0.
  void Start(std::int32_t nId, std::int32_t nMode, std::int32_t bRepeat);
  // Back and forth flips the direction; the prepared record of the current direction is
  // copied again.
  void Restart();
  // One frame of progress: 1 when the effect has ended.
  std::int32_t Step();
  // Takes the per-entry values of a prepared record; the run state stays.
  void Load(const cCharaEffect& prepared);
  void Clear();

  // The entry's kind, 0 when no entry is attached.
  [[nodiscard]] std::int32_t Kind() const;
  // Parameter p1..p4 of the entry (0 without an entry).
  [[nodiscard]] std::int32_t Param(int nIndex) const;

  std::int32_t m_nId = 0;                     // entry of the CharaEffect database; 0 none
  const cCharaEffectData* m_pData = nullptr;  // the entry of the current direction's list
  std::int32_t m_nRunMode = 0;
  std::int32_t m_bRepeat = 0;
  std::int32_t m_bReverse = 0;                // the current pass runs reversed
  std::int32_t m_nCounter = 0;
  std::int32_t m_nStart = 0;
  std::int32_t m_nEnd = 0;
  double m_dValue = 0;
  double m_dStep = 0;                         // per frame
  double m_dTimeCount = 0;
  std::int32_t m_nTime = 0;                   // tenths of a second
  std::int32_t m_nPhase = 0;                  // waves: phase in degrees; blinks: frame counter
  std::int32_t m_bToggle = 0;                 // blinks: the sprite is shown (blink) or hidden (translucent)
};

// Fills `record` from CharaEffect entry nIndex for direction 0 (forward) or 1 (reverse).
void PrepareCharaEffect(cCharaEffect& record, int nIndex, int nDirection);
