// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSize>
#include <QString>

#include <utility>

// The fixed states a board is previewed in: the board fresh from the start, a typical game, and
// every edge of the values' formats that the program can send.
struct PreviewState
{
    QString id;    // for file names: letters, digits and dashes
    QString title; // for people
    // Set in this order, over what the state before set.
    QList<std::pair<QString, QString>> variables;
    // The clock's next text as it runs (at zero, the one before): a change of the clock alone.
    QString clockChange;
};

// In the order they are shown, the fresh start first (it sets nothing but the clock's text).
QList<PreviewState> PreviewStates();

// The names whose change a board is expected to show: the seven the refresh sends and the clock.
// The start value (s_min, s_sec) is set too, but a board need not show it.
QStringList ShownNames();

// The sizes each state is drawn at: the board area of the operator window, a full-HD and a 4K
// projector. On a projector, the cost of a change of the clock alone and of a point is timed too.
struct PreviewSize
{
    QString title;
    QSize pixels;
    bool projector = true;
};
QList<PreviewSize> PreviewSizes();
