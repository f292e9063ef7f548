#pragma once
// Names of the values of some system settings, in the order of the authoring tool's
// choice lists. Each table ends with one empty text. Nothing in the player reads them.

// m_bFullColor: 0 256 colours with a palette, 1 24-bit colour.
extern const char* const PictureColorLabels[3];
// m_nDepthDD: 0 32 bits, 1 16 bits, 2 8 bits.
extern const char* const DepthLabelsDD[4];
// m_nDepthD3D: 0 32 bits, 1 16 bits.
extern const char* const DepthLabelsD3D[3];
// A colour choice: none, white, black, red, green, blue, yellow, magenta, violet, four colours.
extern const char* const ColorNames[11];
// A four-way choice: front, back, up, down.
extern const char* const SideNames[5];
