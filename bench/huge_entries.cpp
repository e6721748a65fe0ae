// SPDX-License-Identifier: GPL-3.0-or-later
// What a huge paste into an entry field costs the operator: the paste itself with the field
// drawn, the next hotkey with its board refresh (and the board drawn), and the next key release
// in the field, whose filter reads the whole text. Each with the fields as the program has them
// and, for comparison, with their length limit lifted.
//
// Usage: huge_entries [megabytes] [repeats]     10 MB and 3 repeats when not given
// Goal:  the next hotkey after the paste, board refresh included, under 100 ms.

#include "benchsupport.h"
#include "formfixture.h"

#include <QLineEdit>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

using namespace std::chrono_literals;
using namespace Bench;

namespace {

struct Times
{
    std::vector<double> paste, hotkey, frame, release;
    qsizetype kept = 0;
};

// One paste into the field and what follows it, in a fresh operator window.
void Measure(const char *field, const QString &text, bool unlimited, Times &times)
{
    const std::unique_ptr<Form1> form = StartedForm();
    WaitForBoard(form->display());
    // The first frame's paints done, so that the next paint is the hotkey's frame.
    Wait(200ms);
    PaintObserver paints(form->display());
    auto *edit = Control<QLineEdit>(form.get(), field);
    auto *teclado = Control<QLineEdit>(form.get(), "Teclado");
    if (unlimited)
        edit->setMaxLength(INT_MAX);
    times.paste.push_back(MillisecondsTaken([&] {
        edit->setText(text);
        edit->repaint();
    }));
    times.kept = edit->text().size();
    times.hotkey.push_back(MillisecondsTaken([&] { KeyStroke(teclado, Qt::Key_1); }));
    // Until the board's process has drawn the new frame and it is on the screen.
    times.frame.push_back(MillisecondsTaken([&] { paints.waitForPaint(10s); }));
    times.release.push_back(MillisecondsTaken([&] {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier);
        QApplication::sendEvent(edit, &release);
        edit->repaint();
    }));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int megabytes = arguments.size() > 1 ? std::max(1, arguments.at(1).toInt()) : 10;
    const int repeats = arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 3;
    const qsizetype size = qsizetype(megabytes) * 1024 * 1024;

    struct Row
    {
        const char *field;
        const char *what;
        QString text;
    };
    const Row rows[] = {
        {"name_a", "letters", QString(size, u'x')},
        {"name_a", "words", QStringLiteral("Lions ").repeated(size / 6)},
        {"points_a", "digits", QString(size, u'7')},
        {"points_a", "blanks then 7", QString(size - 1, u' ') + u'7'},
    };

    std::printf("%d MB pasted (ms, max of %d; \"kept\" is the characters the field kept)\n",
                megabytes, repeats);
    std::printf("%-9s %-14s %-9s %9s %9s %9s %9s %9s\n", "field", "text", "limit", "kept", "paste",
                "hotkey", "frame", "release");
    for (const Row &row : rows) {
        for (const bool unlimited : {false, true}) {
            Times times;
            for (int i = 0; i < repeats; ++i)
                Measure(row.field, row.text, unlimited, times);
            std::printf("%-9s %-14s %-9s %9lld %9.1f %9.1f %9.1f %9.1f\n", row.field, row.what,
                        unlimited ? "lifted" : "as is", static_cast<long long>(times.kept),
                        Max(times.paste), Max(times.hotkey), Max(times.frame), Max(times.release));
            std::fflush(stdout);
        }
    }
    return 0;
}
