// SPDX-License-Identifier: GPL-3.0-or-later
// Windows has no open "beneath a handle": the file is opened (links and junctions followed),
// then the path the system itself gives for that open handle must lie in the folder's; it is
// read through the same handle, so a link changed meanwhile changes nothing.
#include "folderreader.h"

#include "pathrules.h"

#include <QDir>
#include <QHashFunctions>

#include <windows.h>

namespace {

class Handle
{
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (isValid())
            CloseHandle(m_handle);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool isValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// Folders too (FILE_FLAG_BACKUP_SEMANTICS); others may read, write or delete meanwhile, as they
// may on Linux.
HANDLE OpenForReading(const QString &path)
{
    return CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                       GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The path the system gives for an open file, "//?/C:/board/x.png" as "C:/board/x.png"
// ("//?/UNC/server/share" as "//server/share"); empty where it gives none.
QString FinalPath(HANDLE handle)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(length);
    }
    QString final = QDir::fromNativeSeparators(QString::fromStdWString(path));
    if (final.startsWith(u"//?/UNC/"))
        return u"//" + final.mid(8);
    if (final.startsWith(u"//?/"))
        return final.mid(4);
    return final;
}

// The long-path form, which takes paths beyond MAX_PATH and no "." or "..": the names given are
// clean already.
QString LongPath(const QString &path)
{
    if (path.startsWith(u"//"))
        return u"//?/UNC/" + path.mid(2);
    return u"//?/" + path;
}

FolderEntry::Kind KindOfError(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return FolderEntry::Kind::Unreadable;
    default:
        return FolderEntry::Kind::Missing;
    }
}

FolderEntry ReadAll(HANDLE handle, FileIdentity identity, qint64 limit)
{
    FolderEntry entry{FolderEntry::Kind::File, identity, {}};
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(handle, &size))
        entry.bytes.reserve(qsizetype(qBound(qint64(0), qint64(size.QuadPart), limit) + 1));
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr))
            return {FolderEntry::Kind::Unreadable, {}, {}};
        if (got == 0)
            return entry;
        if (entry.bytes.size() + qint64(got) > limit)
            return {FolderEntry::Kind::TooLarge, identity, {}};
        entry.bytes.append(buffer, qsizetype(got));
    }
}

} // namespace

size_t qHash(const FileIdentity &identity, size_t seed)
{
    return qHashMulti(seed, identity.volume, identity.file);
}

struct FolderReader::Opened
{
    // Held open, so that the folder cannot be renamed or replaced while the board plays.
    HANDLE folder;
    QString finalPath;
};

FolderReader::FolderReader(const QString &folder)
{
    const HANDLE handle = OpenForReading(LongPath(folder));
    if (handle == INVALID_HANDLE_VALUE)
        return;
    const QString finalPath = FinalPath(handle);
    if (finalPath.isEmpty()) {
        CloseHandle(handle);
        return;
    }
    m_opened = std::make_unique<Opened>(Opened{handle, finalPath});
}

FolderReader::~FolderReader()
{
    if (m_opened)
        CloseHandle(m_opened->folder);
}

bool FolderReader::isOpen() const
{
    return bool(m_opened);
}

FolderEntry FolderReader::read(const QString &name, qint64 limit) const
{
    if (!m_opened)
        return {};
    const QString folder = m_opened->finalPath;
    const Handle handle(OpenForReading(LongPath(name.isEmpty() ? folder : folder + u'/' + name)));
    if (!handle.isValid())
        return {KindOfError(GetLastError()), {}, {}};
    const PathRules rules = SystemPathRules();
    if (!IsInside(FinalPath(handle.get()), folder, rules))
        return {FolderEntry::Kind::LinkOut, {}, {}};
    BY_HANDLE_FILE_INFORMATION information = {};
    if (!GetFileInformationByHandle(handle.get(), &information))
        return {FolderEntry::Kind::Unreadable, {}, {}};
    const FileIdentity identity{information.dwVolumeSerialNumber,
                                (quint64(information.nFileIndexHigh) << 32) |
                                    information.nFileIndexLow};
    if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return {FolderEntry::Kind::Folder, identity, {}};
    if (GetFileType(handle.get()) != FILE_TYPE_DISK)
        return {FolderEntry::Kind::NotAFile, {}, {}};
    return ReadAll(handle.get(), identity, limit);
}

QString ResolvedPath(const QString &path)
{
    const Handle handle(OpenForReading(path));
    return handle.isValid() ? FinalPath(handle.get()) : QString();
}
