// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The files the board's process refused the board, found in its warnings: a refusal
//   Scoreboard movie: file:///elsewhere/x.png is refused: outside the board's folder
// paired with the engine's warning that names the same file and where the board asked for it
//   file:///b/board.qml:12:5: QML Image: Cannot open: file:///elsewhere/x.png
// (or, should the engine not name it, whose line names a path that leads there). One line each,
// with the path as the board writes it, the reason in the contract's words, and the mend:
//   board.qml:12 asks for "/elsewhere/x.png", which is refused: outside the board's folder;
//   copy it into the board's folder and name it from there
// `folder` is the board's folder, whose files the lines are read from.
QStringList RefusedFiles(const QStringList &warnings, const QString &folder);
