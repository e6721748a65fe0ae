#include "movieloader.h"

#include "moviewatchdog.h"

#include <QFile>
#include <QFileInfo>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>

QUrl MovieLoader::StageUrl()
{
    return QUrl(QStringLiteral("qrc:/display/stage.qml"));
}

MovieLoader::MovieLoader(QQmlEngine *engine, QQuickItem *stage) : m_engine(engine), m_stage(stage)
{
}

MovieLoader::~MovieLoader()
{
    unload();
}

void MovieLoader::load(const QString &path)
{
    unload();

    const QFileInfo info(path);
    if (!info.isFile()) {
        showNotice(QObject::tr("No scoreboard movie"));
        return;
    }
    if (info.size() > MaxMovieBytes) {
        showNotice(QObject::tr("The scoreboard movie is too large to play"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showNotice(QObject::tr("The scoreboard movie cannot be read"));
        return;
    }
    const QByteArray document = file.readAll();
    if (document.trimmed().isEmpty()) {
        showNotice(QObject::tr("No scoreboard movie"));
        return;
    }

    // The file is read here rather than by URL so that its name need not end in ".qml" and a
    // hostile size is refused before the engine sees it.
    QQmlComponent component(m_engine);
    component.setData(document, QUrl::fromLocalFile(info.absoluteFilePath()));
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
        showNotice(QObject::tr("The scoreboard movie cannot be played"));
        return;
    }

    item->setParentItem(m_stage->findChild<QQuickItem *>(QStringLiteral("holder")));
    m_movie = item;
    m_stage->setProperty("movie", QVariant::fromValue(item));
    showNotice(QString());
}

void MovieLoader::showNotice(const QString &text)
{
    m_notice = text;
    m_stage->setProperty("notice", text);
}

void MovieLoader::unload()
{
    if (!m_movie)
        return;
    m_stage->setProperty("movie", QVariant::fromValue<QQuickItem *>(nullptr));
    delete m_movie;
    m_movie = nullptr;
}
