// SPDX-License-Identifier: GPL-3.0-or-later
#include "movieloader.h"

#include "moviewatchdog.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

#include <cmath>

QUrl MovieLoader::StageUrl()
{
    return QUrl(QStringLiteral("qrc:/display/stage.qml"));
}

MovieLoader::MovieLoader(QQmlEngine *engine, QQuickItem *stage) : m_engine(engine), m_stage(stage)
{
    m_engine->setImportPathList(m_sandbox.moduleFolders());
    m_engine->addUrlInterceptor(&m_sandbox);
    m_engine->setNetworkAccessManagerFactory(&m_sandbox);
}

MovieLoader::~MovieLoader()
{
    unload();
    m_engine->removeUrlInterceptor(&m_sandbox);
    m_engine->setNetworkAccessManagerFactory(nullptr);
}

MovieOutcome MovieLoader::load(const QString &path)
{
    unload();
    const MovieFiles::Movie movie = m_sandbox.open(path);
    MovieOutcome outcome = MovieOutcome::Missing;
    if (movie.failure)
        outcome = *movie.failure;
    else if (!movie.document.trimmed().isEmpty())
        outcome = create(movie.document, movie.path);
    if (outcome == MovieOutcome::Playing) {
        if (const std::optional<MovieOutcome> broken = breach()) {
            unload();
            outcome = *broken;
        }
    } else if (const std::optional<MovieOutcome> refused = m_sandbox.refusal()) {
        // A part refused for its size is why the movie did not play, whatever it reports.
        outcome = *refused;
    }
    return outcome;
}

std::optional<MovieOutcome> MovieLoader::breach()
{
    if (const std::optional<MovieOutcome> refused = m_sandbox.refusal())
        return refused;
    if (m_movie) {
        const qreal width = m_movie->width();
        const qreal height = m_movie->height();
        if (!(std::isfinite(width) && std::isfinite(height) && width > 0 && height > 0))
            return MovieOutcome::NoCanvas;
    }
    return std::nullopt;
}

MovieOutcome MovieLoader::create(const QByteArray &document, const QString &path)
{
    // The file is read here rather than by URL so that its name need not end in ".qml" and a
    // hostile size is refused before the engine sees it.
    QQmlComponent component(m_engine);
    component.setData(document, QUrl::fromLocalFile(path));
    QObject *created = nullptr;
    const bool cutShort = RunWatched(m_engine, StartLimit, [&] {
        if (component.isReady())
            created = component.create(m_engine->rootContext());
    });
    auto *item = qobject_cast<QQuickItem *>(created);
    if (!item || cutShort) {
        delete created;
        if (component.isError())
            qWarning("Scoreboard movie: %s", qPrintable(component.errorString()));
        return MovieOutcome::Broken;
    }
    item->setParentItem(m_stage->findChild<QQuickItem *>(QStringLiteral("holder")));
    m_movie = item;
    m_stage->setProperty("movie", QVariant::fromValue(item));
    return MovieOutcome::Playing;
}

void MovieLoader::unload()
{
    if (!m_movie)
        return;
    m_stage->setProperty("movie", QVariant::fromValue<QQuickItem *>(nullptr));
    delete m_movie;
    m_movie = nullptr;
}
