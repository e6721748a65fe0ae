// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

class QProcess;
class SharedFrames;

// Starts the board's process the way the system allows: the frames handed to it, its memory held
// to `memoryLimit` where the system enforces such a limit, no other handle of ours inherited, no
// more of our environment than it needs, and its life tied to ours, so that it ends with the
// console even when the console crashes. One file per system (boardlaunch_<system>.cpp), what
// both share in boardlaunch.cpp.
class BoardLaunch
{
public:
    BoardLaunch() = default;
    ~BoardLaunch() = default;
    BoardLaunch(const BoardLaunch &) = delete;
    BoardLaunch &operator=(const BoardLaunch &) = delete;

    // Starts `program` in `process`; a failure to start comes as the process's own error.
    void start(QProcess &process, const QString &program, const SharedFrames &frames,
               qint64 memoryLimit);
    // Lets the process started last read what lies in `folder` (a board's), before it is told to
    // load a board there. Where the system holds the process to what it is let read (Windows:
    // an AppContainer), it is granted reading there for good; where it confines itself to the
    // board it loads (Linux), nothing is needed. False when it cannot be let read there.
    bool admit(const QString &folder);

private:
    // The environment the process starts with: of the console's, only the names it needs (its
    // language and time zone, the sanitizers' options) and `systemNames`, what the system
    // itself needs.
    static QProcessEnvironment Environment(const QProcessEnvironment &console,
                                           const QStringList &systemNames);

    // Whatever the system keeps for the running process (nothing on Linux).
    std::shared_ptr<void> m_hold;
};
