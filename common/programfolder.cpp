// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

QString ProgramFolder()
{
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    // Only the root folder ends in a separator; dropping it keeps the joined name single-slashed.
    if (folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder;
}

QString ProgramFile(const QString &name)
{
    // A name written with its separator in front ("\help.html") is taken as the bare name.
    qsizetype start = 0;
    while (start < name.size() && (name[start] == u'/' || name[start] == u'\\'))
        ++start;
    return ProgramFolder() + QDir::separator() + QStringView(name).sliced(start);
}
