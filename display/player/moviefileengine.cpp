// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's file engines are its private API (Qt6::CorePrivate): the only place that sees every name
// Qt opens, whichever of its classes opens it.
#include <QtCore/private/qabstractfileengine_p.h>

#include "moviefileengine.h"

#include "moviefiles.h"
#include "pathrules.h"

#include <QDateTime>
#include <QDir>

#include <cstring>

namespace {

// The folder of a clean absolute path: "/b/x.png" #=> "/b", "/x" #=> "/", "C:/x" #=> "C:/".
QString FolderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash);
    return folder.isEmpty() || folder.endsWith(u':') ? path.left(slash + 1) : folder;
}

// One name as the gate answered it: a file served from memory, a folder with nothing to list,
// or nothing at all. Never a file on a disk (no LocalDiskFlag): Qt then reads it here rather
// than give its path to a library of its own (FreeType, for a font).
class ServedEngine final : public QAbstractFileEngine
{
public:
    ServedEngine(const QString &name, MovieFiles::Answer answer, const PathRules &rules)
        : m_name(name), m_absolute(CleanAbsolute(name, QDir::currentPath(), rules)),
          m_answer(std::move(answer)), m_rules(rules)
    {
    }

    bool open(QIODevice::OpenMode mode, std::optional<QFile::Permissions>) override
    {
        if (m_answer.kind != MovieFiles::Answer::Kind::File) {
            setError(QFile::OpenError, QStringLiteral("No such file or directory"));
            return false;
        }
        if (mode & (QIODevice::WriteOnly | QIODevice::Append | QIODevice::Truncate)) {
            setError(QFile::OpenError, QStringLiteral("Read-only file"));
            return false;
        }
        m_position = 0;
        return true;
    }
    bool close() override { return true; }
    qint64 size() const override { return m_answer.bytes.size(); }
    qint64 pos() const override { return m_position; }
    bool seek(qint64 position) override
    {
        if (position < 0 || position > size())
            return false;
        m_position = position;
        return true;
    }
    bool isSequential() const override { return false; }
    qint64 read(char *data, qint64 most) override
    {
        const qint64 count = qBound(qint64(0), qMin(most, size() - m_position), size());
        std::memcpy(data, m_answer.bytes.constData() + m_position, size_t(count));
        m_position += count;
        return count;
    }

    bool caseSensitive() const override { return m_rules.caseSensitivity == Qt::CaseSensitive; }
    bool isRelativePath() const override { return !IsAbsolute(m_name, m_rules); }
    FileFlags fileFlags(FileFlags type) const override
    {
        constexpr FileFlags Readable =
            ExistsFlag | ReadOwnerPerm | ReadUserPerm | ReadGroupPerm | ReadOtherPerm;
        switch (m_answer.kind) {
        case MovieFiles::Answer::Kind::File:
            return type & (Readable | FileType);
        case MovieFiles::Answer::Kind::Folder:
            return type & (Readable | DirectoryType | ExeOwnerPerm | ExeUserPerm | ExeGroupPerm |
                           ExeOtherPerm);
        default:
            return {};
        }
    }
    QString fileName(FileName kind) const override
    {
        switch (kind) {
        case DefaultName:
            return m_name;
        case BaseName:
            return m_absolute.mid(m_absolute.lastIndexOf(u'/') + 1);
        case PathName:
        case AbsolutePathName:
        case CanonicalPathName:
            return FolderOf(m_absolute);
        case AbsoluteName:
        case CanonicalName:
            return m_absolute;
        default:
            return {};
        }
    }
    // A name of its own would need the gate's answer for it: this one names nothing then.
    void setFileName(const QString &name) override
    {
        m_name = name;
        m_absolute = CleanAbsolute(name, QDir::currentPath(), m_rules);
        m_answer = {};
    }
    QDateTime fileTime(FileTime) const override { return {}; }
    QStringList entryList(QDir::Filters, const QStringList &) const override { return {}; }
    Iterator *beginEntryList(QDir::Filters, const QStringList &) override { return nullptr; }

private:
    QString m_name;
    QString m_absolute;
    MovieFiles::Answer m_answer;
    const PathRules m_rules;
    qint64 m_position = 0;
};

// Asked from every thread that opens a file. Anything of Qt's files used in here would ask it
// again: the gate uses the system's calls only.
class GateHandler final : public QAbstractFileEngineHandler
{
public:
    explicit GateHandler(MovieFiles &files) : m_files(files) {}

    QAbstractFileEngine *create(const QString &name) const override
    {
        MovieFiles::Answer answer = m_files.ask(name);
        if (answer.kind == MovieFiles::Answer::Kind::Qt)
            return nullptr;
        return new ServedEngine(name, std::move(answer), m_rules);
    }

private:
    MovieFiles &m_files;
    const PathRules m_rules = SystemPathRules();
};

} // namespace

MovieFileEngine::MovieFileEngine(MovieFiles &files)
    : m_handler(std::make_unique<GateHandler>(files))
{
}

MovieFileEngine::~MovieFileEngine() = default;
