// SPDX-License-Identifier: GPL-3.0-or-later
// Every path is a file's, and names differ by case.
#include "pathrules.h"

PathRules SystemPathRules()
{
    return {false, Qt::CaseSensitive};
}
