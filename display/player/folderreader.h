// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

// One file as the system knows it: the same file by any name or link has one identity.
struct FileIdentity
{
    quint64 volume = 0;
    quint64 file = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};
size_t qHash(const FileIdentity &identity, size_t seed = 0);

// What lies at a name beneath a folder.
struct FolderEntry
{
    enum class Kind
    {
        File,
        Folder,
        Missing,
        LinkOut,    // a link on the way leads out of the folder
        NotAFile,   // a device, a pipe, a socket
        Unreadable, // there, but the system will not let it be read
        TooLarge,   // more bytes than were asked for at most
    };
    Kind kind = Kind::Missing;
    // A file's, with all its bytes.
    FileIdentity identity;
    QByteArray bytes;
};

// A folder opened once, and the files beneath it read without ever leaving it: a name is resolved
// from the folder itself, a link is followed only while it stays beneath the folder, whatever the
// length of the path it leads to, and the file is read through what was resolved, so that a link
// changed by someone else between the look and the read changes nothing. One file per system
// (folderreader_<system>.cpp).
//
// Neither this nor ResolvedPath asks Qt's file engines: they serve the gate Qt asks.
class FolderReader
{
public:
    // `folder`: absolute, with "/" separators, as ResolvedPath gives it.
    explicit FolderReader(const QString &folder);
    ~FolderReader();
    FolderReader(const FolderReader &) = delete;
    FolderReader &operator=(const FolderReader &) = delete;

    bool isOpen() const;
    // `name`: "/"-separated below the folder, without "." or ".." ("parts/logo.png"); empty for
    // the folder itself. A file of more than `limit` bytes is TooLarge, counted as it is read.
    FolderEntry read(const QString &name, qint64 limit) const;

private:
    struct Opened;
    std::unique_ptr<Opened> m_opened;
};

// The absolute path (with "/" separators) of what `path` names once every link is followed, as
// the system resolves it; empty when that fails (nothing there, or a path too long to spell).
QString ResolvedPath(const QString &path);
