#include "displaycontrol.h"

#include "clockdriver.h"
#include "horn.h"
#include "movieloader.h"
#include "textnumber.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlPropertyMap>

DisplayControl::DisplayControl(GameClock::TimeSource clockTime, QWidget *parent)
    : QQuickWidget(parent), m_board(new QQmlPropertyMap(this)),
      m_clock(new ClockDriver(std::move(clockTime), this)), m_horn(new Horn(this))
{
    connect(m_horn, &Horn::sounded, this, &DisplayControl::hornSounded);
    connect(m_clock, &ClockDriver::textChanged, this,
            [this](const QString &text) { publish(QStringLiteral("clock"), text); });
    connect(m_clock, &ClockDriver::expired, m_horn, &Horn::sound);
    publish(QStringLiteral("clock"), m_clock->text());
    setFocusPolicy(Qt::StrongFocus);
    setResizeMode(QQuickWidget::SizeRootObjectToView);
    setClearColor(Qt::black);
    engine()->rootContext()->setContextProperty(QStringLiteral("board"), m_board);
    setSource(MovieLoader::StageUrl());
    m_loader = std::make_unique<MovieLoader>(engine(), rootObject());
}

DisplayControl::~DisplayControl() = default;

void DisplayControl::setMovie(const QString &path)
{
    Q_EMIT called(QStringLiteral("Movie"), {path});
    m_moviePath = path;
    m_loader->load(path);
}

bool DisplayControl::isMovieLoaded() const
{
    return m_loader->movie() != nullptr;
}

QString DisplayControl::notice() const
{
    return m_loader->notice();
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

void DisplayControl::focusInEvent(QFocusEvent *event)
{
    QQuickWidget::focusInEvent(event);
    Q_EMIT focusReceived();
}
