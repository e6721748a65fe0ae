// SPDX-License-Identifier: GPL-3.0-or-later
// brevanto-preview BOARD --out DIR    (BOARD: the movie, or the board's folder)
// Shows a board author what a board looks like in every state the program can put it in, at
// the operator window's size and on projectors, and what in it would need mending: PNG files
// and a contact sheet (index.html) in DIR, and a report on the standard output.
// Exit status: 0 usable, 1 usable with warnings, 2 refused (or the tool could not run).

#include "boardpreview.h"

#include <QCommandLineParser>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

bool WriteText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

int main(int argc, char *argv[])
{
    // No window and no display needed: the pictures are drawn by the board's own process.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Previews a Brevanto board in every state the program can put it in."_s);
    parser.addHelpOption();
    const QCommandLineOption outOption(u"out"_s, u"Folder for the pictures and the report."_s,
                                       u"folder"_s);
    parser.addOption(outOption);
    parser.addPositionalArgument(
        u"board"_s, u"The board's movie (board.qml or brevanto.dll), or the board's folder."_s);
    parser.process(app);
    const QStringList boards = parser.positionalArguments();
    if (boards.size() != 1 || !parser.isSet(outOption)) {
        std::fprintf(stderr, "usage: brevanto-preview BOARD --out DIR\n");
        return 2;
    }
    const QDir out(parser.value(outOption));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "brevanto-preview: cannot make %s\n", qPrintable(out.path()));
        return 2;
    }

    BoardPreview preview;
    const PreviewReport report = preview.run(boards.first(), out);
    const QString text = report.text();
    std::fputs(text.toUtf8().constData(), stdout);
    if (!WriteText(out.filePath(u"report.txt"_s), text) ||
        !WriteText(out.filePath(u"index.html"_s), report.html())) {
        std::fprintf(stderr, "brevanto-preview: cannot write into %s\n", qPrintable(out.path()));
        return 2;
    }
    return report.exitStatus();
}
