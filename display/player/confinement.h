// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// What holds the board's process below Qt, in words a board author or a club's IT person
// understands: each layer the system holds it in, and each one this system lacks or the
// process could not take on, with the reason.
//   held:    "no new privileges", "Landlock ABI 7: reads only the board's folder and what Qt
//             needs, writes nothing, no TCP, no signals or abstract sockets outside"
//   lacking: "Landlock: not offered by this kernel"
struct ConfinementReport
{
    QStringList held;
    QStringList lacking;
};

// Closes every handle the process was given but its pipes (standard input, output and error)
// and the frames', `frames`: whatever else the console's own starter left open. First thing in
// the board's process, before anything of its own is opened.
void CloseInheritedHandles(qintptr frames);

// Confines the calling process for the rest of its life: from now on it reads only what lies in
// `readableFolders` and what Qt needs to play (its libraries, plugins and QML modules, the
// system's fonts), writes no file, reaches no network, starts no program, and neither signals,
// traces nor reads the memory of another process, as far as this system can hold it to that.
// Applied once, before the process reads a byte of the board, while it has a single thread
// (some layers hold only the threads there are then and those they start); never lifted. One
// file per system (confinement_<system>.cpp).
ConfinementReport Confine(const QStringList &readableFolders);
