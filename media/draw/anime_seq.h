#pragma once
// Frame animation player embedded in game objects: a table of animations, each a list of
// frames {pattern, ticks, no-interrupt}, stepped once per tick.
#include <cstdint>
#include <vector>

// End codes: the pattern of the frame after an animation's last real frame.
constexpr std::int32_t ANIME_END_HOLD = -1;    // stay on the last real frame
constexpr std::int32_t ANIME_END_LOOP = -2;    // continue with frame 0
constexpr std::int32_t ANIME_END_SWITCH = -3;  // start the animation named by the duration

struct ANIMEFRAME {
  std::int32_t nPattern;   // sprite pattern; negative: an end code
  std::int32_t nDuration;  // ticks; for ANIME_END_SWITCH the animation to start
  bool bNoInterrupt;       // Set/Change without force are refused on this frame
};

class cAnimeSeq {
 public:
  // lplpTable: null-terminated list of animations, each a run of int32 triples
  // {pattern, duration, no-interrupt} ending with (and keeping) the first triple whose
  // pattern is negative. Null leaves the table as it is.
  void SetTable(const std::int32_t* const* lplpTable);
  // Starts nAnime from frame 0; refused (0) on a no-interrupt frame unless bForce.
  int Set(int nAnime, int bForce);
  // As Set, but an animation that is already current keeps running (1).
  int Change(int nAnime, int bForce);
  // One tick; returns the pattern to draw.
  int Update();
  int GetPattern() const;

  int GetAnime() const { return m_nAnime; }
  // Animations in the table.
  int GetAnimeCount() const { return static_cast<int>(m_vTable.size()); }
  int GetFrame() const { return m_nFrame; }
  // Counts `nTicks` more ticks on the current frame, as if it had been shown that long
  // (a flow's timeline starts an animation some frames in).
  void AddTicks(int nTicks) { m_nCount += nTicks; }

 private:
  // The current animation, or null when the table is empty or the current number lies
  // outside it: callers then draw pattern 0 instead of closing the game.
  const std::vector<ANIMEFRAME>* Current() const;

  std::vector<std::vector<ANIMEFRAME>> m_vTable;
  std::int32_t m_nAnime = 0;
  std::int32_t m_nFrame = 0;
  std::int32_t m_nCount = 0;
};
