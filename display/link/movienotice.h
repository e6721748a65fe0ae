// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movieoutcome.h"

#include <QString>

// The plain notice in the board area when the movie does not play; empty while it does.
QString NoticeText(MovieOutcome outcome);
// The board area's word while a movie takes long to show its first frame.
QString LoadingNoticeText();
