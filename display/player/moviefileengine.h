// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <memory>

QT_BEGIN_NAMESPACE
class QAbstractFileEngineHandler;
QT_END_NAMESPACE

class MovieFiles;

// Puts MovieFiles between Qt and every file of this process, for as long as it lives: whatever
// asks for a file by name (QFile, QFileInfo, QDir, and so the engine, its pictures, fonts,
// rich text, SVG and worker scripts) gets what `files` answers. A file of the movie's is served
// from memory, never as a file on a disk (so nothing hands its path to a library that opens it
// itself), and never for writing; what it may not have is not there.
class MovieFileEngine
{
public:
    explicit MovieFileEngine(MovieFiles &files);
    ~MovieFileEngine();
    MovieFileEngine(const MovieFileEngine &) = delete;
    MovieFileEngine &operator=(const MovieFileEngine &) = delete;

private:
    std::unique_ptr<QAbstractFileEngineHandler> m_handler;
};
