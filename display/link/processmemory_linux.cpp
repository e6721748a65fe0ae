// SPDX-License-Identifier: GPL-3.0-or-later
// The resident pages that /proc/<pid>/statm gives.
#include "processmemory.h"

#include <QFile>

#include <unistd.h>

qint64 MemoryInUse(qint64 processId)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(processId));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}
