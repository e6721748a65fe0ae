// SPDX-License-Identifier: GPL-3.0-or-later
#include "moviesandbox.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {

// A data: address holds its whole document: enough of it to know it again.
QString Shown(const QUrl &url)
{
    constexpr qsizetype Most = 60;
    const QString text = url.toString();
    return text.size() > Most ? text.first(Most) + QStringLiteral("...") : text;
}

// Serves data written out in place (a picture's bytes, say); every other request, for a file
// too, is turned into one for an address nothing serves.
class DataOnlyNetwork : public QNetworkAccessManager
{
public:
    DataOnlyNetwork(MovieFiles &files, QObject *parent)
        : QNetworkAccessManager(parent), m_files(files)
    {
    }

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &request,
                                 QIODevice *data) override
    {
        const QUrl url = request.url();
        if (url.scheme() == u"data")
            return QNetworkAccessManager::createRequest(operation, request, data);
        // The engine's own request for what was refused before.
        if (url != MovieSandbox::Refused())
            m_files.refuse(Shown(url),
                           url.isLocalFile() ? Refusal::FileRequest : Refusal::NetworkAddress);
        return QNetworkAccessManager::createRequest(operation,
                                                    QNetworkRequest(MovieSandbox::Refused()), data);
    }

private:
    MovieFiles &m_files;
};

// Qt's plugins from its own folder only, and the module folders for the engine. Before the gate is
// up: Qt asks its file engines where its folders are.
QStringList QtModulesOnly()
{
    QCoreApplication::setLibraryPaths({QLibraryInfo::path(QLibraryInfo::PluginsPath)});
    return {QLibraryInfo::path(QLibraryInfo::QmlImportsPath),
            MovieSandbox::QtResourceModules.toString()};
}

} // namespace

MovieSandbox::MovieSandbox() : m_moduleFolders(QtModulesOnly()) {}

QUrl MovieSandbox::Refused()
{
    // With a host: an address without one the network's file backend looks for as a file.
    return QUrl(QStringLiteral("brevanto-refused://nowhere"));
}

QUrl MovieSandbox::intercept(const QUrl &asked, DataType type)
{
    // "C:/logo.png" where an address goes: Qt takes the drive for a scheme, the author meant a
    // file, which the gate judges as such.
    QUrl url = asked.scheme().size() == 1 && SystemPathRules().drives
                   ? QUrl::fromLocalFile(asked.scheme().toUpper() + u':' + asked.path())
                   : asked;
    // None, or relative to nothing: the engine's own documents without an address ask so.
    if (url.isEmpty())
        return url;
    if (url.isRelative())
        return Refused();
    const bool document = type == QmlFile || type == JavaScriptFile || type == QmldirFile;
    const QString scheme = url.scheme();
    if (scheme == u"data") {
        // Pictures may come so; a document would be one the movie wrote while it played.
        if (!document)
            return url;
        m_files.refuse(Shown(url), Refusal::DataDocument);
        return Refused();
    }
    if (scheme == u"qrc") {
        const QUrl clean = url.adjusted(QUrl::NormalizePathSegments);
        if (clean.toString().startsWith(QtResourceModules + u'/'))
            return url;
        m_files.refuse(Shown(url), Refusal::Outside);
        return Refused();
    }
    if (!url.isLocalFile()) {
        m_files.refuse(Shown(url), Refusal::NetworkAddress);
        return Refused();
    }
    // Whatever its name, the engine reads it as a document: held to a document's limits. What
    // the gate refuses it finds missing (a qmldir so, the engine imports the plain folder).
    if (document)
        m_files.readAsDocument(url.toLocalFile());
    return url;
}

QNetworkAccessManager *MovieSandbox::create(QObject *parent)
{
    return new DataOnlyNetwork(m_files, parent);
}
