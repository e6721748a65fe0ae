// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewstates.h"

#include "boardarea.h"
#include "boardvariables.h"
#include "clocktext.h"
#include "limitentry.h"
#include "twips.h"

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// What the operator has typed for a typical game.
BoardFields TypicalFields()
{
    return {u"2"_s, u"HOME"_s, u"VISITORS"_s, u"45"_s, u"38"_s, u"3"_s, u"5"_s};
}

QString ClockChange(std::chrono::nanoseconds remaining)
{
    return ClockText(NextClockTextChange(remaining).value_or(100ms));
}

// The board as the program sets it from these fields, with the clock showing `remaining`.
PreviewState State(const QString &id, const QString &title, const BoardFields &fields,
                   std::chrono::nanoseconds remaining = 7min + 42s)
{
    QList<std::pair<QString, QString>> variables;
    for (const auto &variable : BoardVariables(fields))
        variables.append(variable);
    for (const auto &variable : ClockStartVariables(u"10"_s, u"0"_s))
        variables.append(variable);
    variables.append({BoardName::Clock, ClockText(remaining)});
    return {id, title, variables, ClockChange(remaining)};
}

// A typical game with one thing changed.
template <typename Change> PreviewState Edge(const QString &id, const QString &title, Change change)
{
    BoardFields fields = TypicalFields();
    change(fields);
    return State(id, title, fields);
}

PreviewState Clock(const QString &id, const QString &title, std::chrono::nanoseconds remaining)
{
    return State(id, title, TypicalFields(), remaining);
}

} // namespace

QList<PreviewState> PreviewStates()
{
    // Wide letters for the names: the widest a team's name can be at its length.
    const QString forty = u"WWWWWWWWWWMMMMMMMMMMWWWWWWWWWWMMMMMMMMMM"_s;
    const QString longest(LongestEntry, u'W');
    const auto names = [](const QString &name) {
        return [name](BoardFields &f) { f.nameA = f.nameB = name; };
    };
    const auto points = [](const QString &typed) {
        return [typed](BoardFields &f) { f.pointsA = f.pointsB = typed; };
    };
    const auto fouls = [](const QString &typed) {
        return [typed](BoardFields &f) { f.faultsA = f.faultsB = typed; };
    };
    const auto typedPeriod = [](const QString &typed) {
        return [typed](BoardFields &f) { f.period = BoardPeriod(-1, QString(), typed); };
    };
    return {
        {u"fresh"_s,
         u"Fresh start, before the first Set"_s,
         {{BoardName::Clock, ClockText(0s)}},
         ClockChange(0s)},
        State(u"typical"_s, u"A typical game"_s, TypicalFields()),
        Edge(u"names-empty"_s, u"Empty names"_s, names({})),
        Edge(u"names-40"_s, u"Names of 40 characters"_s, names(forty)),
        Edge(u"names-longest"_s, u"Names as long as a field holds"_s, names(longest)),
        Edge(u"points-000"_s, u"Points 000"_s, points({})),
        Edge(u"points-999"_s, u"Points 999"_s, points(u"999"_s)),
        Edge(u"points-0ab"_s, u"Points 0ab (typed, not a number)"_s, points(u"ab"_s)),
        Edge(u"fouls-00"_s, u"Fouls 00"_s, fouls({})),
        Edge(u"fouls-99"_s, u"Fouls 99"_s, fouls(u"99"_s)),
        Edge(u"period-1"_s, u"Period 1"_s, [](BoardFields &f) { f.period = u"1"_s; }),
        Edge(u"period-9"_s, u"Period 9"_s, [](BoardFields &f) { f.period = u"9"_s; }),
        Edge(u"period-minus-3"_s, u"Period -3 (typed)"_s, typedPeriod(u"-3"_s)),
        Edge(u"period-1-5"_s, u"Period 1.5 (typed)"_s, typedPeriod(u"1.5"_s)),
        // The entries hold up to 100 minutes and 100 seconds.
        Clock(u"clock-101-40"_s, u"Clock 101:40, the largest the entries allow"_s, 100min + 100s),
        Clock(u"clock-10-00"_s, u"Clock 10:00"_s, 10min),
        Clock(u"clock-1-00"_s, u"Clock 1:00"_s, 1min),
        Clock(u"clock-59-9"_s, u"Clock 59.9, the last minute"_s, 59900ms),
        Clock(u"clock-0-0"_s, u"Clock 0.0, time up"_s, 0s),
    };
}

QStringList ShownNames()
{
    QStringList names;
    for (const QString &name : BoardNames) {
        if (name != BoardName::StartMinutes && name != BoardName::StartSeconds)
            names.append(name);
    }
    return names;
}

QList<PreviewSize> PreviewSizes()
{
    return {{u"operator window"_s,
             QSize(TwipsToPixels(BoardArea::Width), TwipsToPixels(BoardArea::Height)), false},
            {u"1920x1080"_s, QSize(1920, 1080)},
            {u"3840x2160"_s, QSize(3840, 2160)}};
}
