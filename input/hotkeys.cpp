#include "hotkeys.h"

#include "textnumber.h"

int StepFor(int modifierBits)
{
    return modifierBits != 0 ? -1 : 1;
}

std::optional<QString> CounterStep(const QString &text, int step, int limit)
{
    const double sum = TextToNumber(text) + step;
    if (sum > -1 && sum < limit)
        return NumberToText(sum);
    return std::nullopt;
}

std::optional<int> PeriodStep(int index, int step, int count)
{
    const qint64 next = qint64(index) + step; // no overflow at the ends of int
    if (next > -1 && next < count)
        return int(next);
    return std::nullopt;
}
