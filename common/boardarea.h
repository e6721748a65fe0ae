// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The board area of the operator window: the display control's designed rectangle, in twips
// (see twips.h). A board is drawn this large in the windowed layout.
namespace BoardArea {
inline constexpr double Left = 2955;
inline constexpr double Top = 450;
inline constexpr double Width = 3430;
inline constexpr double Height = 2565;
} // namespace BoardArea
