// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviefolder.h"

#include <QFileInfo>

QString MovieFolder(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return QFileInfo(canonical.isEmpty() ? path : canonical).absolutePath();
}
