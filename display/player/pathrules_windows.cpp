// SPDX-License-Identifier: GPL-3.0-or-later
// Paths may name other machines and devices, and the file systems Windows installs on take
// names that differ only by case for one.
#include "pathrules.h"

PathRules SystemPathRules()
{
    return {true, Qt::CaseInsensitive, true};
}
