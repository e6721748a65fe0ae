// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include <QColor>
#include <initializer_list>
#include <string_view>

namespace {

// One row of text per pixel row: '#' black, anything else the button face.
QImage glyphFromRows(std::initializer_list<std::string_view> rows)
{
    const int width = int(rows.begin()->size());
    QImage image(width, int(rows.size()), QImage::Format_RGB888);
    image.fill(QColor(212, 208, 200));
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < width; ++x) {
            if (row[size_t(x)] == '#')
                image.setPixelColor(x, y, Qt::black);
        }
        ++y;
    }
    return image;
}

} // namespace

QImage maximizeGlyph()
{
    return glyphFromRows({
        "#########",
        "#########",
        "#.......#",
        "#.......#",
        "#.......#",
        "#.......#",
        "#.......#",
        "#.......#",
        "#########",
    });
}

QImage closeGlyph()
{
    return glyphFromRows({
        "##....##",
        ".##..##.",
        "..####..",
        "...##...",
        "..####..",
        ".##..##.",
        "##....##",
    });
}
