#include "displaycontrol.h"

#include "clockdriver.h"
#include "horn.h"
#include "moviewatchdog.h"
#include "textnumber.h"

#include <QFile>
#include <QFileInfo>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlPropertyMap>
#include <QQuickItem>
#include <QUrl>

DisplayControl::DisplayControl(QWidget *parent)
    : QQuickWidget(parent), m_board(new QQmlPropertyMap(this)), m_horn(new Horn(this))
{
    connect(m_horn, &Horn::sounded, this, &DisplayControl::hornSounded);
    startClock({});
    setFocusPolicy(Qt::StrongFocus);
    setResizeMode(QQuickWidget::SizeRootObjectToView);
    setClearColor(Qt::black);
    engine()->rootContext()->setContextProperty(QStringLiteral("board"), m_board);
    setSource(QUrl(QStringLiteral("qrc:/display/stage.qml")));
}

DisplayControl::~DisplayControl()
{
    unloadMovie();
}

void DisplayControl::setMovie(const QString &path)
{
    Q_EMIT called(QStringLiteral("Movie"), {path});
    m_moviePath = path;
    unloadMovie();

    const QFileInfo info(path);
    if (!info.isFile()) {
        showNotice(tr("No scoreboard movie"));
        return;
    }
    if (info.size() > MaxMovieBytes) {
        showNotice(tr("The scoreboard movie is too large to play"));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showNotice(tr("The scoreboard movie cannot be read"));
        return;
    }
    const QByteArray document = file.readAll();
    if (document.trimmed().isEmpty()) {
        showNotice(tr("No scoreboard movie"));
        return;
    }

    // The file is read here rather than by URL so that its name need not end in ".qml" and a
    // hostile size is refused before the engine sees it.
    QQmlComponent component(engine());
    component.setData(document, QUrl::fromLocalFile(info.absoluteFilePath()));
    // A movie whose scripts do not finish starting is cut short and counts as broken.
    const MovieWatchdog watchdog(engine(), MovieWatchdog::StartLimit);
    QObject *created = component.isReady() ? component.create(engine()->rootContext()) : nullptr;
    auto *item = qobject_cast<QQuickItem *>(created);
    if (!item || watchdog.fired()) {
        delete created;
        if (component.isError())
            qWarning("Scoreboard movie: %s", qPrintable(component.errorString()));
        showNotice(tr("The scoreboard movie cannot be played"));
        return;
    }

    QQuickItem *stage = rootObject();
    item->setParentItem(stage->findChild<QQuickItem *>(QStringLiteral("holder")));
    m_movieItem = item;
    stage->setProperty("movie", QVariant::fromValue(item));
    showNotice(QString());
}

void DisplayControl::SetVariable(const QString &name, const QString &value)
{
    Q_EMIT called(QStringLiteral("SetVariable"), {name, value});
    publish(name, value);
}

void DisplayControl::publish(const QString &name, const QString &value)
{
    m_values.insert(name, value);
    // Names the property map refuses (its own members, say) are still kept for GetVariable.
    if (m_board->value(name).toString() != value || !m_board->contains(name))
        m_board->insert(name, value);
}

QString DisplayControl::GetVariable(const QString &name)
{
    Q_EMIT called(QStringLiteral("GetVariable"), {name});
    if (name == QLatin1String("min") || name == QLatin1String("sec") ||
        name == QLatin1String("mil")) {
        const GameClock::Reading now = m_clock->reading();
        const int value = name == QLatin1String("min")   ? now.min
                          : name == QLatin1String("sec") ? now.sec
                                                         : now.mil;
        return QString::number(value);
    }
    return m_values.value(name);
}

void DisplayControl::GotoFrame(int frame)
{
    Q_EMIT called(QStringLiteral("GotoFrame"), {QString::number(frame)});
    m_clock->gotoFrame(frame);
}

void DisplayControl::Play()
{
    Q_EMIT called(QStringLiteral("Play"), {});
    m_clock->play(TextToNumber(m_values.value(QStringLiteral("s_min"))),
                  TextToNumber(m_values.value(QStringLiteral("s_sec"))));
}

void DisplayControl::setTimeSource(GameClock::TimeSource now)
{
    startClock(std::move(now));
}

void DisplayControl::startClock(GameClock::TimeSource now)
{
    m_clock = std::make_unique<ClockDriver>(std::move(now));
    connect(m_clock.get(), &ClockDriver::textChanged, this,
            [this](const QString &text) { publish(QStringLiteral("clock"), text); });
    connect(m_clock.get(), &ClockDriver::expired, m_horn, &Horn::sound);
    publish(QStringLiteral("clock"), m_clock->text());
}

void DisplayControl::focusInEvent(QFocusEvent *event)
{
    QQuickWidget::focusInEvent(event);
    Q_EMIT focusReceived();
}

void DisplayControl::showNotice(const QString &text)
{
    m_notice = text;
    if (QQuickItem *stage = rootObject())
        stage->setProperty("notice", text);
}

void DisplayControl::unloadMovie()
{
    if (!m_movieItem)
        return;
    if (QQuickItem *stage = rootObject())
        stage->setProperty("movie", QVariant::fromValue<QQuickItem *>(nullptr));
    delete m_movieItem;
    m_movieItem = nullptr;
}
