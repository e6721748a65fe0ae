// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusedfiles.h"

#include "movielimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The mend for each reason the board's process gives.
QString Mend(const QString &reason)
{
    if (reason == u"outside the board's folder")
        return u"copy it into the board's folder and name it from there"_s;
    if (reason == u"a link out of it")
        return u"put the file itself in the folder, not a link to it"_s;
    // "too large (over 8 MiB)", "too large: the board's files together over 32 MiB", ...
    if (reason.startsWith(u"too large") && reason.contains(u"together"))
        return u"make the board's files smaller together: %1 MiB for its QML and script files, "
               u"%2 MiB for all of them"_s.arg(MovieLimits::AllDocumentsBytes / (1024 * 1024))
                   .arg(MovieLimits::AllFilesBytes / (1024 * 1024));
    if (reason.startsWith(u"too large"))
        return u"make it smaller: %1 KiB for a QML or script file, %2 MiB for a picture or font"_s
            .arg(MovieLimits::DocumentBytes / 1024)
            .arg(MovieLimits::OtherBytes / (1024 * 1024));
    if (reason == u"a plugin")
        return u"a board brings no native code: use QtQuick's own items"_s;
    if (reason == u"a network address")
        return u"put a copy in the board's folder and name it from there"_s;
    if (reason == u"not a file")
        return u"name a regular file"_s;
    return {};
}

// The local file a path or address names; empty for another scheme.
QString LocalFile(const QString &path)
{
    const QUrl url(path);
    if (url.isLocalFile())
        return QDir::cleanPath(url.toLocalFile());
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    return {};
}

struct Asker
{
    QUrl file;
    int line = 0;
    QString message;
};

std::optional<Asker> Located(const QString &warning)
{
    // "file:///b/board.qml:12:5: QML Image: Cannot open: ..." (the column may be missing)
    static const QRegularExpression located(u"^((?:file|qrc):.+?):(\\d+)(?::\\d+)?: (.*)$"_s);
    const QRegularExpressionMatch match = located.match(warning);
    if (!match.hasMatch())
        return std::nullopt;
    return Asker{QUrl(match.captured(1)), match.captured(2).toInt(), match.captured(3)};
}

// The strings on a line of one of the board's files, as written there.
QStringList StringsOn(const Asker &asker, const QString &folder)
{
    const QString path = asker.file.toLocalFile();
    if (!asker.file.isLocalFile() || !QFileInfo(path).canonicalFilePath().startsWith(folder))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MovieLimits::DocumentBytes)
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (asker.line < 1 || asker.line > lines.size())
        return {};
    static const QRegularExpression quoted(u"\"((?:[^\"\\\\]|\\\\.)*)\"|'((?:[^'\\\\]|\\\\.)*)'"_s);
    QStringList strings;
    for (auto match = quoted.globalMatch(lines.at(asker.line - 1)); match.hasNext();) {
        const QRegularExpressionMatch next = match.next();
        strings.append(next.captured(1) + next.captured(2));
    }
    return strings;
}

// The string that leads to `target` from the asking file, if any does.
std::optional<QString> Leading(const QStringList &strings, const Asker &asker,
                               const QString &target)
{
    const QString local = LocalFile(target);
    for (const QString &written : strings) {
        const QUrl resolved = asker.file.resolved(QUrl(written));
        if (resolved.toString() == target || (!local.isEmpty() && resolved.isLocalFile() &&
                                              QDir::cleanPath(resolved.toLocalFile()) == local))
            return written;
    }
    return std::nullopt;
}

QString Place(const Asker &asker, const QString &folder)
{
    const QString path = asker.file.toLocalFile();
    const QString shown = asker.file.isLocalFile() && path.startsWith(folder + u'/')
                              ? path.mid(folder.size() + 1)
                              : asker.file.toString();
    return shown + u':' + QString::number(asker.line);
}

} // namespace

QStringList RefusedFiles(const QStringList &warnings, const QString &folder)
{
    // "Scoreboard movie: PATH is refused: REASON", or the older "... is refused (REASON)"
    static const QRegularExpression refusal(
        u"^Scoreboard movie: (.+) is refused(?:: (.+)| \\((.+)\\))$"_s);
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    QList<Asker> askers;
    for (const QString &warning : warnings) {
        if (const std::optional<Asker> asker = Located(warning))
            askers.append(*asker);
    }
    QStringList lines;
    for (const QString &warning : warnings) {
        const QRegularExpressionMatch match = refusal.match(warning);
        if (!match.hasMatch())
            continue;
        const QString path = match.captured(1);
        const QString reason = match.captured(2) + match.captured(3);
        // Where the board asked for it: the engine's warning that names the file, else one whose
        // line leads to it.
        std::optional<QString> asked;
        for (const bool named : {true, false}) {
            for (const Asker &asker : std::as_const(askers)) {
                if (asked || (named && !asker.message.contains(path)))
                    continue;
                const QStringList strings = StringsOn(asker, canonicalFolder);
                const std::optional<QString> written = Leading(strings, asker, path);
                if (named || written)
                    asked = Place(asker, canonicalFolder) + u" asks for \""_s +
                            written.value_or(strings.size() == 1 ? strings.first() : path) + u'"';
            }
        }
        QString line = asked.value_or(u'"' + path + u'"');
        line += u", which is refused: "_s + reason;
        if (const QString mend = Mend(reason); !mend.isEmpty())
            line += u"; "_s + mend;
        if (!lines.contains(line))
            lines.append(line);
    }
    return lines;
}
