// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardlaunch.h"

using namespace Qt::StringLiterals;

// Nothing that tells Qt or the system's loader where to find code or modules, or what to allow
// (QT_*, QML_*, QML2_IMPORT_PATH, LD_*): the process sets what it needs itself.
QProcessEnvironment BoardLaunch::Environment(const QProcessEnvironment &console,
                                             const QStringList &systemNames)
{
    static const QStringList Kept = {u"LANG"_s,         u"LANGUAGE"_s,      u"TZ"_s,
                                     u"ASAN_OPTIONS"_s, u"UBSAN_OPTIONS"_s, u"LSAN_OPTIONS"_s,
                                     u"TSAN_OPTIONS"_s};
    QProcessEnvironment board;
    for (const QString &name : console.keys()) {
        if (name.startsWith(u"LC_"_s) || Kept.contains(name) ||
            systemNames.contains(name, Qt::CaseInsensitive))
            board.insert(name, console.value(name));
    }
    return board;
}
