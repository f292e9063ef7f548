#include "frontend/save_slots.h"

#include <memory>

#include "app/checked_access.h"
#include "app/message_boxes.h"
#include "data/record/data_file.h"
#include "data/save/progress.h"
#include "media/draw/dd_fill.h"
#include "media/draw/font.h"
#include "platform/win_types.h"

namespace {

// The line between two rows of the slot window.
constexpr DWORD kRuleColour = 240;
constexpr int kRowHeight = 16;

// Reads slot file `path` into `scratch` (given a new game first, as the slot list's
// scratch record is); false unless the whole file was read.
bool ReadSlotFile(const char* path, cProgress& scratch) {
  std::unique_ptr<cDataReader> in = OpenDataFileForRead(path);
  if (!in) return false;
  scratch.NewGame();
  scratch.Read(*in);
  if (in->Damaged()) {
    ReportDamagedFile(path, *in);
    return false;
  }
  return true;
}

}  // namespace

bool IsStorySlot(int nSlot) { return nSlot >= 0 && nSlot < static_cast<int>(g_SlotList.size()); }

int LoadSlotList(std::vector<cSlotInfo>& list) {
  cProgress scratch;
  int used = 0;
  for (int n = 0; n < static_cast<int>(list.size()); ++n) {
    cSlotInfo& slot = CheckedAt(list, n);
    char path[MAX_PATH];
    GetStoryFileName(path, n);
    if (ReadSlotFile(path, scratch)) {
      slot.SetTime(scratch);
      ++used;
    } else {
      slot.m_bUsed = 0;
    }
  }
  return used;
}

void DrawSlotTime(DDSURFACEDATA* lpDst, int x, int y, const cSlotInfo& slot) {
  if (slot.m_bUsed == 0) return;
  const SYSTEMTIME& t = slot.m_SaveTime;
  g_Font[1].DrawTextF(lpDst, x, y, "%04d/%02d/%02d %02d:%02d\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
}

void DrawSlotList(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cSlotInfo>& list, int top, int rows) {
  g_Font[1].DrawWindow(lpDst, x, y, kSlotListWidth, rows * kRowHeight);
  for (int i = 0; i < rows; ++i) {
    const int rowY = y + kRowHeight * i;
    if (i != rows - 1) DDFillRect(lpDst, x, rowY + kRowHeight - 1, kSlotListWidth, 1, kRuleColour);
    const int n = top + i;
    if (list.empty() || n < 0 || n >= static_cast<int>(list.size())) break;
    g_Font[1].DrawTextF(lpDst, x + 16, rowY, "%d", n + 1);
    DrawSlotTime(lpDst, x + 64, rowY, CheckedAt(list, n));
  }
}

int SaveStorySlot(int nSlot) {
  if (g_Progress.SaveSlot(nSlot)) return 1;
  char path[MAX_PATH];
  GetStoryFileName(path, nSlot);
  ErrMesBoxf("セーブデータ %s に書き込めませんでした！", path);
  return 0;
}

int LoadStorySlot(int nSlot) {
  if (g_Progress.LoadSlot(nSlot)) return 1;
  char path[MAX_PATH];
  GetStoryFileName(path, nSlot);
  ErrMesBoxf("セーブデータ %s が読み込めません！", path);
  // The list showed the slot as used when it was read; it is not any more.
  if (IsStorySlot(nSlot)) CheckedAt(g_SlotList, nSlot).m_bUsed = 0;
  return 0;
}
