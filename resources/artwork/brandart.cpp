// SPDX-License-Identifier: GPL-3.0-or-later
#include "brandart.h"

#include "clockmark.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSvgGenerator>
#include <array>

using namespace Qt::StringLiterals;

namespace {

const QColor navy(0, 0, 128); // the drag strip's colour, so logo and window belong together
const QColor amber(255, 179, 0);

ClockColours markColours()
{
    return {amber, QColor(252, 252, 248), QColor(10, 20, 70), QColor(10, 20, 70),
            QColor(230, 40, 30)};
}

// The wordmark's face at the largest pixel size, up to `maxPixels`, at which `text` fits `width`.
QFont fittedFont(const QString &text, qreal width, int maxPixels, int weight)
{
    QFont font(u"DejaVu Sans"_s);
    font.setStretch(QFont::SemiCondensed);
    font.setWeight(QFont::Weight(weight));
    for (int pixels = maxPixels; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            break;
    }
    return font;
}

QFont spacedCaps(int pixels, qreal spacing)
{
    QFont font(u"DejaVu Sans"_s);
    font.setPixelSize(pixels);
    font.setWeight(QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

// Width of `text` in seven-segment digits `height` high: a digit is 0.55 of the height, a colon
// 0.13, with 0.14 between characters.
qreal segmentsWidth(qreal height, const QString &text)
{
    qreal width = 0;
    for (QChar c : text)
        width += height * ((c == u':' ? 0.13 : 0.55) + 0.14);
    return text.isEmpty() ? 0 : width - height * 0.14;
}

// Seven-segment digits as the board draws them, centred on `centre`: lit segments over faint
// unlit ones. Segments a to g are bits 0 to 6; ':' draws two dots.
void paintSegments(QPainter &painter, QPointF centre, qreal height, const QString &text,
                   const QColor &lit)
{
    static constexpr std::array<int, 10> patterns = {0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                     0x6d, 0x7d, 0x07, 0x7f, 0x6f};
    const qreal width = height * 0.55, thick = height * 0.13, gap = thick * 0.12;
    QColor ghost = lit;
    ghost.setAlphaF(0.12f);

    // A bar between two points, pointed at both ends.
    auto bar = [&](QPointF from, QPointF to) {
        const bool across = from.y() == to.y();
        const QPointF along = across ? QPointF(1, 0) : QPointF(0, 1);
        const QPointF side = across ? QPointF(0, thick / 2) : QPointF(thick / 2, 0);
        const QPointF a = from + along * gap, b = to - along * gap;
        const qreal half = thick / 2;
        return QPolygonF({a, a + along * half + side, b - along * half + side, b,
                          b - along * half - side, a + along * half - side});
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QPointF at = centre - QPointF(segmentsWidth(height, text) / 2, height / 2);
    for (QChar c : text) {
        if (c == u':') {
            painter.setBrush(lit);
            const qreal dot = thick;
            painter.drawRect(QRectF(at.x(), at.y() + height * 0.28, dot, dot));
            painter.drawRect(QRectF(at.x(), at.y() + height * 0.64, dot, dot));
            at.rx() += dot + height * 0.14;
            continue;
        }
        const int pattern = c.isDigit() ? patterns[size_t(c.digitValue())] : 0;
        const qreal x0 = at.x() + thick / 2, x1 = at.x() + width - thick / 2;
        const qreal y0 = at.y() + thick / 2, ym = at.y() + height / 2,
                    y1 = at.y() + height - thick / 2;
        const std::array<QPolygonF, 7> segments = {bar({x0, y0}, {x1, y0}), bar({x1, y0}, {x1, ym}),
                                                   bar({x1, ym}, {x1, y1}), bar({x0, y1}, {x1, y1}),
                                                   bar({x0, ym}, {x0, y1}), bar({x0, y0}, {x0, ym}),
                                                   bar({x0, ym}, {x1, ym})};
        for (size_t s = 0; s < segments.size(); ++s) {
            painter.setBrush(pattern & (1 << s) ? lit : ghost);
            painter.drawPolygon(segments[s]);
        }
        at.rx() += width + height * 0.14;
    }
    painter.restore();
}

// The night sky behind the splash and the installer's side picture, a glow at `glowCentre`.
void paintSky(QPainter &painter, const QRectF &area, QPointF glowCentre, qreal glowRadius)
{
    QLinearGradient sky(0, area.top(), 0, area.bottom());
    sky.setColorAt(0, QColor(14, 28, 92));
    sky.setColorAt(1, QColor(2, 4, 16));
    painter.fillRect(area, sky);
    QRadialGradient glow(glowCentre, glowRadius);
    glow.setColorAt(0, QColor(80, 130, 255, 90));
    glow.setColorAt(1, QColor(80, 130, 255, 0));
    painter.fillRect(area, glow);
}

// A lit board's frame, dark on the sky.
void paintBoardFrame(QPainter &painter, const QRectF &box)
{
    painter.setPen(QPen(QColor(60, 80, 140), 1));
    painter.setBrush(QColor(0, 0, 0, 200));
    painter.drawRoundedRect(box, 6, 6);
}

// The logo's plate at `size`: the clock mark and the wordmark on navy, laid out on the logo's
// 161 x 63 and scaled to the height.
QImage logoPlate(QSize size)
{
    const qreal u = size.height() / 63.0, width = size.width();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient plate(0, 0, 0, size.height());
    plate.setColorAt(0, navy.lighter(190));
    plate.setColorAt(1, navy.darker(150));
    painter.fillRect(image.rect(), plate);
    painter.fillRect(QRectF(0, size.height() - 3 * u, width, 3 * u), amber);

    paintClockMark(painter, QRectF(5 * u, 6 * u, 48 * u, 48 * u), markColours());

    const QString word = u"Brevanto"_s;
    const QRectF words(57 * u, 6 * u, width - 61 * u, 34 * u);
    painter.setFont(fittedFont(word, words.width(), int(30 * u), QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(words, Qt::AlignLeft | Qt::AlignBottom, word);

    painter.setFont(spacedCaps(int(9 * u), 1.6 * u));
    painter.setPen(amber);
    painter.drawText(QRectF(58 * u, 42 * u, width - 61 * u, 14 * u),
                     Qt::AlignLeft | Qt::AlignVCenter, u"SCOREBOARD"_s);
    return image;
}

// Where the wordmark's three lines stand: the name fitted to `nameFit` (width, largest size),
// "SCOREBOARD" beneath it and the tagline last, all aligned alike.
struct WordmarkPlaces
{
    QRectF name;
    QRectF caps;
    QRectF tagline;
    Qt::Alignment horizontal;
    QSize nameFit;
};

void paintWordmark(QPainter &painter, const WordmarkPlaces &places)
{
    const QString word = u"Brevanto"_s;
    painter.setFont(fittedFont(word, places.nameFit.width(), places.nameFit.height(), QFont::Bold));
    painter.setPen(Qt::white);
    painter.drawText(places.name, places.horizontal | Qt::AlignBottom, word);
    painter.setFont(spacedCaps(10, 1.2));
    painter.setPen(amber);
    painter.drawText(places.caps, places.horizontal | Qt::AlignVCenter, u"SCOREBOARD"_s);
    QFont tagline(u"DejaVu Sans"_s);
    tagline.setPixelSize(10);
    painter.setFont(tagline);
    painter.setPen(QColor(190, 205, 240));
    painter.drawText(places.tagline, places.horizontal | Qt::AlignVCenter,
                     u"Every second on the board."_s);
}

} // namespace

QImage clockIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintClockMark(painter, QRectF(0, 0, side, side), iconColours());
    return image;
}

QByteArray clockIconSvg()
{
    constexpr int side = 256; // the largest bitmap icon; the view box makes it scale freely
    QBuffer svg;
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(side, side));
    generator.setViewBox(QRect(0, 0, side, side));
    generator.setTitle(u"Brevanto"_s);
    generator.setDescription(u"Brevanto's clock"_s);
    QPainter painter(&generator);
    paintClockMark(painter, QRectF(0, 0, side, side), iconColours());
    painter.end();
    return svg.data();
}

QImage logo()
{
    return logoPlate(QSize(161, 63));
}

QImage installerHeader()
{
    return logoPlate(QSize(150, 57));
}

QImage splash()
{
    QImage image(300, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintSky(painter, image.rect(), QPointF(230, 20), 190);

    paintClockMark(painter, QRectF(16, 18, 84, 84), markColours());

    paintWordmark(painter, {QRectF(108, 24, 186, 50), QRectF(110, 76, 186, 16),
                            QRectF(110, 92, 186, 14), Qt::AlignLeft, QSize(180, 40)});

    // A small lit board: home score, clock, guest score.
    paintBoardFrame(painter, QRectF(14, 126, 272, 58));
    const QColor white(245, 245, 240);
    painter.fillRect(QRectF(26, 134, 46, 4), QColor(30, 110, 255));
    painter.fillRect(QRectF(228, 134, 46, 4), QColor(230, 60, 40));
    paintSegments(painter, {49, 160}, 30, u"87"_s, white);
    paintSegments(painter, {150, 155}, 38, u"12:00"_s, amber);
    paintSegments(painter, {251, 160}, 30, u"91"_s, white);
    return image;
}

QImage installerSide()
{
    QImage image(164, 314, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintSky(painter, image.rect(), QPointF(130, 20), 200);

    paintClockMark(painter, QRectF(27, 24, 110, 110), markColours());

    paintWordmark(painter, {QRectF(0, 140, 164, 40), QRectF(0, 182, 164, 16),
                            QRectF(0, 200, 164, 14), Qt::AlignHCenter, QSize(140, 34)});

    // The splash's board stood upright: the clock above, home and guest scores below it.
    paintBoardFrame(painter, QRectF(14, 226, 136, 76));
    const QColor white(245, 245, 240);
    paintSegments(painter, {82, 249}, 28, u"12:00"_s, amber);
    painter.fillRect(QRectF(31, 268, 34, 3), QColor(30, 110, 255));
    painter.fillRect(QRectF(99, 268, 34, 3), QColor(230, 60, 40));
    paintSegments(painter, {48, 285}, 20, u"87"_s, white);
    paintSegments(painter, {116, 285}, 20, u"91"_s, white);
    return image;
}
