// SPDX-License-Identifier: GPL-3.0-or-later
#include "namecheck.h"

#include "boardvariables.h"
#include "movielimits.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;

namespace {

struct Token
{
    enum Kind
    {
        Name,
        String,
        Mark,
    };
    Kind kind;
    QStringView text; // a string's contents, without its quotes
    int line;
};

bool StartsName(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'$';
}

bool InName(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Whether a '/' after this token begins a regular expression rather than a division.
bool RegExpMayFollow(const QList<Token> &tokens)
{
    if (tokens.isEmpty())
        return true;
    const Token &last = tokens.last();
    return last.kind == Token::Mark && !(last.text == u")" || last.text == u"]");
}

// QML and JavaScript cut into names, strings and single marks; comments, numbers and regular
// expressions dropped. Enough to find the names read from `board`, not a parser.
QList<Token> Tokens(QStringView code)
{
    QList<Token> tokens;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = code.size();
    const auto skipTo = [&](QStringView end) {
        while (i < n && !code.sliced(i).startsWith(end)) {
            line += code.at(i) == u'\n' ? 1 : 0;
            ++i;
        }
        i = std::min(n, i + end.size());
    };
    while (i < n) {
        const QChar c = code.at(i);
        if (c == u'\n') {
            ++line;
            ++i;
        } else if (c.isSpace()) {
            ++i;
        } else if (code.sliced(i).startsWith(u"//")) {
            while (i < n && code.at(i) != u'\n')
                ++i;
        } else if (code.sliced(i).startsWith(u"/*")) {
            i += 2;
            skipTo(u"*/");
        } else if (c == u'"' || c == u'\'' || c == u'`' || (c == u'/' && RegExpMayFollow(tokens))) {
            const int startLine = line;
            const qsizetype start = ++i;
            while (i < n && code.at(i) != c && (c == u'`' || code.at(i) != u'\n')) {
                if (code.at(i) == u'\\')
                    ++i;
                else if (code.at(i) == u'\n')
                    ++line;
                ++i;
            }
            if (c != u'/')
                tokens.append(
                    {Token::String, code.sliced(start, std::min(i, n) - start), startLine});
            ++i;
        } else if (StartsName(c)) {
            const qsizetype start = i;
            while (i < n && InName(code.at(i)))
                ++i;
            tokens.append({Token::Name, code.sliced(start, i - start), line});
        } else if (c.isDigit()) {
            while (i < n && (InName(code.at(i)) || code.at(i) == u'.'))
                ++i;
        } else {
            tokens.append({Token::Mark, code.sliced(i, 1), line});
            ++i;
        }
    }
    return tokens;
}

int EditDistance(QStringView a, QStringView b)
{
    QList<int> row(b.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool IsSet(const QString &name)
{
    return std::find(BoardNames.cbegin(), BoardNames.cend(), name) != BoardNames.cend();
}

// The board's code: the movie first, then its folder's QML and JavaScript files in order, each
// and all together no more than the program would read.
QList<std::pair<QString, QString>> BoardCode(const QString &movie)
{
    const QFileInfo movieInfo(movie);
    const QString canonical = movieInfo.canonicalFilePath();
    const QDir folder = QFileInfo(canonical.isEmpty() ? movie : canonical).absoluteDir();
    QStringList files;
    QDirIterator found(folder.path(), {u"*.qml"_s, u"*.js"_s, u"*.mjs"_s}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (found.hasNext()) {
        const QString file = found.next();
        if (QFileInfo(file).canonicalFilePath() != canonical)
            files.append(file);
    }
    std::sort(files.begin(), files.end());
    files.prepend(movie);
    QList<std::pair<QString, QString>> code;
    qint64 read = 0;
    for (const QString &path : std::as_const(files)) {
        QFile file(path);
        if (file.size() > MovieLimits::DocumentBytes ||
            read + file.size() > MovieLimits::AllDocumentsBytes || !file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.read(MovieLimits::DocumentBytes);
        read += bytes.size();
        const QString name = path == movie ? movieInfo.fileName() : folder.relativeFilePath(path);
        code.append({name, QString::fromUtf8(bytes)});
    }
    return code;
}

} // namespace

QList<NameRead> NamesRead(QStringView code)
{
    const QList<Token> tokens = Tokens(code);
    QList<NameRead> names;
    for (qsizetype i = 0; i + 2 < tokens.size(); ++i) {
        const Token &token = tokens.at(i);
        if (token.kind != Token::Name || token.text != u"board" ||
            (i > 0 && tokens.at(i - 1).kind == Token::Mark && tokens.at(i - 1).text == u"."))
            continue;
        qsizetype next = i + 1;
        // board?.name reads as board.name
        if (tokens.at(next).text == u"?" && tokens.at(next).kind == Token::Mark)
            ++next;
        if (next + 1 >= tokens.size())
            continue;
        const Token &mark = tokens.at(next);
        const Token &name = tokens.at(next + 1);
        const bool called = next + 2 < tokens.size() && tokens.at(next + 2).text == u"(";
        if (mark.kind == Token::Mark && mark.text == u"." && name.kind == Token::Name && !called)
            names.append({name.text.toString(), name.line, false});
        else if (mark.kind == Token::Mark && mark.text == u"[" && name.kind == Token::String &&
                 next + 2 < tokens.size() && tokens.at(next + 2).text == u"]")
            names.append({name.text.toString(), name.line, true});
    }
    return names;
}

QString NearestName(const QString &name)
{
    QString nearest;
    int best = std::max<int>(2, int(name.size()) / 3) + 1;
    for (const QString &set : BoardNames) {
        const int distance = EditDistance(name.toLower(), set);
        if (distance < best) {
            best = distance;
            nearest = set;
        }
    }
    return nearest;
}

QStringList UnknownNames(const QString &movie)
{
    struct Place
    {
        QString written;
        QString where;
        int more = 0;
    };
    QMap<QString, Place> unknown;
    QStringList order;
    for (const auto &[file, code] : BoardCode(movie)) {
        for (const NameRead &read : NamesRead(code)) {
            if (IsSet(read.name))
                continue;
            if (const auto known = unknown.find(read.name); known != unknown.end()) {
                ++known->more;
                continue;
            }
            const QString written =
                read.bracketed ? u"board[\"%1\"]"_s.arg(read.name) : u"board."_s + read.name;
            unknown.insert(read.name, {written, file + u':' + QString::number(read.line)});
            order.append(read.name);
        }
    }
    QStringList lines;
    for (const QString &name : std::as_const(order)) {
        const Place &place = unknown.value(name);
        QString line = place.written + u" in "_s + place.where;
        if (place.more > 0)
            line += u" (and %1 more)"_s.arg(place.more);
        line += u" is no name the program sets"_s;
        if (name == BoardName::Minutes || name == BoardName::Seconds ||
            name == BoardName::Milliseconds)
            line += u"; the program reads the clock's value, it never sets it: show board.clock"_s;
        else if (const QString nearest = NearestName(name); !nearest.isEmpty())
            line += u"; did you mean "_s + nearest + u'?';
        lines.append(line);
    }
    return lines;
}
