// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "folderreader.h"
#include "movieoutcome.h"
#include "pathrules.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Why something the movie reaches for is refused. Each comes to the board's author as one line,
//   Scoreboard movie: /boards/club/../secret.png is refused: outside the board's folder
// with the path as the engine asked for it, which the preview reads (RefusedFiles) to say where
// the board asked for it and how to mend it.
enum class Refusal
{
    Outside,
    LinkOut,
    NotAFile,
    Unreadable,
    NetworkAddress,
    Plugin,
    ModuleLine,
    DataDocument,
    FileRequest,
    DocumentTooLarge,
    AllDocumentsTooLarge,
    FileTooLarge,
    AllFilesTooLarge,
};
QString RefusalReason(Refusal refusal);

// Every file the movie reads, through one gate: what the engine asks for by name, from any of
// its threads, is answered here. Qt's own folders (its plugins and QML modules, its fonts) and
// the system's fonts are Qt's to read; a file beneath the movie's folder is resolved without
// leaving it (FolderReader), read once, kept by its identity and counted once against the
// movie's limits (MovieLimits) by what it is used for; everything else is refused, as a file
// that is not there.
//
// What a file is used for comes from its name (".qml", ".js", ".mjs", "qmldir" are documents)
// or from the engine's word (readAsDocument()); everything else is held to the limit of a
// picture. A movie that reaches for a file too large, or one that cannot be read, is refused
// whole (refusal()); a file it may not have is only missing.
class MovieFiles
{
public:
    // What the engine is to make of a name.
    struct Answer
    {
        enum class Kind
        {
            Qt,      // not the movie's: Qt reads it itself
            Folder,  // a folder of the movie's
            File,    // a file of the movie's: its bytes
            Missing, // nothing there, or refused
        };
        Kind kind = Kind::Missing;
        QByteArray bytes;
    };

    // The movie's own document, with the path it is to be known by: its file's once links are
    // followed, in the movie's folder.
    struct Movie
    {
        QString path;
        QByteArray document;
        std::optional<MovieOutcome> failure;
    };

    // Qt's folders are taken now: Qt asks its file engines to find them.
    MovieFiles();
    ~MovieFiles();
    MovieFiles(const MovieFiles &) = delete;
    MovieFiles &operator=(const MovieFiles &) = delete;

    // Reads the movie at `path` and makes its folder the one files are read from: what was read
    // and counted before is forgotten.
    Movie open(const QString &path);

    // The answer for a name as the engine gives it: absolute or relative, any separators,
    // "." and ".." in it.
    Answer ask(const QString &name);
    // The engine is about to read the local file `path` as a document (a part, a script, a
    // qmldir), whatever its name: it is held to a document's limits, for every reader from now
    // on.
    void readAsDocument(const QString &path);
    // Said in the words of the gate, once for each thing refused, for the parts of the sandbox
    // that refuse addresses rather than files.
    void refuse(const QString &what, Refusal why);

    // Why the movie is refused whole, if it is.
    std::optional<MovieOutcome> refusal();

private:
    struct Kept
    {
        QByteArray bytes;
        // Counted among the documents.
        bool document = false;
        // Too large for what it was used for: refused to every reader since.
        std::optional<Refusal> refused;
    };
    enum class Use
    {
        Document,
        Other,
    };

    // An answer, and the refusal to say once the lock is let go.
    struct Verdict
    {
        Answer answer;
        std::optional<Refusal> refused = {};
        // The movie refused whole for it; made known only once the refusal is said, so that
        // whoever ends the process for it has the reason on its error output already.
        std::optional<MovieOutcome> refusesMovie = {};
    };

    Verdict judge(const QString &name, Use use);
    Verdict inside(const QString &name, Use use);
    void warn(const QString &what, Refusal why);
    // Says the verdict's refusal, then makes its refusal of the movie known.
    void publish(const Verdict &verdict, const QString &what);

    const PathRules m_rules = SystemPathRules();
    const QStringList m_qtFolders;
    QMutex m_mutex;
    QString m_folder;
    std::unique_ptr<FolderReader> m_reader;
    // The movie's names resolved so far (by PathKey, below the folder): a file's identity, or
    // none for a folder.
    QHash<QString, std::optional<FileIdentity>> m_names;
    QHash<FileIdentity, Kept> m_kept;
    qint64 m_allFiles = 0;
    qint64 m_allDocuments = 0;
    std::optional<MovieOutcome> m_refusal;
    QSet<QString> m_warned;
};
