#pragma once
// The story save slots as the title's "continue" and the world-map menu offer them: the
// slot list read from the slot files, its window, and the save and the load of a slot
// with a box that tells the player when either failed.
//
// A slot counts as used only when its file was read whole: a missing, damaged or newer
// file shows as an empty slot. A failed save or load leaves the game in memory and the
// slot's file as they were.
#include <vector>

#include "data/save/slot_list.h"

struct DDSURFACEDATA;

// Visible rows of a slot list.
constexpr int kSlotListRows = 10;
// Width of the slot window in dots.
constexpr int kSlotListWidth = 320;

// A slot number of g_SlotList. The progress record's slot number comes from a save file,
// so a damaged one may name none; the menus then treat the game as never saved.
bool IsStorySlot(int nSlot);

// Fills every entry of `list` from slot file n (entry n): used with the file's save time
// when the file was read whole, else empty. Returns the number of used slots.
int LoadSlotList(std::vector<cSlotInfo>& list);

// "YYYY/MM/DD hh:mm" of a used slot in the 16-dot font at (x, y); nothing for an empty one.
void DrawSlotTime(DDSURFACEDATA* lpDst, int x, int y, const cSlotInfo& slot);

// The slot window at (x, y): `rows` rows of 16 dots from slot `top` on, each with its
// slot number and save time, ruled apart; the first column is left for the cursor.
void DrawSlotList(DDSURFACEDATA* lpDst, int x, int y, const std::vector<cSlotInfo>& list, int top, int rows);

// Saves g_Progress to slot `nSlot`. 1 when written; 0 after a box saying the save failed
// (the slot's file, its entry in g_SlotList and the game in memory stay as they were).
int SaveStorySlot(int nSlot);

// Loads slot `nSlot` into g_Progress. 1 when loaded; 0 after a box saying the slot could
// not be read (the game in memory stays as it was) and the slot's entry in g_SlotList is
// then shown empty.
int LoadStorySlot(int nSlot);
