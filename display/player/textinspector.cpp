// SPDX-License-Identifier: GPL-3.0-or-later
#include "textinspector.h"

#include "boardprotocol.h"

#include <QGlyphRun>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QRawFont>
#include <QTextLayout>
#include <QUrl>

#include <private/qqmldata_p.h>
#include <private/qquicktext_p.h>
#include <private/qquicktext_p_p.h>

using namespace Qt::StringLiterals;

namespace {

// Below a pixel of the canvas is rounding, not a fault.
constexpr qreal Tolerance = 1;
// A text up to this long is quoted whole.
constexpr qsizetype LongestSample = BoardProtocol::Inspection::WholeLength;

// Where the author wrote the Text: its file, relative to the movie's folder, and line.
QString Location(QQuickItem *text, const QUrl &folder)
{
    const QQmlContext *context = qmlContext(text);
    const QQmlData *data = QQmlData::get(text);
    if (!context || !data)
        return u"?"_s;
    const QUrl file = context->baseUrl();
    QString name = file.toString();
    if (name.startsWith(folder.toString()))
        name = name.mid(folder.toString().size());
    return name + u':' + QString::number(data->lineNumber);
}

QString Describe(QQuickItem *text, const QUrl &folder)
{
    QString sample = text->property("text").toString().simplified();
    if (sample.size() > LongestSample)
        sample = sample.first(LongestSample - 3) + u"..."_s;
    QString name = text->objectName();
    if (const QQmlContext *context = QQmlEngine::contextForObject(text); name.isEmpty() && context)
        name = context->nameForObject(text);
    return Location(text, folder) + u": Text \""_s + sample + u'"' +
           (name.isEmpty() ? QString() : u" ("_s + name + u')');
}

// Where a layout starts in the item, as QQuickText places it: at the end, in the centre, or (at
// the start, or justified) at 0.
qreal AlignedOffset(qreal content, qreal room, int alignment, int end, int centre)
{
    if (alignment & end)
        return room - content;
    if (alignment & centre)
        return (room - content) / 2;
    return 0;
}

// What a Text paints: its glyphs' ink as drawn, in the item's coordinates, and how much of its
// text that is.
struct Painted
{
    QRectF ink;
    qsizetype characters = 0;
};

void AddLines(const QTextLayout &layout, int lines, QPointF offset, Painted &painted)
{
    for (int i = 0; i < lines && i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        painted.characters += line.textLength();
        for (const QGlyphRun &run : line.glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < glyphs.size() && g < positions.size(); ++g) {
                const QRectF glyph = font.boundingRect(glyphs.at(g));
                if (!glyph.isEmpty())
                    painted.ink |= glyph.translated(positions.at(g) + offset);
            }
        }
    }
}

Painted PaintedBy(QQuickText *text)
{
    QQuickTextPrivate *d = QQuickTextPrivate::get(text);
    const qreal top =
        text->topPadding() + AlignedOffset(d->layedOutTextRect.height() + d->lineHeightOffset(),
                                           d->availableHeight(), d->vAlign, Qt::AlignBottom,
                                           Qt::AlignVCenter);
    if (d->richText) {
        // Laid out as a document: its lines are the best measure there is.
        const qreal left = text->leftPadding() +
                           AlignedOffset(d->layedOutTextRect.width(), d->availableWidth(),
                                         text->effectiveHAlign(), Qt::AlignRight, Qt::AlignHCenter);
        return {QRectF(left, top, d->layedOutTextRect.width(), d->layedOutTextRect.height()),
                text->text().size()};
    }
    Painted painted;
    if (d->layedOutTextRect.width() <= 0)
        return painted;
    const QPointF offset(text->leftPadding() + AlignedOffset(d->lineWidth, d->availableWidth(),
                                                             text->effectiveHAlign(),
                                                             Qt::AlignRight, Qt::AlignHCenter),
                         top);
    // The lines drawn whole, then the elided one (as QQuickText paints them).
    AddLines(d->layout, d->lineCount - (d->elideLayout ? 1 : 0), offset, painted);
    if (d->elideLayout) {
        AddLines(*d->elideLayout, d->elideLayout->lineCount(), offset, painted);
        painted.characters -= d->elideLayout->text().count(QQuickTextPrivate::elideChar);
    }
    return painted;
}

QString Pixels(qreal length)
{
    return QString::number(qRound(length)) + u" px"_s;
}

// How far `inner` reaches outside `outer` (`of`), edge by edge, in words:
//   "12 px below its box", "30 px past the right edge of its box"
QStringList Beyond(const QRectF &inner, const QRectF &outer, const QString &of)
{
    QStringList edges;
    if (inner.top() < outer.top() - Tolerance)
        edges.append(Pixels(outer.top() - inner.top()) + u" above "_s + of);
    if (inner.bottom() > outer.bottom() + Tolerance)
        edges.append(Pixels(inner.bottom() - outer.bottom()) + u" below "_s + of);
    if (inner.left() < outer.left() - Tolerance)
        edges.append(Pixels(outer.left() - inner.left()) + u" past the left edge of "_s + of);
    if (inner.right() > outer.right() + Tolerance)
        edges.append(Pixels(inner.right() - outer.right()) + u" past the right edge of "_s + of);
    return edges;
}

