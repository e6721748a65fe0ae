// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// What the confinement's trial reaches for that only the system names, and whether it runs
// under Wine: one file per system (trialsystem_<system>.cpp).

// Whether process `pid` could be signalled (Linux: signal 0, which the system checks as it would
// a real one and does not send; Windows: the process opened with the right to end it, unused).
// The system's refusal, or an empty text.
QString SignalProcess(qint64 pid);

// `size` bytes at `address` in process `pid`; nothing, and the refusal in `error`, when the
// system refuses.
QByteArray ReadMemoryOf(qint64 pid, quintptr address, qsizetype size, QString *error);

// Whether this is Wine, which takes on a confinement without enforcing all of it.
bool RunsUnderWine();
