// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewreport.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString Megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'f', 1) + u" MiB"_s;
}

QString Milliseconds(double ms)
{
    return QString::number(ms, 'f', 1) + u" ms"_s;
}

QString Verdict(const PreviewReport &report)
{
    switch (report.exitStatus()) {
    case 0:
        return u"usable"_s;
    case 1:
        return u"usable, with warnings"_s;
    default:
        return u"refused: "_s + report.refusal.value_or(QString());
    }
}

// A picture's costs: "112.9 ms (clock 3.1 ms, point 2.0 ms)".
QString Costs(const PreviewReport::Picture &picture)
{
    QStringList changes;
    if (picture.clockMs)
        changes.append(u"clock "_s + Milliseconds(*picture.clockMs));
    if (picture.pointMs)
        changes.append(u"point "_s + Milliseconds(*picture.pointMs));
    return Milliseconds(picture.drawnMs) +
           (changes.isEmpty() ? QString() : u" ("_s + changes.join(u", "_s) + u')');
}

// The sections of findings, each with its heading, leaving out those without any.
QList<std::pair<QString, QStringList>> Findings(const PreviewReport &report)
{
    QList<std::pair<QString, QStringList>> sections{
        {u"Names the program never sets"_s, report.unknownNames},
        {u"Files refused"_s, report.refusedFiles},
        {u"Texts to mend"_s, report.overflows},
        {u"Names whose change changes no pixel"_s, report.unreadNames},
        {u"Drawing late"_s, report.lateness()},
        {u"Warnings"_s, report.warnings},
    };
    sections.removeIf([](const auto &section) { return section.second.isEmpty(); });
    return sections;
}

} // namespace

std::optional<double> PreviewReport::clockMedianMs(const QString &size) const
{
    QList<double> times;
    for (const State &state : states) {
        for (const Picture &picture : state.pictures) {
            if (picture.size == size && picture.clockMs)
                times.append(*picture.clockMs);
        }
    }
    if (times.isEmpty())
        return std::nullopt;
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

QStringList PreviewReport::lateness() const
{
    // The largest projector: where the board costs most to draw.
    QString size;
    qint64 largest = 0;
    for (const Picture &picture : states.isEmpty() ? QList<Picture>() : states.first().pictures) {
        const qint64 area = qint64(picture.pixels.width()) * picture.pixels.height();
        if (picture.projector && area > largest) {
            largest = area;
            size = picture.size;
        }
    }
    QStringList late;
    for (const State &state : states) {
        for (const Picture &picture : state.pictures) {
            if (state.tenths && picture.size == size && picture.clockMs &&
                *picture.clockMs > LateClockMs)
                late.append(u"%1: a change of the clock alone takes %2 at %3, more than a third of "
                            u"a tenth (%4), so the clock shows late on such a screen; mend: less "
                            u"to redraw where the clock changes (no picture, gradient or "
                            u"transparency under it, fewer items)"_s.arg(
                                state.title, Milliseconds(*picture.clockMs), size,
                                Milliseconds(LateClockMs)));
        }
    }
    return late;
}

int PreviewReport::exitStatus() const
{
    if (refusal)
        return 2;
    return Findings(*this).isEmpty() ? 0 : 1;
}

QString PreviewReport::text() const
{
    QString out = u"Board: "_s + board + u'\n' + u"Verdict: "_s + Verdict(*this) + u'\n';
    if (loadMs > 0)
        out += u"Load: "_s + Milliseconds(loadMs) + u'\n';
    if (peakBytes > 0)
        out += u"Peak memory of the board's process: "_s + Megabytes(peakBytes) + u'\n';
    if (!confinement.isEmpty())
        out += u"Confinement of the board's process by the system:\n  "_s +
               confinement.join(u"\n  "_s) + u'\n';
    if (!states.isEmpty()) {
        out +=
            u"Drawn: the whole picture, then (on projectors) after a change of the clock "
            u"alone and of a point alone, redrawn as the program redraws: only what changed.\n"_s;
    }
    for (const State &state : states) {
        QStringList pictures;
        for (const Picture &picture : state.pictures)
            pictures.append(picture.size + u' ' + Costs(picture));
        out += u"Drawn, "_s + state.title + u": "_s + pictures.join(u"; "_s) + u'\n';
    }
    if (!states.isEmpty()) {
        QStringList medians;
        for (const Picture &picture : states.first().pictures) {
            if (const std::optional<double> clock = clockMedianMs(picture.size))
                medians.append(picture.size + u' ' + Milliseconds(*clock));
        }
        if (!medians.isEmpty())
            out += u"A change of the clock, the median of the states: "_s + medians.join(u", "_s) +
                   u" (late on the screen above "_s + Milliseconds(LateClockMs) + u")\n"_s;
    }
    for (const auto &[heading, lines] : Findings(*this))
        out += heading + u":\n  "_s + lines.join(u"\n  "_s) + u'\n';
    return out;
}

QString PreviewReport::html() const
{
    QString html = u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"_s
                   u"<title>Preview of "_s +
                   board.toHtmlEscaped() +
                   u"</title>\n<style>\n"_s
                   u"body { font-family: sans-serif; background: #222; color: #eee; }\n"_s
                   u"td { vertical-align: top; padding: 6px; }\n"_s
                   u"img { border: 1px solid #555; display: block; }\n"_s
                   u"img.small { image-rendering: pixelated; }\n"_s
                   u"</style>\n</head>\n<body>\n<h1>"_s +
                   board.toHtmlEscaped() + u"</h1>\n<pre>"_s + text().toHtmlEscaped() +
                   u"</pre>\n"_s;
    if (!states.isEmpty()) {
        html += u"<table>\n"_s;
        for (const State &state : states) {
            html += u"<tr><td>"_s + state.title.toHtmlEscaped() + u"</td>"_s;
            for (const Picture &picture : state.pictures) {
                // The operator window's picture at twice its size, its pixels as they are, beside
                // the projectors' made small; each links to itself at full size.
                const QString file = picture.file.toHtmlEscaped();
                const QString size = picture.projector
                                         ? u" width=\"384\""_s
                                         : u" class=\"small\" width=\"%1\" height=\"%2\""_s
                                               .arg(2 * picture.pixels.width())
                                               .arg(2 * picture.pixels.height());
                html += u"<td><a href=\""_s + file + u"\"><img loading=\"lazy\" src=\""_s + file +
                        u'"' + size + u" alt=\""_s + picture.size.toHtmlEscaped() + u"\"></a>"_s +
                        picture.size.toHtmlEscaped() + u", "_s + Costs(picture).toHtmlEscaped() +
                        u"</td>"_s;
            }
            html += u"</tr>\n"_s;
        }
        html += u"</table>\n"_s;
    }
    return html + u"</body>\n</html>\n"_s;
}
