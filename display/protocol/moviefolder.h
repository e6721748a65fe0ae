// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder a movie's files are read from: that of the file `path` names once links are
// followed (an alternative's link names the board, whose parts lie beside the file linked to).
//   "/boards/current.qml", a link to "/boards/club/board.qml"  #=> "/boards/club"
//   "/boards/gone/board.qml", missing                          #=> "/boards/gone"
QString MovieFolder(const QString &path);
