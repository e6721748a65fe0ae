// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviesandbox.h"

#include "pathrules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {

QString CanonicalFolder(const QString &folder)
{
    return QFileInfo(folder).canonicalFilePath();
}

// Serves the movie's own files, the program's resources and data written out in place; every
// other request (http, ftp, ...) is turned into one for a file that is not there.
class LocalOnlyNetwork : public QNetworkAccessManager
{
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *data) override
    {
        const QString scheme = request.url().scheme();
        if (scheme == u"file" || scheme == u"qrc" || scheme == u"data")
            return QNetworkAccessManager::createRequest(operation, request, data);
        return QNetworkAccessManager::createRequest(operation,
                                                    QNetworkRequest(MovieSandbox::Refused()), data);
    }
};

} // namespace

QUrl MovieSandbox::Refused()
{
    return QUrl(QStringLiteral("file:///nonexistent/brevanto-refused"));
}

void MovieSandbox::setFolders(const QString &movieFolder, const QStringList &moduleFolders)
{
    const QMutexLocker lock(&m_mutex);
    m_movieFolder = CanonicalFolder(movieFolder);
    m_moduleFolders.clear();
    for (const QString &folder : moduleFolders) {
        const QString canonical = CanonicalFolder(folder);
        if (!canonical.isEmpty() && !IsInside(m_movieFolder, canonical, m_rules))
            m_moduleFolders.append(canonical);
    }
    m_verdicts.clear();
    m_documentBytes = 0;
    m_refusal.reset();
}

QUrl MovieSandbox::intercept(const QUrl &url, DataType type)
{
    const QString scheme = url.scheme();
    if (scheme == u"qrc" || scheme == u"data" || scheme == u"image")
        return url;
    if (!url.isLocalFile())
        return Refused();
    const QString local = url.toLocalFile();
    if (NamesHostOrDevice(local, m_rules))
        return Refused();
    const QString path = QFileInfo(local).canonicalFilePath();
    // A file that is not there stays a file that is not there.
    if (path.isEmpty())
        return url;
    return allowed(path, type) ? url : Refused();
}

bool MovieSandbox::allowed(const QString &path, DataType type)
{
    const QMutexLocker lock(&m_mutex);
    for (const QString &folder : std::as_const(m_moduleFolders)) {
        if (IsInside(path, folder, m_rules))
            return true;
    }
    if (!IsInside(path, m_movieFolder, m_rules))
        return false;
    const QString key = PathKey(path, m_rules);
    if (const auto verdict = m_verdicts.constFind(key); verdict != m_verdicts.cend())
        return *verdict;

    const bool document = type != UrlString;
    const BoundedFile file = ReadBounded(
        path, document ? qMin(MovieLimits::DocumentBytes, MovieLimits::MovieBytes - m_documentBytes)
                       : MovieLimits::OtherBytes);
    const bool ok = !file.failure;
    if (ok && document)
        m_documentBytes += file.contents.size();
    m_verdicts.insert(key, ok);
    if (!ok) {
        // Not a regular file (a device, a pipe) is refused as a file that is not there.
        if (file.failure == ReadFailure::TooLarge)
            m_refusal = MovieOutcome::TooLarge;
        else if (file.failure == ReadFailure::Unreadable)
            m_refusal = MovieOutcome::Unreadable;
        qWarning("Scoreboard movie: %s is refused (not a file, or too large)", qPrintable(path));
    }
    return ok;
}

std::optional<MovieOutcome> MovieSandbox::refusal()
{
    const QMutexLocker lock(&m_mutex);
    return m_refusal;
}

QNetworkAccessManager *MovieSandbox::create(QObject *parent)
{
    return new LocalOnlyNetwork(parent);
}

BoundedFile ReadBounded(const QString &path, qint64 limit)
{
    // Not a pipe or a device: opening a pipe would wait for a writer for ever.
    const QFileInfo info(path);
    if (!info.isFile())
        return {{}, ReadFailure::Missing};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {{}, ReadFailure::Unreadable};
    QByteArray contents;
    char buffer[16 * 1024];
    for (;;) {
        const qint64 read = file.read(buffer, sizeof buffer);
        if (read < 0)
            return {{}, ReadFailure::Unreadable};
        if (read == 0)
            return {contents, std::nullopt};
        if (contents.size() + read > limit)
            return {{}, ReadFailure::TooLarge};
        contents.append(buffer, read);
    }
}
