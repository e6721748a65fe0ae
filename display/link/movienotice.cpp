// SPDX-License-Identifier: GPL-3.0-or-later
#include "movienotice.h"

#include <QCoreApplication>

namespace {

QString Translated(const char *text)
{
    return QCoreApplication::translate("Board", text);
}

} // namespace

QString NoticeText(MovieOutcome outcome)
{
    const auto tr = Translated;
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
    case MovieOutcome::NoCanvas:
        return tr("The scoreboard movie cannot be shown: its canvas has no size");
    case MovieOutcome::Crashed:
        return tr("The scoreboard movie stopped working");
    case MovieOutcome::Hung:
        return tr("The scoreboard movie stopped answering");
    case MovieOutcome::NoProcess:
        return tr("The scoreboard cannot be shown");
    }
    return {};
}

QString LoadingNoticeText()
{
    return Translated("Loading the scoreboard\u2026");
}
