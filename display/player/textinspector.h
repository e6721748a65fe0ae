// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QQuickItem;

// The texts of a movie that a board author would want mended, judged by what they paint (their
// glyphs as drawn, elided text included) rather than by their line boxes. For each visible Text,
// with the file and line that made it:
// - glyphs that reach outside its box, with the mend;
// - visible glyphs that leave the design canvas (the movie's root);
// - a text that must be shown whole (up to Inspection::WholeLength characters) shown only in
//   part: elided, cut to its lines, or cut off by its clip.
// One line each, at most `most` of them, and in the canvas's units:
//   parts/Team.qml:12: Text "101:40" (clock): its glyphs reach 12 px below its box; mend: ...
//   board.qml:30: Text "WWWWWWWWWWMMMMMMMMMMWWWWWWWWWWMMMMMMMMMM" (name_a): shows only 17 of its
//   40 characters (elided); mend: ...
QStringList OverflowingTexts(QQuickItem *movie, int most);
