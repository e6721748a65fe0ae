// SPDX-License-Identifier: GPL-3.0-or-later
#include "textinspector.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

namespace {

// Below a pixel of the canvas is rounding, not a fault.
constexpr qreal Tolerance = 1;

QString Describe(QQuickItem *text)
{
    QString sample = text->property("text").toString().simplified();
    if (sample.size() > 40)
        sample = sample.first(37) + QStringLiteral("...");
    QString name = text->objectName();
    if (const QQmlContext *context = QQmlEngine::contextForObject(text); name.isEmpty() && context)
        name = context->nameForObject(text);
    return QStringLiteral("Text \"%1\"").arg(sample) +
           (name.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(name));
}

QString Pixels(qreal width, qreal height)
{
    return QStringLiteral("%1 x %2").arg(qRound(width)).arg(qRound(height));
}

// The part of the text that can be seen, in the movie's coordinates: its content as laid out,
// cut by every item around it that clips.
QRectF VisibleContent(QQuickItem *text, QQuickItem *movie)
{
    QRectF visible = text->mapRectToItem(movie, text->boundingRect());
    for (QQuickItem *item = text; item && item != movie; item = item->parentItem()) {
        if (item->clip())
            visible &= item->mapRectToItem(movie, QRectF(0, 0, item->width(), item->height()));
    }
    return visible;
}

void Inspect(QQuickItem *item, QQuickItem *movie, QStringList &findings)
{
    if (!item->inherits("QQuickText") || item->property("text").toString().isEmpty())
        return;
    const qreal contentWidth = item->property("contentWidth").toReal();
    const qreal contentHeight = item->property("contentHeight").toReal();
    const bool elided =
        item->property("elide").toInt() != Qt::ElideNone || item->property("truncated").toBool();
    if (!elided && !item->clip() &&
        (contentWidth > item->width() + Tolerance || contentHeight > item->height() + Tolerance))
        findings.append(Describe(item) + QStringLiteral(": %1 of content in a box of %2")
                                             .arg(Pixels(contentWidth, contentHeight),
                                                  Pixels(item->width(), item->height())));
    const QRectF canvas(0, 0, movie->width(), movie->height());
    const QRectF visible = VisibleContent(item, movie);
    if (!visible.isEmpty() &&
        !canvas.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance).contains(visible)) {
        const QRectF outside = visible.united(canvas);
        findings.append(Describe(item) + QStringLiteral(": leaves the canvas by %1")
                                             .arg(Pixels(outside.width() - canvas.width(),
                                                         outside.height() - canvas.height())));
    }
}

} // namespace

QStringList OverflowingTexts(QQuickItem *movie, int most)
{
    if (!movie)
        return {};
    QStringList findings;
    // Depth first, in the order the items are drawn; a list of its own rather than recursion,
    // since the board decides how deep its items go.
    QList<QQuickItem *> pending{movie};
    while (!pending.isEmpty() && findings.size() < most) {
        QQuickItem *item = pending.takeLast();
        if (!item->isVisible())
            continue;
        Inspect(item, movie, findings);
        const QList<QQuickItem *> children = item->childItems();
        for (qsizetype i = children.size(); i > 0; --i)
            pending.append(children.at(i - 1));
    }
    return findings.mid(0, most);
}
