// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpreview.h"

#include "boardmovie.h"
#include "boardprocess.h"
#include "boardvariables.h"
#include "namecheck.h"
#include "pngwriter.h"
#include "previewstates.h"
#include "processmemory.h"
#include "processtime.h"
#include "refusedfiles.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Enough of the board's own words for a report.
constexpr int MostWarnings = 100;

// The size of a projector, where a board is meant to be read: its texts are looked over there.
constexpr QSize InspectedSize(1920, 1080);

// A value the board shows differently from `value` in every format: as a name, points, fouls,
// a period or the clock.
QString Probe(const QString &value)
{
    return value == u"818"_s ? u"181"_s : u"818"_s;
}

// The state's value of a name; none when the state leaves it unset.
std::optional<QString> ValueIn(const PreviewState &state, const QString &name)
{
    std::optional<QString> value;
    for (const auto &variable : state.variables) {
        if (variable.first == name)
            value = variable.second;
    }
    return value;
}

// The states a finding was found in, for a report line.
QString InStates(const QStringList &states, qsizetype all)
{
    if (states.size() == all)
        return u" (in every state)"_s;
    if (states.size() <= 2)
        return u" (in: "_s + states.join(u"; "_s) + u')';
    return u" (in %1 states, first: %2)"_s.arg(states.size()).arg(states.first());
}

double Milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs the event loop until `done` holds, the board is refused or `limit` passes; whether
// `done` holds with the board still playing.
template <typename Done> bool WaitFor(BoardLink &link, Done done, std::chrono::milliseconds limit)
{
    const auto over = [&] { return done() || !link.notice().isEmpty(); };
    if (!over()) {
        QEventLoop loop;
        const auto check = [&] {
            if (over())
                loop.quit();
        };
        QObject::connect(&link, &BoardLink::outcomeChanged, &loop, check);
        QObject::connect(&link, &BoardLink::shownChanged, &loop, check);
        QObject::connect(&link, &BoardLink::inspected, &loop, check);
        QObject::connect(&link.frames(), &FrameScheduler::settled, &loop, check);
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done() && link.notice().isEmpty();
}

} // namespace

