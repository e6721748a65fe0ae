// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpreview.h"

#include "movienotice.h"
#include "previewstates.h"
#include "processmemory.h"

#include <QEventLoop>
#include <QFileInfo>

using namespace BoardProtocol;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Enough of the board's own words for a report.
constexpr int MostWarnings = 100;

// A value the board shows differently from `value` in every format: as a name, points, fouls,
// a period or the clock.
QString Probe(const QString &value)
{
    return value == u"818"_s ? u"181"_s : u"818"_s;
}

double Milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

BoardPreview::BoardPreview(QObject *parent) : QObject(parent)
{
    m_memory.setInterval(20ms);
    connect(&m_memory, &QTimer::timeout, this, &BoardPreview::sampleMemory);
    connect(&m_process, &BoardProcess::warned, this, [this](const QString &line) {
        // The board's own lines and the engine's about its files; not the platform's chatter.
        const bool aboutTheBoard = line.contains(m_boardFolder) || line.startsWith(u"qml:"_s) ||
                                   line.startsWith(u"Scoreboard movie"_s);
        if (aboutTheBoard && m_report.warnings.size() < MostWarnings)
            m_report.warnings.append(line);
    });
}

PreviewReport BoardPreview::run(const QString &board, const QDir &out)
{
    m_report = PreviewReport();
    m_report.board = board;
    const QString canonical = QFileInfo(board).canonicalFilePath();
    m_boardFolder = QFileInfo(canonical.isEmpty() ? board : canonical).absolutePath();
    m_shownNames.clear();

    m_process.start();
    m_memory.start();
    QElapsedTimer loading;
    loading.start();
    const auto loaded = ask(Load{QFileInfo(board).absoluteFilePath()}, BoardProcess::LoadLimit);
    if (!loaded)
        return m_report;
    m_report.loadMs = Milliseconds(loading);
    if (const MovieOutcome outcome = std::get<Loaded>(*loaded).outcome;
        outcome != MovieOutcome::Playing) {
        refuse(NoticeText(outcome));
        return m_report;
    }
    for (const PreviewState &state : PreviewStates()) {
        if (!showState(state, out))
            break;
    }
    m_memory.stop();
    sampleMemory();
    m_process.stop();
    if (!m_report.refusal) {
        for (const QString &name : ShownNames()) {
            if (!m_shownNames.contains(name))
                m_report.unreadNames.append(name);
        }
    }
    return m_report;
}

bool BoardPreview::showState(const PreviewState &state, const QDir &out)
{
    for (const auto &[name, value] : state.variables)
        m_process.tell(Set{name, value});
    PreviewReport::State shown{state.title, {}};
    for (const PreviewSize &size : PreviewSizes()) {
        setSize(size.pixels);
        if (!render())
            return false;
        const QString file =
            u"%1-%2x%3.png"_s.arg(state.id).arg(size.pixels.width()).arg(size.pixels.height());
        if (!m_process.frames().drawn().save(out.filePath(file))) {
            refuse(u"the picture "_s + out.filePath(file) + u" cannot be written"_s);
            return false;
        }
        shown.pictures.append({size.title, file, m_lastDrawnMs});
    }
    // Looked over at the size of a projector, where a board is meant to be read, once every
    // picture of the state is taken: the probes leave names set that the state had not.
    setSize(QSize(1920, 1080));
    if (!render())
        return false;
    const auto inspection = ask(Inspect{m_nextNumber++}, BoardProcess::AnswerLimit);
    if (!inspection)
        return false;
    for (const QString &finding : std::get<Inspection>(*inspection).findings) {
        const QString line = state.title + u": "_s + finding;
        if (!m_report.overflows.contains(line))
            m_report.overflows.append(line);
    }
    if (!probeNames(state))
        return false;
    m_report.states.append(shown);
    return true;
}

bool BoardPreview::probeNames(const PreviewState &state)
{
    for (const QString &name : ShownNames()) {
        QString value;
        for (const auto &variable : state.variables) {
            if (variable.first == name)
                value = variable.second;
        }
        m_process.tell(Set{name, Probe(value)});
        const std::optional<QRect> changed = render();
        if (!changed)
            return false;
        if (!changed->isEmpty() && !m_shownNames.contains(name))
            m_shownNames.append(name);
        // Back as the state has it, for the next name; a name never set goes back to empty.
        m_process.tell(Set{name, value});
        if (!render())
            return false;
    }
    return true;
}

void BoardPreview::setSize(QSize pixels)
{
    if (m_process.frames().size() == pixels)
        return;
    if (!m_process.frames().setSize(pixels)) {
        refuse(u"no memory for frames of "_s + QString::number(pixels.width()) + u'x' +
               QString::number(pixels.height()));
        return;
    }
    m_process.tell(Size{pixels, 1});
}

std::optional<QRect> BoardPreview::render()
{
    if (m_report.refusal)
        return std::nullopt;
    QElapsedTimer drawing;
    drawing.start();
    const auto frame = ask(Render{m_nextNumber++}, BoardProcess::AnswerLimit);
    if (!frame)
        return std::nullopt;
    m_lastDrawnMs = Milliseconds(drawing);
    const QRect changed = std::get<Frame>(*frame).changed;
    // What was drawn is what the next frame is compared with.
    m_process.frames().show(QRect(QPoint(0, 0), m_process.frames().size()));
    return changed;
}

std::optional<FromBoard> BoardPreview::ask(const ToBoard &question, std::chrono::milliseconds limit)
{
    if (m_report.refusal || !m_process.isRunning()) {
        if (!m_report.refusal)
            refuse(NoticeText(MovieOutcome::NoProcess));
        return std::nullopt;
    }
    std::optional<FromBoard> answer;
    QEventLoop waiting;
    const auto received =
        connect(&m_process, &BoardProcess::received, &waiting, [&](const FromBoard &message) {
            if (const auto *refused = std::get_if<Refused>(&message)) {
                refuse(NoticeText(refused->outcome));
                waiting.quit();
            } else if (Answers(message, question)) {
                // Not the health check's Pong, say.
                answer = message;
                waiting.quit();
            }
        });
    const auto ended =
        connect(&m_process, &BoardProcess::ended, &waiting, [&](BoardProcess::End why) {
            // As the program would say it, with its restarts used up.
            switch (why) {
            case BoardProcess::End::Hung:
                refuse(NoticeText(MovieOutcome::Hung));
                break;
            case BoardProcess::End::NotStarted:
                refuse(NoticeText(MovieOutcome::NoProcess));
                break;
            default:
                refuse(NoticeText(MovieOutcome::Crashed));
            }
            waiting.quit();
        });
    m_process.ask(question, limit);
    waiting.exec();
    disconnect(received);
    disconnect(ended);
    return m_report.refusal ? std::nullopt : answer;
}

void BoardPreview::refuse(const QString &notice)
{
    if (!m_report.refusal)
        m_report.refusal = notice;
    m_process.stop();
}

void BoardPreview::sampleMemory()
{
    if (const qint64 pid = m_process.processId())
        m_report.peakBytes = std::max(m_report.peakBytes, MemoryInUse(pid));
}
