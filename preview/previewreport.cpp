// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewreport.h"

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

// A section of findings, or nothing when there are none.
QString Findings(const QString &heading, const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    return heading + u":\n"_s + u"  "_s + lines.join(u"\n  "_s) + u'\n';
}

QString HtmlList(const QString &heading, const QStringList &lines)
{
    if (lines.isEmpty())
        return {};
    QString html = u"<h2>"_s + heading.toHtmlEscaped() + u"</h2>\n<ul>\n"_s;
    for (const QString &line : lines)
        html += u"<li>"_s + line.toHtmlEscaped() + u"</li>\n"_s;
    return html + u"</ul>\n"_s;
}

} // namespace

int PreviewReport::exitStatus() const
{
    if (refusal)
        return 2;
    return warnings.isEmpty() && unreadNames.isEmpty() && overflows.isEmpty() ? 0 : 1;
}

QString PreviewReport::text() const
{
    QString out = u"Board: "_s + board + u'\n' + u"Verdict: "_s + Verdict(*this) + u'\n';
    if (loadMs > 0)
        out += u"Load: "_s + Milliseconds(loadMs) + u'\n';
    if (peakBytes > 0)
        out += u"Peak memory of the board's process: "_s + Megabytes(peakBytes) + u'\n';
    for (const State &state : states) {
        QStringList times;
        for (const Picture &picture : state.pictures)
            times.append(picture.size + u' ' + Milliseconds(picture.drawnMs));
        out += u"Drawn, "_s + state.title + u": "_s + times.join(u", "_s) + u'\n';
    }
    out += Findings(u"Texts that overflow"_s, overflows);
    out += Findings(u"Names whose change changes no pixel"_s, unreadNames);
    out += Findings(u"Warnings"_s, warnings);
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
                   u"</style>\n</head>\n<body>\n<h1>"_s +
                   board.toHtmlEscaped() + u"</h1>\n<pre>"_s + text().toHtmlEscaped() +
                   u"</pre>\n"_s;
    html += HtmlList(u"Texts that overflow"_s, overflows);
    if (!states.isEmpty()) {
        html += u"<table>\n"_s;
        for (const State &state : states) {
            html += u"<tr><td>"_s + state.title.toHtmlEscaped() + u"</td>"_s;
            for (const Picture &picture : state.pictures) {
                // The operator window's picture at its own size, the projectors' alike and
                // small; each links to itself at full size.
                const QString file = picture.file.toHtmlEscaped();
                const QString width =
                    picture.size.front().isDigit() ? u" width=\"384\""_s : QString();
                html += u"<td><a href=\""_s + file + u"\"><img loading=\"lazy\" src=\""_s + file +
                        u'"' + width + u" alt=\""_s + picture.size.toHtmlEscaped() + u"\"></a>"_s +
                        picture.size.toHtmlEscaped() + u", "_s + Milliseconds(picture.drawnMs) +
                        u"</td>"_s;
            }
            html += u"</tr>\n"_s;
        }
        html += u"</table>\n"_s;
    }
    return html + u"</body>\n</html>\n"_s;
}
