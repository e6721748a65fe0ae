// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// How the file system the board plays on names files, as far as the sandbox must know it: what
// a path may name besides a file on a disk, and whether names that differ only by case are one.
struct PathRules
{
    // Windows: "//server/share" is a file of another machine, "//./pipe" and "//?/C:" are
    // devices, and NUL, CON or COM1 are devices in every folder. On Linux "//x" is "/x".
    bool hostsAndDevices = false;
    Qt::CaseSensitivity caseSensitivity = Qt::CaseSensitive;
    // Windows: "\" separates as "/" does, and an absolute path begins with a drive ("C:/") or a
    // machine ("//server"); "/x" is on the current drive.
    bool drives = false;
};

// The rules of the system the program is built for: one file per system
// (pathrules_<system>.cpp).
PathRules SystemPathRules();

// Whether a local path, as a file URL gives it (separators either way), names another machine
// or a device under these rules. Such a path must be refused before anything looks at it:
// looking resolves it, and resolving a machine's name already goes out on the network.
//   "//server/share/x.png", "\\server\share", "file://server/x" (as "//server/x")  #=> true
//   "//./pipe/x", "\\?\C:\x", "C:/board/NUL", "C:/board/com1.txt"                    #=> true
//   "C:/board/parts/Panel.qml", "C:/board/nullable.png"                              #=> false
// Under Linux's rules nothing is: "//server/share" is the folder "/server/share".
bool NamesHostOrDevice(QStringView path, const PathRules &rules);

// Whether `path` is `folder` or lies inside it (both canonical, with "/" separators).
//   "C:/Brevanto/parts/A.qml" in "c:/brevanto"  #=> true under Windows' rules, false under Linux's
//   "/opt/brevanto-old/x" in "/opt/brevanto"    #=> false
bool IsInside(QStringView path, QStringView folder, const PathRules &rules);

// Whether `path` names a file without a current folder: "/x" under Linux's rules, "C:/x" or
// "//server/x" under Windows'.
bool IsAbsolute(QStringView path, const PathRules &rules);

// The absolute form of `path`, with "/" separators and without "." or ".." (taken as written, not
// where links lead), a relative path taken from the folder `current` (absolute and clean):
//   "parts/../logo.png" from "/boards/club"          #=> "/boards/club/logo.png"
//   "/boards/club/../../etc/x"                       #=> "/etc/x"
//   "C:\board\..\x.png" under Windows' rules         #=> "C:/x.png"
//   "/x.png" from "D:/boards" under Windows' rules   #=> "D:/x.png"
// Only strings are looked at, the same on every system: nothing asks the file system (or Qt's
// file engines) anything. ".." at the root stays there, as the system takes it.
QString CleanAbsolute(QStringView path, QStringView current, const PathRules &rules);

// The key under which a path is remembered: one for all the names of one file.
QString PathKey(const QString &path, const PathRules &rules);
