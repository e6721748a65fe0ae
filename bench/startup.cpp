// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the operator sees it: from the splash closing to the operator window on the
// screen with the board drawn, and the resident memory of the program and the board's process
// by then. One measurement per process, since only the first start of a process counts; run it
// a few times.
//
// Seen from outside: the splash's closing as its window's Hide event, the board drawn as the
// display control's paint of the board's first frame.
//
// Usage, under a real X server for realism (the splash stands its full two seconds):
//   for i in 1 2 3 4 5; do xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/startup; done

#include "benchsupport.h"
#include "displaycontrol.h"
#include "form1.h"
#include "scratchprogram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace Bench;

namespace {

// A line of a process's /proc file in kibibytes ("status": "VmRSS", "VmHWM"; "smaps_rollup":
// "Pss", which counts the memory it shares with another process by halves), or -1.
long long ProcKiB(qint64 pid, const QString &file, const QString &name)
{
    QFile status(u"/proc/"_s + QString::number(pid) + u'/' + file);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QRegularExpression line(u"^"_s + name + u":\\s+(\\d+) kB$"_s,
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// Notes when the splash window, found among the application's windows by its name, is hidden:
// the timer has closed it.
class SplashWatch : public QObject
{
    Q_DISABLE_COPY_MOVE(SplashWatch)

public:
    SplashWatch() { QCoreApplication::instance()->installEventFilter(this); }

    std::optional<Clock::time_point> closed;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!closed && event->type() == QEvent::Hide && watched->isWidgetType() &&
            watched->objectName() == QLatin1String("frmSplash"))
            closed = Clock::now();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SplashWatch splash;
    std::optional<Clock::time_point> exposed;
    std::optional<Clock::time_point> drawn;

    Form1 form;
    PaintObserver paints(form.display());
    std::optional<Clock::time_point> shown;
    // The first paint of the control once the window is shown.
    const auto firstPaintShown = [&]() -> std::optional<Clock::time_point> {
        const auto &times = paints.times();
        const auto first = std::lower_bound(times.begin(), times.end(), *shown);
        return first != times.end() ? std::optional(*first) : std::nullopt;
    };
    // The control paints the board's first frame the moment it comes and says then that the
    // movie plays: the paint just before that is the frame's. A frame that came before the
    // window was shown is drawn by the window's first paint.
    QObject::connect(form.display(), &DisplayControl::movieChanged, &app, [&] {
        if (!drawn && shown && form.display()->isMovieLoaded() && firstPaintShown())
            drawn = paints.times().back();
    });
    form.Form_Load();
    const Clock::time_point loaded = Clock::now();
    if (!splash.closed) {
        std::fprintf(stderr, "the splash was not seen closing\n");
        return 1;
    }
    const bool loadedBeforeShown = form.display()->isMovieLoaded();
    shown = Clock::now();
    form.show();
    QElapsedTimer waited;
    waited.start();
    while ((!exposed || !drawn) && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!exposed && form.windowHandle() && form.windowHandle()->isExposed())
            exposed = Clock::now();
        if (!drawn && loadedBeforeShown)
            drawn = firstPaintShown();
    }
    if (!exposed || !drawn) {
        std::fprintf(stderr, "the window was not shown with the board drawn within 10 s\n");
        return 1;
    }
    // Let whatever the first frames started settle before reading the memory.
    Wait(500ms);

    const auto since = [&splash](Clock::time_point time) {
        return Milliseconds(time - *splash.closed);
    };
    std::printf("platform %s, movie %s\n", qPrintable(QGuiApplication::platformName()),
                form.display()->isMovieLoaded() ? "loaded" : "NOT loaded");
    std::printf("splash closed -> load step done:      %8.1f ms\n", since(loaded));
    std::printf("splash closed -> window exposed:      %8.1f ms\n", since(*exposed));
    std::printf("splash closed -> board frame drawn:   %8.1f ms\n", since(*drawn));
    std::printf("splash closed -> window with board:   %8.1f ms\n",
                since(std::max(*exposed, *drawn)));
    const qint64 self = QCoreApplication::applicationPid();
    long long rss = 0, pss = 0;
    for (const qint64 pid : QList<qint64>{self} + ChildProcesses(self)) {
        const long long own = ProcKiB(pid, u"status"_s, u"VmRSS"_s);
        const long long proportional = ProcKiB(pid, u"smaps_rollup"_s, u"Pss"_s);
        std::printf("resident memory of %s: VmRSS %lld KiB, Pss %lld KiB\n",
                    pid == self ? "the program" : "the board's process", own, proportional);
        rss += own;
        pss += proportional;
    }
    std::printf("resident memory in all: VmRSS %lld KiB, Pss %lld KiB\n", rss, pss);
    return 0;
}