BoardPreview::BoardPreview(QObject *parent) : QObject(parent)
{
    m_saving.setMaxThreadCount(1);
    m_memory.setInterval(20ms);
    connect(&m_memory, &QTimer::timeout, this, &BoardPreview::sampleMemory);
    connect(&m_link, &BoardLink::warned, this, [this](const QString &line) {
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
    const QString movie = BoardMovie(board);
    const QString canonical = QFileInfo(movie).canonicalFilePath();
    m_boardFolder = QFileInfo(canonical.isEmpty() ? movie : canonical).absolutePath();
    m_shownNames.clear();
    m_overflows.clear();

    m_memory.start();
    m_link.frames().setSize(PreviewSizes().first().pixels, 1);
    QElapsedTimer loading;
    loading.start();
    m_link.load(QFileInfo(movie).absoluteFilePath());
    // Read while the board's process loads it.
    m_report.unknownNames = UnknownNames(movie);
    WaitFor(
        m_link, [this] { return m_link.isPlaying(); }, BoardProcess::LoadLimit);
    m_report.confinement = m_link.confinement();
    if (refused()) {
        m_report.refusedFiles = RefusedFiles(m_report.warnings, m_boardFolder);
        return m_report;
    }
    m_report.loadMs = Milliseconds(loading);
    for (const PreviewState &state : PreviewStates()) {
        if (!showState(state, out))
            break;
    }
    m_memory.stop();
    sampleMemory();
    m_saving.waitForDone();
    if (m_unsaved.exchange(false) && !m_report.refusal)
        m_report.refusal = u"the pictures cannot be written into "_s + out.path();
    m_report.refusedFiles = RefusedFiles(m_report.warnings, m_boardFolder);
    for (const Overflow &overflow : std::as_const(m_overflows))
        m_report.overflows.append(overflow.first +
                                  InStates(overflow.states, PreviewStates().size()));
    if (!m_report.refusal) {
        for (const QString &name : ShownNames()) {
            if (!m_shownNames.contains(name))
                m_report.unreadNames.append(name);
        }
    }
    return m_report;
}

bool BoardPreview::refused()
{
    if (m_report.refusal)
        return true;
    if (m_link.isPlaying())
        return false;
    const QString notice = m_link.notice();
    m_report.refusal = notice.isEmpty() ? u"the board drew nothing in time"_s : notice;
    return true;
}

std::optional<QRect> BoardPreview::settle()
{
    QRect changed;
    const auto collect = connect(&m_link, &BoardLink::shownChanged, this,
                                 [&changed](const QRect &rect) { changed |= rect; });
    // The board's cost is the processor time its process spends on the frame: the same on a
    // busy machine as on a quiet one, where it is the time from the order to the frame.
    const qint64 process = m_link.processId();
    const std::chrono::nanoseconds before = ProcessorTime(process);
    WaitFor(
        m_link, [this] { return m_link.frames().isSettled(); }, 2 * BoardProcess::AnswerLimit);
    disconnect(collect);
    m_lastDrawnMs =
        std::chrono::duration<double, std::milli>(ProcessorTime(process) - before).count();
    if (refused())
        return std::nullopt;
    return changed;
}

bool BoardPreview::setSize(QSize pixels)
{
    m_link.frames().setSize(pixels, 1);
    return settle().has_value();
}

bool BoardPreview::showState(const PreviewState &state, const QDir &out)
{
    for (const auto &[name, value] : state.variables)
        m_link.frames().setVariable(name, value);
    // Drawn at every size, the one it is looked over at last; reported in the sizes' order.
    const QList<PreviewSize> sizes = PreviewSizes();
    // A point in the clock's text: the last minute, counted in tenths.
    PreviewReport::State shown{state.title, QList<PreviewReport::Picture>(sizes.size()),
                               state.clockChange.contains(u'.')};
    QList<qsizetype> order(sizes.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_partition(order.begin(), order.end(),
                          [&](qsizetype i) { return sizes.at(i).pixels != InspectedSize; });
    for (const qsizetype i : std::as_const(order)) {
        const PreviewSize &size = sizes.at(i);
        restore(state);
        if (!setSize(size.pixels))
            return false;
        const QString file =
            u"%1-%2x%3.png"_s.arg(state.id).arg(size.pixels.width()).arg(size.pixels.height());
        // Written while the next picture is drawn, one at a time: the board's process is not
        // to be kept from drawing.
        m_saving.start([this, picture = m_link.shown().copy(), path = out.filePath(file)] {
            if (!WriteOpaquePng(picture, path))
                m_unsaved = true;
        });
        PreviewReport::Picture &picture = shown.pictures[i];
        picture = {size.title, size.pixels, size.projector, file, m_lastDrawnMs, {}, {}};
        if (size.pixels == InspectedSize && (!inspect(state) || !probeNames(state)))
            return false;
        if (size.projector && !timeChanges(state, picture))
            return false;
    }
    m_report.states.append(shown);
    return true;
}

bool BoardPreview::timeChanges(const PreviewState &state, PreviewReport::Picture &picture)
{
    picture.clockMs = timeChange(BoardName::Clock, state.clockChange);
    if (!picture.clockMs)
        return false;
    const std::optional<QString> points = ValueIn(state, BoardName::PointsA);
    if (!points)
        return true;
    picture.pointMs = timeChange(BoardName::PointsA, Probe(*points));
    return picture.pointMs.has_value();
}

std::optional<double> BoardPreview::timeChange(const QString &name, const QString &changed)
{
    // Back and forth, each a change of `name` alone: the mean of several, since the system counts
    // a process's time in ticks (15.6 ms on Windows), which one change alone may fall either side
    // of.
    constexpr int Changes = 4;
    const QString before = m_link.frames().value(name);
    double drawnMs = 0;
    for (int change = 0; change < Changes; ++change) {
        m_link.frames().setVariable(name, change % 2 == 0 ? changed : before);
        if (!settle())
            return std::nullopt;
        drawnMs += m_lastDrawnMs;
    }
    return drawnMs / Changes;
}

void BoardPreview::restore(const PreviewState &state)
{
    for (const QString &name : {BoardName::Clock, BoardName::PointsA}) {
        if (const std::optional<QString> value = ValueIn(state, name))
            m_link.frames().setVariable(name, *value);
    }
}

bool BoardPreview::inspect(const PreviewState &state)
{
    // Once every picture of the state is taken: the probes leave names set that the state had
    // not.
    if (!setSize(InspectedSize))
        return false;
    std::optional<QStringList> findings;
    const auto answer = connect(&m_link, &BoardLink::inspected, this,
                                [&findings](const QStringList &found) { findings = found; });
    m_link.inspect();
    const bool answered = WaitFor(
        m_link, [&findings] { return findings.has_value(); }, 2 * BoardProcess::AnswerLimit);
    disconnect(answer);
    if (!answered) {
        refused();
        return false;
    }
    for (const QString &finding : std::as_const(*findings)) {
        // One Text's finding in any state, whatever it showed there: its place, and its words
        // without the text and the figures.
        static const QRegularExpression shown(uR"(^(.*?): Text ".*?"(.*)$)"_s);
        const QRegularExpressionMatch parts = shown.match(finding);
        const QString key =
            parts.hasMatch()
                ? parts.captured(1) + u'|' + parts.captured(2).remove(QRegularExpression(u"\\d+"_s))
                : finding;
        auto known = std::find_if(m_overflows.begin(), m_overflows.end(),
                                  [&](const Overflow &overflow) { return overflow.key == key; });
        if (known == m_overflows.end())
            m_overflows.append({key, finding, {state.title}});
        else if (known->states.last() != state.title)
            known->states.append(state.title);
    }
    return true;
}

bool BoardPreview::probeNames(const PreviewState &state)
{
    for (const QString &name : ShownNames()) {
        // Shown in one state is enough.
        if (m_shownNames.contains(name))
            continue;
        const QString value = ValueIn(state, name).value_or(QString());
        m_link.frames().setVariable(name, Probe(value));
        const std::optional<QRect> changed = settle();
        if (!changed)
            return false;
        if (!changed->isEmpty())
            m_shownNames.append(name);
        // Back as the state has it, for the next name; a name never set goes back to empty.
        m_link.frames().setVariable(name, value);
        if (!settle())
            return false;
    }
    return true;
}

void BoardPreview::sampleMemory()
{
    if (const qint64 pid = m_link.processId())
        m_report.peakBytes = std::max(m_report.peakBytes, MemoryInUse(pid));
}
