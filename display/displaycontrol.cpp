// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaycontrol.h"

#include "boardlink.h"
#include "boardvariables.h"
#include "clockdriver.h"
#include "horn.h"
#include "movienotice.h"
#include "textnumber.h"

#include <QPaintEvent>
#include <QPainter>

using namespace std::chrono_literals;

namespace {

// Long enough that a board loading as it should shows nothing but itself; short enough that the
// operator does not wonder at a black area.
constexpr auto LoadingNoticeDelay = 500ms;

} // namespace

DisplayControl::DisplayControl(DisplayServices services, QWidget *parent)
    : QWidget(parent), m_clock(new ClockDriver(services.clockTime, this)),
      m_link(new BoardLink(BoardLink::Audience::Program, this))
{
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted, from the frame or black.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_clock, &ClockDriver::textChanged, this, &DisplayControl::clockTextChanged);
    if (services.horn) {
        connect(m_clock, &ClockDriver::expired, this, std::move(services.horn));
    } else {
        auto *horn = new Horn(this);
        connect(m_clock, &ClockDriver::expired, horn, &Horn::sound);
    }
    connect(m_link, &BoardLink::shownChanged, this, &DisplayControl::showFrame);
    connect(m_link, &BoardLink::outcomeChanged, this, [this] {
        update();
        Q_EMIT movieChanged();
    });
    m_link->frames().setVariable(BoardName::Clock, m_clock->text());
    m_loadingDelay.setSingleShot(true);
    // Precise: boards are promised half a second of black, and a coarse timer may fire early.
    m_loadingDelay.setTimerType(Qt::PreciseTimer);
    m_loadingDelay.setInterval(LoadingNoticeDelay);
    connect(&m_loadingDelay, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

DisplayControl::~DisplayControl() = default;

void DisplayControl::setMovie(const QString &path)
{
    Q_EMIT called(QStringLiteral("Movie"), {path});
    m_moviePath = path;
    tellSize();
    m_link->load(path);
    m_loadingDelay.start();
    update();
}

bool DisplayControl::isMovieLoaded() const
{
    return m_link->isPlaying();
}

QStringList DisplayControl::confinement() const
{
    return m_link->confinement();
}

QString DisplayControl::notice() const
{
    return m_link->notice();
}

void DisplayControl::SetVariable(const QString &name, const QString &value)
{
    Q_EMIT called(QStringLiteral("SetVariable"), {name, value});
    m_link->frames().setVariable(name, value);
}

QString DisplayControl::GetVariable(const QString &name)
{
    Q_EMIT called(QStringLiteral("GetVariable"), {name});
    if (name == BoardName::Minutes || name == BoardName::Seconds ||
        name == BoardName::Milliseconds) {
        const GameClock::Reading now = m_clock->reading();
        const int value = name == BoardName::Minutes   ? now.min
                          : name == BoardName::Seconds ? now.sec
                                                       : now.mil;
        return QString::number(value);
    }
    return m_link->frames().value(name);
}

void DisplayControl::GotoFrame(int frame)
{
    Q_EMIT called(QStringLiteral("GotoFrame"), {QString::number(frame)});
    m_clock->gotoFrame(frame);
    prepareNextClockText();
}

void DisplayControl::Play()
{
    Q_EMIT called(QStringLiteral("Play"), {});
    m_clock->play(TextToNumber(m_link->frames().value(BoardName::StartMinutes)),
                  TextToNumber(m_link->frames().value(BoardName::StartSeconds)));
    prepareNextClockText();
}

void DisplayControl::clockTextChanged(const QString &text)
{
    m_link->frames().setVariable(BoardName::Clock, text);
    prepareNextClockText();
}

void DisplayControl::prepareNextClockText()
{
    // The next change of the clock is known: its frame is drawn ahead, to be shown the moment
    // it comes.
    if (const std::optional<QString> next = m_clock->nextText())
        m_link->frames().prepare(BoardName::Clock, *next);
    else
        m_link->frames().unprepare();
}

void DisplayControl::showFrame(const QRect &changed)
{
    const double ratio = devicePixelRatioF();
    const QRect logical = QRectF(changed.x() / ratio, changed.y() / ratio, changed.width() / ratio,
                                 changed.height() / ratio)
                              .toAlignedRect();
    // At once rather than at the next turn of the event loop: a change of the clock is shown
    // at its moment.
    repaint(logical);
}

void DisplayControl::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    Q_EMIT focusReceived();
}

void DisplayControl::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage frame = m_link->shown();
    if (!frame.isNull()) {
        const double ratio = frame.devicePixelRatio();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (const QRect &rect : event->region()) {
            const QRectF source(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                rect.height() * ratio);
            painter.drawImage(QRectF(rect), frame, source);
        }
        return;
    }
    painter.fillRect(rect(), Qt::black);
    QString text = notice();
    if (text.isEmpty() && m_link->isLoading() && !m_loadingDelay.isActive())
        text = LoadingNoticeText();
    if (!text.isEmpty()) {
        QFont font = painter.font();
        font.setPixelSize(qMax(10, height() / 14));
        painter.setFont(font);
        painter.setPen(QColor(0xb0, 0xb0, 0xb0));
        const int margin = width() / 20;
        painter.drawText(rect().adjusted(margin, 0, -margin, 0), Qt::AlignCenter | Qt::TextWordWrap,
                         text);
    }
}

void DisplayControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    tellSize();
}

void DisplayControl::tellSize()
{
    const double ratio = devicePixelRatioF();
    m_link->frames().setSize((QSizeF(size()) * ratio).toSize(), ratio);
}
