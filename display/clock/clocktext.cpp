// SPDX-License-Identifier: GPL-3.0-or-later
#include "clocktext.h"

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

namespace {

constexpr nanoseconds Tenth = 100ms;
// Tenths are shown from this many of them down.
constexpr std::int64_t LastMinuteTenths = 600;

// How many whole `unit`s it takes to cover `remaining`: the shown value, rounded up.
std::int64_t UnitsUp(nanoseconds remaining, nanoseconds unit)
{
    if (remaining <= 0ns)
        return 0;
    return remaining / unit + (remaining % unit != 0ns ? 1 : 0);
}

} // namespace

QString ClockText(nanoseconds remaining)
{
    const std::int64_t tenths = UnitsUp(remaining, Tenth);
    if (tenths < LastMinuteTenths)
        return QString::number(tenths / 10) % u'.' % QString::number(tenths % 10);
    const std::int64_t seconds = UnitsUp(remaining, 1s);
    return QString::number(seconds / 60) % u':' %
           QString::number(seconds % 60).rightJustified(2, u'0');
}

std::optional<nanoseconds> NextClockTextChange(nanoseconds remaining)
{
    if (remaining <= 0ns)
        return std::nullopt;
    const std::int64_t tenths = UnitsUp(remaining, Tenth);
    if (tenths <= LastMinuteTenths)
        return (tenths - 1) * Tenth;
    return std::chrono::seconds(UnitsUp(remaining, 1s) - 1);
}
