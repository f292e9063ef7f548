#pragma once
// Number of entries of the colour-blend table g_ColorBlend of the drawing layer: the
// range of a character's invincibility tint. Stand-in until the drawing layer's colour
// header provides the table.
constexpr int kColorBlendCount = 10;
