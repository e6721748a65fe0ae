// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What the preview found out about a board, and what it makes of it.
struct PreviewReport
{
    struct Picture
    {
        QString size; // the PreviewSize's title
        QSize pixels;
        bool projector = true;
        QString file;   // relative to the output folder
        double drawnMs; // the whole picture: from the order to draw to the frame
        // As the program redraws (only what changed), after a change of the clock alone and of
        // a point alone; on projectors, and a point only once the state has points.
        std::optional<double> clockMs;
        std::optional<double> pointMs;
    };
    struct State
    {
        QString title;
        QList<Picture> pictures;
        // The clock counts tenths: it changes ten times a second (the last minute).
        bool tenths = false;
    };

    // A change of the clock that takes longer than this is late on the screen: in the last minute
    // the clock changes every tenth of a second, and its frame, drawn ahead, must be ready well
    // within that, with room for the rest of the machine's work.
    static constexpr double LateClockMs = 100.0 / 3;

    QString board;
    // Why the program would not show it, as its notice says; none while it plays.
    std::optional<QString> refusal;
    double loadMs = 0;
    qint64 peakBytes = 0;
    // What held the board's process below Qt, as it said ("held: ...", "not held: ...").
    QStringList confinement;
    QList<State> states;
    QStringList warnings;     // the engine's and the board's own, about the board
    QStringList unreadNames;  // names whose change changed no pixel in any state
    QStringList unknownNames; // names the board reads that the program never sets
    QStringList refusedFiles; // with where the board asked for them and why they were refused
    QStringList overflows;    // texts to mend, with the states they were found in

    // The median over the states of a change of the clock at this size; none if not timed.
    std::optional<double> clockMedianMs(const QString &size) const;
    // What the costs say the author should know: a clock late on the largest projector in the
    // last minute.
    QStringList lateness() const;

    // 0 usable, 1 usable with warnings, 2 refused.
    int exitStatus() const;
    // For a terminal, and for report.txt.
    QString text() const;
    // The contact sheet, index.html: the report and every picture, one row per state.
    QString html() const;
};
