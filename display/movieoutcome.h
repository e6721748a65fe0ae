// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// How the board fared with its movie: it plays, or the plain notice in the board area says why
// not.
enum class MovieOutcome : quint8
{
    Playing,
    Missing,    // no movie file, or one that holds nothing
    TooLarge,   // more than the loader reads
    Unreadable, // there, but not to be read
    Broken,     // not a movie that plays, or one whose start never ended
    Crashed,    // the movie's process ended, and again each time it was started
    Hung,       // the movie's process stopped answering
    NoProcess,  // the movie's process could not be started at all
};

// The notice in the board area; empty while the movie plays.
inline QString NoticeText(MovieOutcome outcome)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("Board", text); };
    switch (outcome) {
    case MovieOutcome::Playing:
        return {};
    case MovieOutcome::Missing:
        return tr("No scoreboard movie");
    case MovieOutcome::TooLarge:
        return tr("The scoreboard movie is too large to play");
    case MovieOutcome::Unreadable:
        return tr("The scoreboard movie cannot be read");
    case MovieOutcome::Broken:
        return tr("The scoreboard movie cannot be played");
    case MovieOutcome::Crashed:
        return tr("The scoreboard movie stopped working");
    case MovieOutcome::Hung:
        return tr("The scoreboard movie stopped answering");
    case MovieOutcome::NoProcess:
        return tr("The scoreboard cannot be shown");
    }
    return {};
}
