// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardchannel.h"
#include "boardlaunch.h"
#include "boardprotocol.h"
#include "sharedframes.h"

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <chrono>
#include <deque>
#include <memory>

// The board's process from the control's side: started with the shared frames, a memory limit
// and orders to die with us; told things and asked questions, which it answers in turn; ended
// when it does not answer in time, uses too much memory, or says what it cannot say (a message
// that cannot be read, or an answer to a question not asked).
class BoardProcess : public QObject, public BoardChannel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BoardProcess)

public:
    enum class End
    {
        Crashed,   // it ended by itself
        Hung,      // no answer in time: ended by us
        TooLarge,  // over the memory limit: ended by us
        Faulty,    // it said something it cannot say: ended by us
        NotStarted // it could not be started
    };
    Q_ENUM(End)

    // Answers to questions come within this, or the process counts as hung: a frame of our movie
    // takes a millisecond or two, a slow machine's first one a few tens.
    static constexpr std::chrono::milliseconds AnswerLimit{500};
    // A movie's load may take longer: the process starting, the movie compiled, its start cut
    // short after 750 ms when its scripts never end.
    static constexpr std::chrono::milliseconds LoadLimit{10000};
    // The movie's memory; our movie needs a few tens of megabytes.
    static constexpr qint64 MemoryLimit = 1024LL * 1024 * 1024;
    // What is kept of a line of its standard error.
    static constexpr qsizetype LongestWarning = 1000;

    // The program that plays the movie, beside this one.
    static QString Program();

    // Where the process's standard error goes: on to ours, without costing us a thing (the
    // program's), or line by line to warned() (a tool that reports on a movie).
    enum class Warnings
    {
        Forwarded,
        Captured,
    };

    explicit BoardProcess(Warnings warnings = Warnings::Forwarded, QObject *parent = nullptr);
    ~BoardProcess() override;

    // Starts the process; frames() is what it draws into.
    void start();
    // Ends it at once; nothing is reported but the warnings it wrote before, when captured.
    void stop();
    bool isRunning() const override;
    // The running process's id; 0 when none runs.
    qint64 processId() const;
    SharedFrames &frames() override { return *m_frames; }

    // Lets the process read the movie's folder (see BoardLaunch::admit); false when it cannot.
    bool admit(const QString &folder) { return m_launch.admit(folder); }
    void tell(const BoardProtocol::ToBoard &message) override;
    // Tells, and expects the answer (Loaded, Frame, Pong or Inspection) within `limit`.
    // Questions are answered in turn; each one's time counts from the answer before it.
    void ask(const BoardProtocol::ToBoard &message, std::chrono::milliseconds limit);
    void ask(const BoardProtocol::ToBoard &message) override { ask(message, AnswerLimit); }
    bool isAsking() const override { return !m_questions.empty(); }
    void reject() override { endFor(End::Faulty); }

Q_SIGNALS:
    void received(const BoardProtocol::FromBoard &message);
    void ended(BoardProcess::End why);
    // A line the process wrote on its standard error, when captured: a warning of the engine's
    // or the movie's own console.log (cut at LongestWarning characters).
    void warned(const QString &line);

private:
    void readAnswers();
    void readWarnings();
    void takeWarnings(const QByteArray &bytes);
    void checkHealth();
    void endFor(End why);

    BoardLaunch m_launch;
    std::unique_ptr<SharedFrames> m_frames;
    QProcess *m_process = nullptr;
    struct Question
    {
        BoardProtocol::ToBoard message;
        std::chrono::milliseconds limit;
    };
    std::deque<Question> m_questions;
    BoardProtocol::Reader<BoardProtocol::FromBoard> m_reader{BoardProtocol::LongestFromBoard};
    bool m_changeSaid = false;
    Warnings m_warnings;
    QByteArray m_warning;
    QTimer m_answerDue;
    QTimer m_health;
};
