// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the operator sees it: from the splash closing to the operator window on the
// screen with the board drawn, and the resident memory of the program and the board's process
// by then. One measurement per process, since only the first start of a process counts; run it
// a few times.
//
// Usage, under a real X server for realism (the splash stands its full two seconds):
//   for i in 1 2 3 4 5; do xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/startup; done

#include "displaycontrol.h"
#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QWindow>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// A line of a process's /proc file in kibibytes ("status": "VmRSS", "VmHWM"; "smaps_rollup":
// "Pss", which counts the memory it shares with another process by halves), or -1.
long long ProcKiB(const QString &pid, const QString &file, const QString &name)
{
    QFile status(u"/proc/"_s + pid + u'/' + file);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(u"^"_s + name + u":\\s+(\\d+) kB$"_s,
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// This process and its children (the board's process).
QStringList Processes()
{
    QStringList pids{QString::number(QCoreApplication::applicationPid())};
    for (const QString &task :
         QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(u"/proc/self/task/"_s + task + u"/children"_s);
        if (children.open(QIODevice::ReadOnly))
            pids += QString::fromLatin1(children.readAll()).split(u' ', Qt::SkipEmptyParts);
    }
    return pids;
}

double Milliseconds(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QElapsedTimer sinceSplash;
    qint64 loaded = -1;
    qint64 exposed = -1;
    qint64 drawn = -1;

    Form1 form;
    QObject::connect(&form, &Form1::splashClosed, &app, [&sinceSplash] { sinceSplash.start(); });
    QObject::connect(form.display(), &DisplayControl::frameShown, &app, [&] {
        if (drawn < 0 && form.isVisible())
            drawn = sinceSplash.nsecsElapsed();
    });
    form.Form_Load();
    loaded = sinceSplash.nsecsElapsed();
    form.show();
    QElapsedTimer waited;
    waited.start();
    while ((exposed < 0 || drawn < 0) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (exposed < 0 && form.windowHandle() && form.windowHandle()->isExposed())
            exposed = sinceSplash.nsecsElapsed();
    }
    if (exposed < 0 || drawn < 0) {
        std::fprintf(stderr, "the window was not shown with the board drawn within 10 s\n");
        return 1;
    }
    // Let whatever the first frames started settle before reading the memory.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);

    std::printf("platform %s, movie %s\n", qPrintable(QGuiApplication::platformName()),
                form.display()->isMovieLoaded() ? "loaded" : "NOT loaded");
    std::printf("splash closed -> load step done:      %8.1f ms\n", Milliseconds(loaded));
    std::printf("splash closed -> window exposed:      %8.1f ms\n", Milliseconds(exposed));
    std::printf("splash closed -> board frame drawn:   %8.1f ms\n", Milliseconds(drawn));
    std::printf("splash closed -> window with board:   %8.1f ms\n",
                Milliseconds(std::max(exposed, drawn)));
    long long rss = 0, pss = 0;
    for (const QString &pid : Processes()) {
        const long long own = ProcKiB(pid, u"status"_s, u"VmRSS"_s);
        const long long proportional = ProcKiB(pid, u"smaps_rollup"_s, u"Pss"_s);
        std::printf("resident memory of %s: VmRSS %lld KiB, Pss %lld KiB\n",
                    pid == Processes().first() ? "the program" : "the board's process", own,
                    proportional);
        rss += own;
        pss += proportional;
    }
    std::printf("resident memory in all: VmRSS %lld KiB, Pss %lld KiB\n", rss, pss);
    return 0;
}
