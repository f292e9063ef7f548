#pragma once
// Effects built only from ordinary blits and fills: frames and boxes, numbers from a digit
// strip, the wave, the interlace, the page turn, the quarter split and the circle. The
// pieces of one effect go into one sprite (or rectangle) batch, drawn with one flush.
// Sizes, bands and radii come from game data: a size of 0 or less draws nothing, and only
// the pieces that can reach the destination are visited, whatever the numbers.
#include "media/draw/dd_surface.h"

// Four fills of thickness t inside the rectangle, in palette number dwPalNum.
void DDDrawFrame(DDSURFACEDATA* lpSD, int x, int y, int w, int h, int t, DWORD dwPalNum);
// The picture from its top left into the rectangle, framed outside by thickness t.
void DDDrawBox(DDSURFACEDATA* lpSD, int x, int y, int w, int h, DDSURFACEDATA* lpPicture, int t, DWORD dwPalNum);
// The decimal digits of nValue, digit d taken from (sx + dw × d, sy) of the strip. With
// fewer digits than nMinDigits the number moves right by the missing width, half of it when
// bCentre is set. A negative value draws 0. The last argument is not used.
void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int dw, int dh, DDSURFACEDATA* lpDigits, int sx, int sy,
                  DWORD dwFlags, int nValue, int nMinDigits, int bCentre, int nUnused = 0);
// Bands of nBand columns (bColumns) or rows, each shifted across by
// amplitude × sin(waves × (phase + angle)) with the angle covering 360 degrees over the
// width (columns) or the height (rows).
void DDWaveBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, double dWaves, double dAmplitude, double dPhase,
               int nBand, DDSURFACEDATA* lpSrc, int sx, int sy, DWORD dwFlags, int bColumns);
// Alternate bands of nBand columns (bColumns) or rows moved apart by nShift: the first band
// down (columns) or right (rows), the next up or left. A band of 0 or less is a plain blit.
void DDInterlaceBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nBand, int nShift, DDSURFACEDATA* lpSrc,
                    int sx, int sy, DWORD dwFlags, int bColumns);
// A page turning between two pictures of sw × sh at (ax, ay) of lpSrcA and (bx, by) of
// lpSrcB: as nProgress runs the face narrows to its centre line and widens again showing the
// other. Direction 0 turns about the vertical line, 1 about the horizontal one; any other
// draws nothing and returns nDirection − 1. The result of the blit, 0 when nothing is drawn.
int DDFlipTransBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrcA, int ax, int ay,
                   DDSURFACEDATA* lpSrcB, int bx, int by, int sw, int sh, DWORD dwFlags, int nProgress,
                   int nDirection);
// The rectangle's four quarters, each pushed diagonally outward by nOffset.
void DDQuarterSplitBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy,
                       int nOffset, DWORD dwFlags);
// The disc of nRadius around (scx, scy) of the source, copied around (cx, cy) in strips of
// nBand rows, limited to nReachX and nReachY either side of the centre. The result of the
// closing flush; 0 for a radius or band of 0 or less.
int DDCircleBlt(DDSURFACEDATA* lpDst, int cx, int cy, int nReachX, int nReachY, int nRadius, int nBand,
                DDSURFACEDATA* lpSrc, int scx, int scy, DWORD dwFlags);
