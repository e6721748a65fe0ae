// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movielimits.h"
#include "movieoutcome.h"
#include "pathrules.h"

#include <QHash>
#include <QMutex>
#include <QQmlAbstractUrlInterceptor>
#include <QQmlNetworkAccessManagerFactory>
#include <QString>
#include <QStringList>

#include <optional>

// What a scoreboard movie may read: its own files beside it, each within a size limit that
// counts the bytes read rather than trusting the size the file reports (a link to a device that
// never ends, a file that grows), the engine's own modules, and nothing from the network. A
// reference to anything else is turned into one to a file that is not there, so the movie fails
// to find it as it would a missing file. A path that names another machine or a device (on
// Windows) is refused before anything looks at it, and folders are compared as the system
// compares names (on Windows without regard to case).
//
// The engine asks from its loading thread as well as from the user-interface thread.
class MovieSandbox : public QQmlAbstractUrlInterceptor, public QQmlNetworkAccessManagerFactory
{
public:
    // Where every refused reference leads.
    static QUrl Refused();

    // Files may come from this folder (the movie's) and the engine's module folders; a module
    // folder that holds the movie's own (the program's folder, where the engine looks for
    // modules too) is no way around the limits.
    void setFolders(const QString &movieFolder, const QStringList &moduleFolders);

    QUrl intercept(const QUrl &url, DataType type) override;
    QNetworkAccessManager *create(QObject *parent) override;

    // Why a file of the movie's was last refused, if it was too large or not to be read.
    std::optional<MovieOutcome> refusal();

private:
    bool allowed(const QString &path, DataType type);

    const PathRules m_rules = SystemPathRules();
    QMutex m_mutex;
    QString m_movieFolder;
    QStringList m_moduleFolders;
    // Verdicts on the movie's files, by canonical path (PathKey), and the bytes of code allowed
    // so far.
    QHash<QString, bool> m_verdicts;
    qint64 m_documentBytes = 0;
    std::optional<MovieOutcome> m_refusal;
};

// The file's contents when it is a regular file of at most `limit` bytes, counting what is
// read. Why not, otherwise.
enum class ReadFailure
{
    Missing,
    TooLarge,
    Unreadable,
};
struct BoundedFile
{
    QByteArray contents;
    std::optional<ReadFailure> failure;
};
BoundedFile ReadBounded(const QString &path, qint64 limit);
