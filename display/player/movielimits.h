// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// How much of a scoreboard movie is read, by what each file is used for, whatever reads it. The
// engine compiles some documents in time that grows with the square of their size (64 KiB of
// sibling items take about a second, 4 MiB many minutes), so a document is held to what a
// scoreboard needs: our movie's largest is 4 KB. Every byte read is kept in memory for the
// board's life, so all of them together are held to a budget.
namespace MovieLimits {
// One document or script: the movie, a part, a .js or .mjs file, a qmldir.
inline constexpr qint64 DocumentBytes = 64 * 1024;
// All the documents and scripts of a movie together, the movie not counted.
inline constexpr qint64 AllDocumentsBytes = 1024 * 1024;
// Any other file of the movie's, a picture or a font say.
inline constexpr qint64 OtherBytes = 8 * 1024 * 1024;
// Every file of the movie's together, each counted once however often it is read.
inline constexpr qint64 AllFilesBytes = 32 * 1024 * 1024;
} // namespace MovieLimits
