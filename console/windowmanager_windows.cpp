// SPDX-License-Identifier: GPL-3.0-or-later
// Windows itself fits a full-screen window to its screen and puts it back.
#include "windowmanager.h"

bool ProgramPlacesFullScreenWindow()
{
    return false;
}
