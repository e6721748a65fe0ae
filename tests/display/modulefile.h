// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

// The file of the library or program this function was linked into, as the system loaded it;
// empty where the system does not say.
std::filesystem::path ModuleFile();
