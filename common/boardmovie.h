// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The names a board's movie goes by: beside the program brevanto.dll, a name kept from its first
// days; in the gallery and in a board's own folder board.qml.
inline const QString ProgramMovieName = QStringLiteral("brevanto.dll");
inline const QString FolderMovieName = QStringLiteral("board.qml");

// The movie a board's path names: a file is its own movie; a folder's is its brevanto.dll, the
// movie the program plays from that folder, or else its board.qml.
//   "ourclub/"  #=> "ourclub/board.qml"    "/opt/brevanto"  #=> "/opt/brevanto/brevanto.dll"
QString BoardMovie(const QString &path);
