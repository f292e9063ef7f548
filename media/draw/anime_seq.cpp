#include "media/draw/anime_seq.h"

#include "app/checked_access.h"

void cAnimeSeq::SetTable(const std::int32_t* const* lplpTable) {
  if (lplpTable == nullptr) return;
  m_vTable.clear();
  std::size_t count = 0;
  while (lplpTable[count] != nullptr) ++count;
  m_vTable.resize(count);
  for (std::size_t j = 0; j < count; ++j) {
    const std::int32_t* triple = lplpTable[j];
    std::size_t real = 0;
    while (triple[real * 3] >= 0) ++real;
    std::vector<ANIMEFRAME>& anime = m_vTable[j];
    anime.resize(real + 1);
    for (std::size_t i = 0; i <= real; ++i) {
      const std::int32_t* t = triple + i * 3;
      anime[i] = ANIMEFRAME{t[0], t[1], (t[2] & 0xFF) != 0};
    }
  }
}

const std::vector<ANIMEFRAME>* cAnimeSeq::Current() const {
  if (m_nAnime < 0 || static_cast<std::size_t>(m_nAnime) >= m_vTable.size()) return nullptr;
  return &m_vTable[static_cast<std::size_t>(m_nAnime)];
}

int cAnimeSeq::Set(int nAnime, int bForce) {
  // Without a table there is no current frame to ask, so nothing forbids the start.
  const std::vector<ANIMEFRAME>* anime = Current();
  if (!bForce && anime != nullptr && CheckedAt(*anime, m_nFrame).bNoInterrupt) return 0;
  m_nAnime = nAnime;
  m_nFrame = 0;
  m_nCount = 0;
  return 1;
}

int cAnimeSeq::Change(int nAnime, int bForce) {
  if (nAnime == m_nAnime) return 1;
  return Set(nAnime, bForce);
}

int cAnimeSeq::Update() {
  const std::vector<ANIMEFRAME>* anime = Current();
  if (anime == nullptr) return 0;
  ++m_nCount;
  if (m_nCount >= CheckedAt(*anime, m_nFrame).nDuration) {
    m_nCount = 0;
    // The last element is an end code; an unknown one (the data's "finished" marker) or
    // an animation that is nothing but its end code stays where it is, never past it.
    if (static_cast<std::size_t>(m_nFrame) + 1 < anime->size()) {
      ++m_nFrame;
      const ANIMEFRAME& reached = CheckedAt(*anime, m_nFrame);
      const auto hold = [this] {
        if (m_nFrame > 0) --m_nFrame;
      };
      switch (reached.nPattern) {
        case ANIME_END_SWITCH:
          // A target outside the table would leave nothing to play: hold instead.
          if (reached.nDuration >= 0 && static_cast<std::size_t>(reached.nDuration) < m_vTable.size()) {
            Set(reached.nDuration, 1);
          } else {
            hold();
          }
          break;
        case ANIME_END_LOOP:
          m_nFrame = 0;
          break;
        case ANIME_END_HOLD:
          hold();
          break;
        default:
          break;
      }
    }
  }
  return GetPattern();
}

int cAnimeSeq::GetPattern() const {
  const std::vector<ANIMEFRAME>* anime = Current();
  if (anime == nullptr) return 0;
  return CheckedAt(*anime, m_nFrame).nPattern;
}
