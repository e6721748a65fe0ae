// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "movieoutcome.h"
#include "moviesandbox.h"

#include <QString>
#include <QUrl>
#include <QtGlobal>

#include <optional>

class QQmlEngine;
class QQuickItem;

// Puts a scoreboard movie on the control's stage (stage.qml): the movie's design canvas scaled
// uniformly to fit and centred on black ("ShowAll"). The movie sees whatever the engine's root
// context offers it (the board's variables as `board`), and reads only what MovieSandbox lets
// it.
//
//   view.setSource(MovieLoader::StageUrl());
//   MovieLoader loader(view.engine(), view.rootObject());
//   loader.load(path);
class MovieLoader
{
public:
    static QUrl StageUrl();

    // `stage` is the item made from StageUrl() in `engine`; both outlive the loader. From now on
    // every file this process opens by name, the engine's and anyone's, passes the sandbox's gate:
    // make the loader before anything of the movie's is read, and once in a process.
    MovieLoader(QQmlEngine *engine, QQuickItem *stage);
    ~MovieLoader();
    MovieLoader(const MovieLoader &) = delete;
    MovieLoader &operator=(const MovieLoader &) = delete;

    // Reads the file and puts its movie on the stage, in place of the one before; its start is
    // cut short when its scripts do not finish (it then counts as broken). A link is followed:
    // the movie's folder, where its parts and pictures are, is that of the file linked to. A
    // movie that reaches for a file too large or not to be read, or whose canvas has no size
    // that can be shown, is refused whole.
    MovieOutcome load(const QString &path);
    // What the movie playing has done since its load that refuses it now; nothing while it keeps
    // within the limits.
    std::optional<MovieOutcome> breach();

    // The movie playing, none after a failed load.
    QQuickItem *movie() const { return m_movie; }

private:
    MovieOutcome create(const QByteArray &document, const QString &path);
    void unload();

    QQmlEngine *m_engine;
    QQuickItem *m_stage;
    MovieSandbox m_sandbox;
    QQuickItem *m_movie = nullptr;
};
