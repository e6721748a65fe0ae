// SPDX-License-Identifier: GPL-3.0-or-later
#include "handlecopy.h"

#include <unistd.h>

qintptr CopyHandle(qintptr handle)
{
    return dup(int(handle));
}