// The part of `area` (an item's, in the movie's coordinates) that can be seen: cut by every item
// around it that clips.
QRectF Visible(QRectF area, QQuickItem *item, QQuickItem *movie)
{
    for (QQuickItem *around = item; around && around != movie; around = around->parentItem()) {
        if (around->clip())
            area &= around->mapRectToItem(movie, QRectF(0, 0, around->width(), around->height()));
    }
    return area;
}

QString Mend(const QQuickText *text, bool wider, bool taller)
{
    const bool elided = text->elideMode() != QQuickText::ElideNone;
    const bool fits = text->fontSizeMode() != QQuickText::FixedSize;
    if (wider && !elided && !fits)
        return u"elide it (elide: Text.ElideRight), let it shrink (fontSizeMode: "
               u"Text.HorizontalFit) or give it a wider box"_s;
    if (wider && elided && !taller)
        return u"its font is too large for its box to elide even one letter: a smaller font "
               u"(fontSizeMode) or a wider box"_s;
    if (taller && !fits)
        return u"a smaller font, fontSizeMode: Text.Fit to let it shrink, or a taller box"_s;
    return u"a smaller font (minimumPixelSize) or a larger box"_s;
}

void Inspect(QQuickText *text, QQuickItem *movie, const QUrl &folder, QStringList &findings)
{
    if (text->text().isEmpty())
        return;
    const Painted painted = PaintedBy(text);
    const QRectF box(0, 0, text->width(), text->height());
    const QStringList outOfBox =
        painted.ink.isEmpty() ? QStringList() : Beyond(painted.ink, box, u"its box"_s);
    if (!text->clip() && !outOfBox.isEmpty()) {
        const bool wider =
            painted.ink.left() < -Tolerance || painted.ink.right() > box.right() + Tolerance;
        const bool taller =
            painted.ink.top() < -Tolerance || painted.ink.bottom() > box.bottom() + Tolerance;
        findings.append(Describe(text, folder) + u": its glyphs reach "_s + outOfBox.join(u", "_s) +
                        u"; mend: "_s + Mend(text, wider, taller));
    }

    // A longer text (a name of 32,767 characters) may well be cut short.
    const qsizetype whole = text->text().size();
    const QString room = u"; mend: give it room (a wider box, a smaller font, or fontSizeMode: "
                         u"Text.HorizontalFit with a smaller minimumPixelSize)"_s;
    if (whole <= BoardProtocol::Inspection::WholeLength && text->truncated() &&
        painted.characters < whole) {
        const QString how =
            text->elideMode() != QQuickText::ElideNone ? u"elided"_s : u"cut to its lines"_s;
        findings.append(Describe(text, folder) +
                        u": shows only %1 of its %2 characters (%3)"_s.arg(painted.characters)
                            .arg(whole)
                            .arg(how) +
                        room);
    } else if (whole <= BoardProtocol::Inspection::WholeLength && text->clip() &&
               !outOfBox.isEmpty()) {
        findings.append(Describe(text, folder) +
                        u": shows only part of its glyphs (cut off by its clip)"_s + room);
    }

    const QRectF canvas(0, 0, movie->width(), movie->height());
    const QRectF visible = Visible(text->mapRectToItem(movie, painted.ink), text, movie);
    const QStringList offCanvas = Beyond(visible, canvas, u"the canvas"_s);
    if (!visible.isEmpty() && !offCanvas.isEmpty())
        findings.append(Describe(text, folder) + u": its glyphs reach "_s +
                        offCanvas.join(u", "_s) +
                        u", where they are cut off; mend: move it "_s
                        u"inside the canvas or make it smaller"_s);
}

} // namespace

QStringList OverflowingTexts(QQuickItem *movie, int most)
{
    if (!movie)
        return {};
    const QQmlContext *context = qmlContext(movie);
    const QUrl folder = context ? context->baseUrl().resolved(QUrl(u"."_s)) : QUrl();
    QStringList findings;
    // Depth first, in the order the items are drawn; a list of its own rather than recursion,
    // since the board decides how deep its items go.
    QList<QQuickItem *> pending{movie};
    while (!pending.isEmpty() && findings.size() < most) {
        QQuickItem *item = pending.takeLast();
        if (!item->isVisible())
            continue;
        if (auto *text = qobject_cast<QQuickText *>(item))
            Inspect(text, movie, folder, findings);
        const QList<QQuickItem *> children = item->childItems();
        for (qsizetype i = children.size(); i > 0; --i)
            pending.append(children.at(i - 1));
    }
    return findings.mid(0, most);
}
