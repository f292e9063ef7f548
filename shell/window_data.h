#pragma once
// Where the player's window was and how large it was (user_data\Window.dat), kept by the
// windowed modes when the program closes and used at the next start. A damaged file is
// reported and leaves the defaults; the window then opens where start-up centres it.
#include <cstdint>

#include "data/record/data_record.h"

// File layout: the version header, the member count, then x, y, width, height and the
// maximised flag as int32.
class cWindowData : public cDataRecord {
 public:
  cWindowData();

  // The body; a damaged or short body leaves the record as it was. The position is
  // clamped into the screen, so a window stored on a display that is gone comes back.
  void Read(cDataReader& in) override;
  void Set(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, std::int32_t maximized);

  std::int32_t m_nX = 0;
  std::int32_t m_nY = 0;
  std::int32_t m_nWidth = 0;   // client size
  std::int32_t m_nHeight = 0;
  std::int32_t m_bMaximized = 0;

 protected:
  void RegisterMembers(int version) override;
};

extern cWindowData g_WindowData;
