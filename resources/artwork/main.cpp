// Writes Brevanto's artwork into the folder given as the only argument (resources/).
#include "brandart.h"
#include "glyphs.h"

#include <QDir>
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

    struct Picture
    {
        QString name;
        QImage image;
        int quality;
    };
    const Picture pictures[] = {
        {u"clock-icon.png"_s, clockIcon(32), -1},
        {u"clock-icon-256.png"_s, clockIcon(256), -1},
        {u"logo.jpg"_s, logo(), 95},
        {u"splash.jpg"_s, splash(), 95},
        {u"maximize.png"_s, maximizeGlyph(), -1},
        {u"close.png"_s, closeGlyph(), -1},
    };
    for (const Picture &picture : pictures) {
        const QString path = out.filePath(picture.name);
        if (!picture.image.save(path, nullptr, picture.quality)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(path));
    }
    return 0;
}
