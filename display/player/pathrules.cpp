// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathrules.h"

#include <QStringList>

namespace {

// The names Windows gives to devices in every folder, whatever the extension after them:
// "NUL.png" is NUL too. COM and LPT take a digit, or a superscript 1, 2 or 3.
bool IsDeviceName(QStringView name)
{
    // The name up to its first dot, without the spaces Windows drops at its end.
    QStringView base = name.left(name.indexOf(u'.'));
    while (base.endsWith(u' '))
        base.chop(1);
    for (const QStringView device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"}) {
        if (base.compare(device, Qt::CaseInsensitive) == 0)
            return true;
    }
    if (base.size() != 4)
        return false;
    const QStringView port = base.left(3);
    const QChar number = base.at(3);
    return (port.compare(u"COM", Qt::CaseInsensitive) == 0 ||
            port.compare(u"LPT", Qt::CaseInsensitive) == 0) &&
           ((number >= u'0' && number <= u'9') || number == u'\u00b9' || number == u'\u00b2' ||
            number == u'\u00b3');
}

bool IsSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

} // namespace

bool NamesHostOrDevice(QStringView path, const PathRules &rules)
{
    if (!rules.hostsAndDevices)
        return false;
    // Two separators first: a machine's share, or the device space ("//./", "//?/").
    if (path.size() >= 2 && IsSeparator(path.at(0)) && IsSeparator(path.at(1)))
        return true;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path.at(i))) {
            if (IsDeviceName(path.mid(start, i - start)))
                return true;
            start = i + 1;
        }
    }
    return false;
}

bool IsInside(QStringView path, QStringView folder, const PathRules &rules)
{
    if (folder.isEmpty() || !path.startsWith(folder, rules.caseSensitivity))
        return false;
    return path.size() == folder.size() || path.at(folder.size()) == u'/';
}

bool IsAbsolute(QStringView path, const PathRules &rules)
{
    if (!rules.drives)
        return path.startsWith(u'/');
    const auto separator = [&](qsizetype i) { return IsSeparator(path.at(i)); };
    return (path.size() >= 3 && path.at(0).isLetter() && path.at(1) == u':' && separator(2)) ||
           (path.size() >= 2 && separator(0) && separator(1));
}

QString CleanAbsolute(QStringView path, QStringView current, const PathRules &rules)
{
    QString absolute = path.toString();
    if (rules.drives)
        absolute.replace(u'\\', u'/');
    if (rules.drives && absolute.startsWith(u'/') && !IsAbsolute(absolute, rules))
        absolute.prepend(current.left(2));
    else if (!IsAbsolute(absolute, rules))
        absolute = current + u'/' + absolute;
    // What ".." never goes above: "/", under Windows' rules "C:/" or "//".
    qsizetype root = 1;
    if (rules.drives)
        root = absolute.startsWith(u"//") ? 2 : 3;
    QStringList kept;
    for (const QStringView name : QStringView(absolute).mid(root).split(u'/')) {
        if (name == u"..") {
            if (!kept.isEmpty())
                kept.removeLast();
        } else if (!name.isEmpty() && name != u".") {
            kept.append(name.toString());
        }
    }
    return absolute.left(root) + kept.join(u'/');
}

QString PathKey(const QString &path, const PathRules &rules)
{
    return rules.caseSensitivity == Qt::CaseInsensitive ? path.toCaseFolded() : path;
}
