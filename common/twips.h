// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtMath>

// Positions and sizes are designed in twips; 15 twips are one device-independent pixel, and
// Qt scales device-independent pixels for high-DPI screens by itself.
inline constexpr int TwipsPerPixel = 15;

//   2955  #=> 197      3430  #=> 229 (228.67 rounded)      -210  #=> -14
inline int TwipsToPixels(double twips)
{
    return qRound(twips / TwipsPerPixel);
}

inline double PixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}
