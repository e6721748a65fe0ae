// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the preview found out about a board, and what it makes of it.
struct PreviewReport
{
    struct Picture
    {
        QString size;   // the PreviewSize's title
        QString file;   // relative to the output folder
        double drawnMs; // from the order to draw to the frame
    };
    struct State
    {
        QString title;
        QList<Picture> pictures;
    };

    QString board;
    // Why the program would not show it, as its notice says; none while it plays.
    std::optional<QString> refusal;
    double loadMs = 0;
    qint64 peakBytes = 0;
    QList<State> states;
    QStringList warnings;    // the engine's and the board's own, about the board
    QStringList unreadNames; // names whose change changed no pixel in any state
    QStringList overflows;   // "state: finding"

    // 0 usable, 1 usable with warnings, 2 refused.
    int exitStatus() const;
    // For a terminal, and for report.txt.
    QString text() const;
    // The contact sheet, index.html: the report and every picture, one row per state.
    QString html() const;
};
