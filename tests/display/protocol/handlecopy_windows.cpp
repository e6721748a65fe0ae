// SPDX-License-Identifier: GPL-3.0-or-later
#include "handlecopy.h"

#include <windows.h>

qintptr CopyHandle(qintptr handle)
{
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), reinterpret_cast<HANDLE>(handle), GetCurrentProcess(),
                         &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return 0;
    return reinterpret_cast<qintptr>(copy);
}
