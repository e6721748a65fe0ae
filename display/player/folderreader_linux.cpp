// SPDX-License-Identifier: GPL-3.0-or-later
// openat2 from a descriptor of the folder: RESOLVE_BENEATH refuses every way out of it, by ".."
// or by a link, at any length; the file is then read through the descriptor it gave.
#include "folderreader.h"

#include <QFile>
#include <QHashFunctions>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

FolderEntry::Kind KindOfError(int error)
{
    switch (error) {
    case EXDEV:
        return FolderEntry::Kind::LinkOut;
    case EACCES:
    case EPERM:
        return FolderEntry::Kind::Unreadable;
    case ENXIO: // a socket
        return FolderEntry::Kind::NotAFile;
    default: // ENOENT, ENOTDIR, ELOOP (a loop, or more links than the system follows), ...
        return FolderEntry::Kind::Missing;
    }
}

FolderEntry ReadAll(int fd, const struct stat &status, qint64 limit)
{
    FolderEntry entry{
        FolderEntry::Kind::File, {quint64(status.st_dev), quint64(status.st_ino)}, {}};
    // The size the file reports is a hint: what counts is what is read.
    entry.bytes.reserve(qsizetype(qBound(qint64(0), qint64(status.st_size), limit) + 1));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {FolderEntry::Kind::Unreadable, {}, {}};
        if (got == 0)
            return entry;
        if (entry.bytes.size() + got > limit)
            return {FolderEntry::Kind::TooLarge, entry.identity, {}};
        entry.bytes.append(buffer, got);
    }
}

} // namespace

size_t qHash(const FileIdentity &identity, size_t seed)
{
    return qHashMulti(seed, identity.volume, identity.file);
}

struct FolderReader::Opened
{
    int folder;
};

FolderReader::FolderReader(const QString &folder)
{
    const int fd = open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        m_opened = std::make_unique<Opened>(Opened{fd});
}

FolderReader::~FolderReader()
{
    if (m_opened)
        close(m_opened->folder);
}

bool FolderReader::isOpen() const
{
    return bool(m_opened);
}

FolderEntry FolderReader::read(const QString &name, qint64 limit) const
{
    if (!m_opened)
        return {};
    // Not O_PATH: the file is read through this very descriptor. O_NONBLOCK, so that opening a
    // pipe does not wait for a writer; a device or a pipe is refused once it is open.
    open_how how{};
    how.flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    const QByteArray path = name.isEmpty() ? QByteArray(".") : QFile::encodeName(name);
    const Descriptor fd(
        int(syscall(SYS_openat2, m_opened->folder, path.constData(), &how, sizeof how)));
    if (fd.get() < 0)
        return {KindOfError(errno), {}, {}};
    struct stat status = {};
    if (fstat(fd.get(), &status) != 0)
        return {FolderEntry::Kind::Unreadable, {}, {}};
    if (S_ISDIR(status.st_mode))
        return {FolderEntry::Kind::Folder, {quint64(status.st_dev), quint64(status.st_ino)}, {}};
    if (!S_ISREG(status.st_mode))
        return {FolderEntry::Kind::NotAFile, {}, {}};
    return ReadAll(fd.get(), status, limit);
}

QString ResolvedPath(const QString &path)
{
    char resolved[PATH_MAX];
    if (!realpath(QFile::encodeName(path).constData(), resolved))
        return {};
    return QFile::decodeName(resolved);
}
