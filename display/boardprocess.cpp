// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Where the board's process finds its frames.
constexpr int FramesDescriptor = 3;

// How often its memory is looked at, and it is asked whether it still listens when nothing
// else is asked.
constexpr std::chrono::milliseconds HealthInterval = 1s;

// A sanitizer reserves terabytes of address space for itself at start-up: under one, the
// memory limit is left to the health check alone.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool LimitAddressSpace = false;
#else
constexpr bool LimitAddressSpace = true;
#endif

// The resident memory of a process, in bytes; 0 when it cannot be read.
qint64 ResidentBytes(qint64 pid)
{
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

} // namespace

QString BoardProcess::Program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/brevanto-board");
}

BoardProcess::BoardProcess(QObject *parent) : QObject(parent)
{
    m_answerDue.setSingleShot(true);
    connect(&m_answerDue, &QTimer::timeout, this, [this] { endFor(End::Hung); });
    m_health.setInterval(HealthInterval);
    connect(&m_health, &QTimer::timeout, this, &BoardProcess::checkHealth);
}

BoardProcess::~BoardProcess()
{
    stop();
}

void BoardProcess::start()
{
    stop();
    m_frames = std::make_unique<SharedFrames>();
    m_reader = BoardProtocol::Reader<BoardProtocol::FromBoard>(BoardProtocol::LongestFromBoard);
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const int frames = m_frames->descriptor();
    m_process->setChildProcessModifier([frames] {
        // In the new process, before it becomes the board's: only calls safe after a fork.
        if (frames == FramesDescriptor)
            fcntl(FramesDescriptor, F_SETFD, 0);
        else
            dup2(frames, FramesDescriptor);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (LimitAddressSpace) {
            const rlimit limit{rlim_t(MemoryLimit), rlim_t(MemoryLimit)};
            setrlimit(RLIMIT_AS, &limit);
        }
    });
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
    m_process->start(Program(), {QString::number(FramesDescriptor)});
    m_health.start();
}

void BoardProcess::stop()
{
    m_answerDue.stop();
    m_health.stop();
    if (!m_process)
        return;
    QProcess *process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->kill();
    process->waitForFinished(1000);
    // Perhaps from inside one of its own signals.
    process->deleteLater();
}

bool BoardProcess::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void BoardProcess::tell(const BoardProtocol::ToBoard &message)
{
    if (m_process)
        m_process->write(BoardProtocol::Encode(message));
}

void BoardProcess::ask(const BoardProtocol::ToBoard &message, std::chrono::milliseconds limit)
{
    tell(message);
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
        if (!std::holds_alternative<BoardProtocol::Changed>(*message))
            m_answerDue.stop();
        Q_EMIT received(*message);
    }
}

void BoardProcess::checkHealth()
{
    if (!isRunning())
        return;
    if (ResidentBytes(m_process->processId()) > MemoryLimit) {
        endFor(End::TooLarge);
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
