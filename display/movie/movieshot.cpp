// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the scoreboard movie to a PNG with the given board values, as the display control
// shows it at that size (on its stage: scaled uniformly, centred on black):
//   movieshot [--movie FILE] [--size 1920x1080] [--out board.png] [name=value ...]
// Run with QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software.
#include "movieloader.h"
#include "movienotice.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlPropertyMap>
#include <QQuickView>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "movieshot: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Renders the scoreboard movie to a PNG."_s);
    parser.addHelpOption();
    const QCommandLineOption movieOption(
        u"movie"_s, u"The movie file (default: brevanto.dll beside this program)."_s, u"file"_s,
        QCoreApplication::applicationDirPath() + u"/brevanto.dll"_s);
    const QCommandLineOption sizeOption(u"size"_s, u"Picture size."_s, u"WxH"_s, u"1920x1080"_s);
    const QCommandLineOption outOption(u"out"_s, u"PNG file to write."_s, u"file"_s,
                                       u"board.png"_s);
    parser.addOptions({movieOption, sizeOption, outOption});
    parser.addPositionalArgument(u"name=value"_s, u"Board variables, as SetVariable sets them."_s);
    parser.process(app);

    const QStringList size = parser.value(sizeOption).split(u'x');
    const int width = size.value(0).toInt(), height = size.value(1).toInt();
    if (size.size() != 2 || width <= 0 || height <= 0)
        return fail(u"bad size "_s + parser.value(sizeOption));

    QQuickView view;
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(width, height);
    QQmlPropertyMap board;
    view.engine()->rootContext()->setContextProperty(u"board"_s, &board);
    for (const QString &pair : parser.positionalArguments()) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 1)
            return fail(u"not name=value: "_s + pair);
        board.insert(pair.left(equals), pair.mid(equals + 1));
    }

    view.setSource(MovieLoader::StageUrl());
    MovieLoader loader(view.engine(), view.rootObject());
    loader.load(parser.value(movieOption));
    if (!loader.movie())
        return fail(NoticeText(loader.outcome()));

    view.show();
    const QImage picture = view.grabWindow();
    if (picture.isNull() || !picture.save(parser.value(outOption)))
        return fail(u"cannot write "_s + parser.value(outOption));
    return 0;
}
