// SPDX-License-Identifier: GPL-3.0-or-later
#include "modulefile.h"

#include <dlfcn.h>

std::filesystem::path ModuleFile()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&ModuleFile), &info) == 0 || !info.dli_fname)
        return {};
    return info.dli_fname;
}
