// SPDX-License-Identifier: GPL-3.0-or-later
#include "previewstates.h"

#include "twips.h"

using namespace Qt::StringLiterals;

namespace {

// The longest text an entry field of the operator window holds.
constexpr int LongestEntry = 32767;

using Variables = QList<std::pair<QString, QString>>;

Variables Typical()
{
    return {{u"period"_s, u"2"_s},     {u"name_a"_s, u"HOME"_s},  {u"name_b"_s, u"VISITORS"_s},
            {u"points_a"_s, u"045"_s}, {u"points_b"_s, u"038"_s}, {u"faults_a"_s, u"03"_s},
            {u"faults_b"_s, u"05"_s},  {u"s_min"_s, u"10"_s},     {u"s_sec"_s, u"0"_s},
            {u"clock"_s, u"7:42"_s}};
}

// A typical game with some values changed.
PreviewState Edge(const QString &id, const QString &title, const Variables &changed)
{
    Variables variables = Typical();
    for (const auto &[name, value] : changed) {
        for (auto &variable : variables) {
            if (variable.first == name)
                variable.second = value;
        }
    }
    return {id, title, variables};
}

} // namespace

QList<PreviewState> PreviewStates()
{
    // Wide letters for the names: the widest a team's name can be at its length.
    const QString forty = u"WWWWWWWWWWMMMMMMMMMMWWWWWWWWWWMMMMMMMMMM"_s;
    const QString longest(LongestEntry, u'W');
    const auto both = [](const QString &a, const QString &b) {
        return [a, b](const QString &which) {
            return Variables{{which + u"_a"_s, a}, {which + u"_b"_s, b}};
        };
    };
    return {
        {u"fresh"_s, u"Fresh start, before the first Set"_s, {{u"clock"_s, u"0.0"_s}}},
        {u"typical"_s, u"A typical game"_s, Typical()},
        Edge(u"names-empty"_s, u"Empty names"_s, both({}, {})(u"name"_s)),
        Edge(u"names-40"_s, u"Names of 40 characters"_s, both(forty, forty)(u"name"_s)),
        Edge(u"names-longest"_s, u"Names as long as a field holds"_s,
             both(longest, longest)(u"name"_s)),
        Edge(u"points-000"_s, u"Points 000"_s, both(u"000"_s, u"000"_s)(u"points"_s)),
        Edge(u"points-999"_s, u"Points 999"_s, both(u"999"_s, u"999"_s)(u"points"_s)),
        Edge(u"points-0ab"_s, u"Points 0ab (typed, not a number)"_s,
             both(u"0ab"_s, u"0ab"_s)(u"points"_s)),
        Edge(u"fouls-00"_s, u"Fouls 00"_s, both(u"00"_s, u"00"_s)(u"faults"_s)),
        Edge(u"fouls-99"_s, u"Fouls 99"_s, both(u"99"_s, u"99"_s)(u"faults"_s)),
        Edge(u"period-1"_s, u"Period 1"_s, {{u"period"_s, u"1"_s}}),
        Edge(u"period-9"_s, u"Period 9"_s, {{u"period"_s, u"9"_s}}),
        Edge(u"period-minus-3"_s, u"Period -3 (typed)"_s, {{u"period"_s, u"-3"_s}}),
        Edge(u"period-1-5"_s, u"Period 1.5 (typed)"_s, {{u"period"_s, u"1.5"_s}}),
        Edge(u"clock-101-40"_s, u"Clock 101:40, the largest the entries allow"_s,
             {{u"clock"_s, u"101:40"_s}}),
        Edge(u"clock-10-00"_s, u"Clock 10:00"_s, {{u"clock"_s, u"10:00"_s}}),
        Edge(u"clock-1-00"_s, u"Clock 1:00"_s, {{u"clock"_s, u"1:00"_s}}),
        Edge(u"clock-59-9"_s, u"Clock 59.9, the last minute"_s, {{u"clock"_s, u"59.9"_s}}),
        Edge(u"clock-0-0"_s, u"Clock 0.0, time up"_s, {{u"clock"_s, u"0.0"_s}}),
    };
}

QStringList ShownNames()
{
    return {u"period"_s,   u"name_a"_s,   u"name_b"_s,   u"points_a"_s,
            u"points_b"_s, u"faults_a"_s, u"faults_b"_s, u"clock"_s};
}

QList<PreviewSize> PreviewSizes()
{
    // The operator window's board area is 3430 x 2565 twips.
    return {{u"operator window"_s, QSize(TwipsToPixels(3430), TwipsToPixels(2565))},
            {u"1920x1080"_s, QSize(1920, 1080)},
            {u"3840x2160"_s, QSize(3840, 2160)}};
}
