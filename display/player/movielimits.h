// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much of a scoreboard movie is read. The engine compiles some documents in time that grows
// with the square of their size (64 KiB of sibling items take about a second, 4 MiB many
// minutes), so a document is held to what a scoreboard needs: our movie's largest is 4 KB.
namespace MovieLimits {
// One document or script (brevanto.dll and each of its parts).
inline constexpr qint64 DocumentBytes = 64 * 1024;
// All the documents and scripts of a movie together.
inline constexpr qint64 MovieBytes = 1024 * 1024;
// Any other file of the movie's, a picture say.
inline constexpr qint64 OtherBytes = 8 * 1024 * 1024;
} // namespace MovieLimits
