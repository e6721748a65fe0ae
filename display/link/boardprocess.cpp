// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardprocess.h"

#include "processmemory.h"

#include <QCoreApplication>
#include <QPointer>

using namespace std::chrono_literals;

namespace {

// How often its memory is looked at, and it is asked whether it still listens when nothing
// else is asked.
constexpr std::chrono::milliseconds HealthInterval = 1s;

} // namespace

QString BoardProcess::Program()
{
    return QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(BREVANTO_BOARD_PROGRAM);
}

BoardProcess::BoardProcess(Warnings warnings, QObject *parent)
    : QObject(parent), m_warnings(warnings)
{
    m_answerDue.setSingleShot(true);
    connect(&m_answerDue, &QTimer::timeout, this, [this] { endFor(End::Hung); });
    m_health.setInterval(HealthInterval);
    connect(&m_health, &QTimer::timeout, this, &BoardProcess::checkHealth);
}

BoardProcess::~BoardProcess()
{
    // Its last warnings are for no one now.
    blockSignals(true);
    stop();
}

void BoardProcess::start()
{
    stop();
    m_frames = std::make_unique<SharedFrames>();
    m_reader = BoardProtocol::Reader<BoardProtocol::FromBoard>(BoardProtocol::LongestFromBoard);
    m_changeSaid = false;
    m_process = new QProcess(this);
    m_warning.clear();
    if (m_warnings == Warnings::Forwarded)
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        connect(m_process, &QProcess::readyReadStandardError, this, &BoardProcess::readWarnings);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &BoardProcess::readAnswers);
    connect(m_process, &QProcess::finished, this, [this] { endFor(End::Crashed); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            endFor(End::NotStarted);
    });
    if (!m_frames->isValid()) {
        endFor(End::NotStarted);
        return;
    }
    m_launch.start(*m_process, Program(), *m_frames, MemoryLimit);
    m_health.start();
}

void BoardProcess::stop()
{
    m_answerDue.stop();
    m_questions.clear();
    m_health.stop();
    if (!m_process)
        return;
    QProcess *process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
    // What it wrote before it was ended, perhaps read only now: the line of its refusal that
    // came before the answer that refused it.
    if (m_warnings == Warnings::Captured)
        takeWarnings(process->readAllStandardError());
    // Perhaps from inside one of its own signals.
    process->deleteLater();
}

bool BoardProcess::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

qint64 BoardProcess::processId() const
{
    return isRunning() ? m_process->processId() : 0;
}

void BoardProcess::tell(const BoardProtocol::ToBoard &message)
{
    if (m_process)
        m_process->write(BoardProtocol::Encode(message));
}

void BoardProcess::ask(const BoardProtocol::ToBoard &message, std::chrono::milliseconds limit)
{
    tell(message);
    m_questions.push_back({message, limit});
    if (m_questions.size() == 1)
        m_answerDue.start(limit);
}

void BoardProcess::readAnswers()
{
    // Taken in turn: an answer may end the process and take it away.
    for (QPointer<QProcess> process = m_process; process && process == m_process;) {
        m_reader.append(process->readAllStandardOutput());
        const auto message = m_reader.next();
        if (m_reader.failed()) {
            endFor(End::Faulty);
            return;
        }
        if (!message)
            return;
        // The board's process says once that its movie moved by itself, then waits for the
        // frame that shows it: a second word before that frame is a flood.
        if (std::holds_alternative<BoardProtocol::Changed>(*message) &&
            std::exchange(m_changeSaid, true)) {
            endFor(End::Faulty);
            return;
        }
        if (std::holds_alternative<BoardProtocol::Frame>(*message))
            m_changeSaid = false;
        if (BoardProtocol::IsAnswer(*message)) {
            if (m_questions.empty() ||
                !BoardProtocol::Answers(*message, m_questions.front().message)) {
                endFor(End::Faulty);
                return;
            }
            m_questions.pop_front();
            if (m_questions.empty())
                m_answerDue.stop();
            else
                m_answerDue.start(m_questions.front().limit);
        }
        Q_EMIT received(*message);
    }
}

void BoardProcess::readWarnings()
{
    takeWarnings(m_process->readAllStandardError());
}

void BoardProcess::takeWarnings(const QByteArray &bytes)
{
    // A movie may write without end and without a line break: a line is cut, never held whole.
    for (const char byte : bytes) {
        if (byte != '\n') {
            if (m_warning.size() < LongestWarning)
                m_warning.append(byte);
            continue;
        }
        // Windows' C library ends a line with "\r\n".
        if (m_warning.endsWith('\r'))
            m_warning.chop(1);
        Q_EMIT warned(QString::fromUtf8(std::exchange(m_warning, {})));
    }
}

void BoardProcess::checkHealth()
{
    if (!isRunning())
        return;
    if (MemoryInUse(m_process->processId()) > MemoryLimit) {
        endFor(End::TooLarge);
        return;
    }
    if (!m_frames->isIntact()) {
        endFor(End::Faulty);
        return;
    }
    if (!isAsking())
        ask(BoardProtocol::Ping{});
}

void BoardProcess::endFor(End why)
{
    if (!m_process && why != End::NotStarted)
        return;
    stop();
    Q_EMIT ended(why);
}
