// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardmovie.h"

#include <QDir>
#include <QFileInfo>

QString BoardMovie(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return path;
    const QDir folder(path);
    const QString program = folder.filePath(ProgramMovieName);
    return QFileInfo::exists(program) ? program : folder.filePath(FolderMovieName);
}
