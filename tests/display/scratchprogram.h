// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <optional>

// The processes a process has started, by process id.
inline QList<qint64> ChildProcesses(qint64 parent)
{
    QList<qint64> pids;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(parent);
    for (const QString &task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile list(tasks + u'/' + task + QStringLiteral("/children"));
        if (!list.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &pid : list.readAll().split(' ')) {
            if (!pid.trimmed().isEmpty())
                pids.append(pid.trimmed().toLongLong());
        }
    }
    return pids;
}

// Whether a process has ended (and been collected, or waits to be).
inline bool HasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype state = line.lastIndexOf(')') + 2;
    return state < line.size() && line.at(state) == 'Z';
}

// The real program (with the board's process it starts) copied alone into a scratch folder, so
// that what lies beside it is the caller's to put there, and started headless with its call log
// on (its logging category, read from its messages). The program has no way to be told to end,
// so the process is killed when this goes.
class ScratchProgram
{
public:
    explicit ScratchProgram(const QString &program)
    {
        const QString board = QFileInfo(program).dir().filePath(QStringLiteral("brevanto-board"));
        m_copied = m_folder.isValid() && copy(program) && copy(board);
        m_program = file(QFileInfo(program).fileName());
    }
    ~ScratchProgram()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    ScratchProgram(const ScratchProgram &) = delete;
    ScratchProgram &operator=(const ScratchProgram &) = delete;

    bool isValid() const { return m_copied; }
    QString file(const QString &name) const { return m_folder.filePath(name); }
    QProcess &process() { return m_process; }

    void start()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("brevanto.board.calls.debug=true"));
        environment.insert(QStringLiteral("QT_MESSAGE_PATTERN"),
                           QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_started.start();
        m_process.start(m_program, {});
        // Until the start is confirmed, the process counts as starting rather than running.
        m_process.waitForStarted();
    }

    // The fields of the line the program writes once its window is shown, ["Shown", "movie"]
    // or ["Shown", <the notice in the board area>], and how long after the start it came;
    // nothing if the program ended or the time ran out first.
    struct Shown
    {
        QStringList fields;
        std::chrono::milliseconds after;
    };
    std::optional<Shown> waitShown(std::chrono::milliseconds timeout)
    {
        while (m_started.elapsed() < timeout.count()) {
            if (const std::optional<QStringList> fields = shownLine())
                return Shown{*fields, std::chrono::milliseconds(m_started.elapsed())};
            if (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(10))
                return std::nullopt;
        }
        return std::nullopt;
    }

    // Whether the program is still running after the given time.
    bool keepsRunningFor(std::chrono::milliseconds time)
    {
        return m_process.state() == QProcess::Running && !m_process.waitForFinished(time.count());
    }

    // Everything the program has written so far.
    QByteArray output()
    {
        m_output += m_process.readAll();
        return m_output;
    }

    // The processes the program has started (the board's).
    QList<qint64> children() const { return ChildProcesses(m_process.processId()); }

private:
    bool copy(const QString &from)
    {
        const QString to = file(QFileInfo(from).fileName());
        return QFile::copy(from, to) && QFile::setPermissions(to, QFile::permissions(from));
    }

    std::optional<QStringList> shownLine()
    {
        const QByteArray prefix = "brevanto.board.calls: ";
        for (const QByteArray &text : output().split('\n')) {
            if (!text.startsWith(prefix))
                continue;
            const QJsonArray line = QJsonDocument::fromJson(text.mid(prefix.size())).array();
            if (line.at(0).toString() == QLatin1String("Shown")) {
                QStringList fields;
                for (const QJsonValue &field : line)
                    fields.append(field.toString());
                return fields;
            }
        }
        return std::nullopt;
    }

    QTemporaryDir m_folder;
    QString m_program;
    bool m_copied = false;
    QProcess m_process;
    QByteArray m_output;
    QElapsedTimer m_started;
};
