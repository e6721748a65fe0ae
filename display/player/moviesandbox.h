// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "moviefileengine.h"
#include "moviefiles.h"
#include "movieoutcome.h"

#include <QQmlAbstractUrlInterceptor>
#include <QQmlNetworkAccessManagerFactory>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

#include <optional>

// What a scoreboard movie may read: its own files beside it, each within its limits, and the
// engine's own modules; nothing from the network, and no file written. Every file is read
// through one gate (MovieFiles, put before every file of this process by MovieFileEngine, made
// with the sandbox); the engine's addresses are looked at here first: a document or script
// written into a data: address, another of the program's resources than Qt's own modules, and
// every address that is not a local file are turned into one that leads nowhere. The engine's
// network serves data: addresses only, so that no request (XMLHttpRequest) reads or writes a
// file, whatever the environment allows it.
//
// The engine asks from its loading thread as well as from the user-interface thread.
class MovieSandbox : public QQmlAbstractUrlInterceptor, public QQmlNetworkAccessManagerFactory
{
public:
    // Takes Qt's plugins from Qt's folder only from now on, not the program's, where Qt looks too
    // unless told: a board beside the program brings no plugin of its own.
    MovieSandbox();

    // Where Qt keeps the QML modules compiled into its libraries.
    static constexpr QStringView QtResourceModules = u"qrc:/qt-project.org/imports";

    // Where every refused address leads: a scheme nothing serves, so that no file is looked at.
    static QUrl Refused();

    // Where the engine is to look for modules: Qt's own only, not the program's folder, where it
    // looks too unless told, nor what the environment adds.
    const QStringList &moduleFolders() const { return m_moduleFolders; }

    // Reads the movie at `path` and lets the movie's files come from its folder from now on.
    MovieFiles::Movie open(const QString &path) { return m_files.open(path); }

    QUrl intercept(const QUrl &asked, DataType type) override;
    QNetworkAccessManager *create(QObject *parent) override;

    // Why the movie is refused whole, if a file of its is too large or not to be read.
    std::optional<MovieOutcome> refusal() { return m_files.refusal(); }

private:
    // Qt's folders are taken before the gate is put in place.
    const QStringList m_moduleFolders;
    MovieFiles m_files;
    MovieFileEngine m_engine{m_files};
};
