#pragma once

#include <QString>
#include <QUrl>
#include <QtGlobal>

class QQmlEngine;
class QQuickItem;

// Puts a scoreboard movie on the control's stage (stage.qml): the movie's design canvas scaled
// uniformly to fit and centred on black ("ShowAll"), or a plain notice in its place when the
// file is missing, too large or no movie that plays. The movie sees whatever the engine's root
// context offers it (the board's variables as `board`).
//
//   view.setSource(MovieLoader::StageUrl());
//   MovieLoader loader(view.engine(), view.rootObject());
//   loader.load(path);
class MovieLoader
{
public:
    // Largest movie file read; a scoreboard document is a few kilobytes. The engine compiles
    // some documents in time that grows with the square of their size (64 KiB of sibling items
    // take about a second, 4 MiB take many minutes), and the window waits for it.
    static constexpr qint64 MaxMovieBytes = 64 * 1024;

    static QUrl StageUrl();

    // `stage` is the item made from StageUrl() in `engine`; it outlives the loader.
    MovieLoader(QQmlEngine *engine, QQuickItem *stage);
    ~MovieLoader();
    MovieLoader(const MovieLoader &) = delete;
    MovieLoader &operator=(const MovieLoader &) = delete;

    // Reads the file and puts its movie on the stage, in place of the one before; its start is
    // cut short when its scripts do not finish (it then counts as broken).
    void load(const QString &path);

    // The movie playing, none after a failed load; and the notice shown instead.
    QQuickItem *movie() const { return m_movie; }
    QString notice() const { return m_notice; }

private:
    void showNotice(const QString &text);
    void unload();

    QQmlEngine *m_engine;
    QQuickItem *m_stage;
    QQuickItem *m_movie = nullptr;
    QString m_notice;
};
