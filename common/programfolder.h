// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder of the running executable, without a trailing separator.
QString ProgramFolder();

// A file beside the executable: the program folder joined to the name by the platform's
// separator. Nothing checks that the file exists.
//   ProgramFile(u"brevanto.dll")  #=> "/opt/brevanto/brevanto.dll"
QString ProgramFile(const QString &name);
