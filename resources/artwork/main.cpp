// SPDX-License-Identifier: GPL-3.0-or-later
// Writes Brevanto's artwork into the folder given as the only argument (resources/).
#include "brandart.h"
#include "glyphs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts need the application
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fputs("usage: make-artwork <resources folder>\n", stderr);
        return 2;
    }
    const QDir out(arguments.at(1));

    const auto save = [&out](const QString &name, const QImage &image, int quality = -1) {
        const QString path = out.filePath(name);
        if (!image.save(path, nullptr, quality)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("wrote %s\n", qPrintable(path));
        return true;
    };
    struct Picture
    {
        QString name;
        QImage image;
        int quality;
    };
    for (const QString &folder : {u"icons"_s, u"installer"_s}) {
        if (!out.mkpath(folder)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(out.filePath(folder)));
            return 1;
        }
    }
    const Picture pictures[] = {
        {u"clock-icon.png"_s, clockIcon(32), -1}, // the operator window's own icon
        {u"logo.jpg"_s, logo(), 95},
        {u"splash.jpg"_s, splash(), 95},
        {u"maximize.png"_s, maximizeGlyph(), -1},
        {u"close.png"_s, closeGlyph(), -1},
        {u"installer/side.png"_s, installerSide(), -1},
        {u"installer/header.png"_s, installerHeader(), -1},
    };
    for (const Picture &picture : pictures) {
        if (!save(picture.name, picture.image, picture.quality))
            return 1;
    }

    // The application icon at the sizes of the desktop's icon theme, and scalable.
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        if (!save(u"icons/clock-%1.png"_s.arg(side), clockIcon(side)))
            return 1;
    }
    const QString svgPath = out.filePath(u"icons/clock.svg"_s);
    QFile svg(svgPath);
    if (!svg.open(QIODevice::WriteOnly) || svg.write(clockIconSvg()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svgPath));
        return 1;
    }
    std::printf("wrote %s\n", qPrintable(svgPath));
    return 0;
}
