// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <QStringList>

class DisplayControl;

// The board's calls, for whoever watches a running program (the end-to-end tests): with the
// logging category switched on, QT_LOGGING_RULES="brevanto.board.calls.debug=true", every
// operation the program makes on the display control is written as a line of JSON,
//   brevanto.board.calls: ["SetVariable","points_a","007"]
// and the program's own lines, such as ["Shown","movie"] once the window is up. Off, it costs
// nothing and changes nothing that the operator sees.
Q_DECLARE_LOGGING_CATEGORY(lcBoardCalls)

// Logs every operation made on the control from now on.
void LogBoardCalls(DisplayControl *display);
void LogBoardCall(const QStringList &fields);
