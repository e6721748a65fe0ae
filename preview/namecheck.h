// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The names a board reads from `board`, as its own files write them: board.<name> and
// board["<name>"] in its QML and JavaScript, comments and other strings left aside, and calls on
// the map itself (board.keys()) too.
struct NameRead
{
    QString name;
    int line = 0;
    bool bracketed = false; // board["name"] rather than board.name
};
QList<NameRead> NamesRead(QStringView code);

// The nearest of the names the program sets, for a name it does not set; none when no name is
// near enough to have been meant.
//   "fouls_a"  #=> "faults_a"    "clok"  #=> "clock"    "colour"  #=> none
QString NearestName(const QString &name);

// One line for each name the board's files (the movie and every QML and JavaScript file in its
// folder and below) read that the program never sets, at its first place:
//   board.fouls_a in board.qml:14 is no name the program sets; did you mean faults_a?
QStringList UnknownNames(const QString &movie);
