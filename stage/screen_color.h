#pragma once
// The screen-colour change of the running stage (the screen-colour command). Only its
// cleared state is used until the command and its drawing exist.
#include <cstdint>

class cScreenColor {
 public:
  // Nothing active, value 255 (no tint).
  void Clear() { *this = cScreenColor(); }

  std::int32_t m_bColorSet = 0;
  std::uint8_t m_nRed = 0;
  std::uint8_t m_nGreen = 0;
  std::uint8_t m_nBlue = 0;
  std::int32_t m_nStrength = 0;
  std::int32_t m_bReturn = 0;
  std::int32_t m_nDuration = 0;
  std::int32_t m_bFlash = 0;
  std::int32_t m_nRepeat = 0;
  std::int32_t m_bActive = 0;
  std::int32_t m_nFrame = 0;
  std::int32_t m_nFlashes = 0;
  std::int32_t m_nValue = 255;
  std::uint8_t m_nSavedRed = 0;
  std::uint8_t m_nSavedGreen = 0;
  std::uint8_t m_nSavedBlue = 0;
  std::int32_t m_nSavedStrength = 0;
  std::int32_t m_nSavedValue = 0;
};
