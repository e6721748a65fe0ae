// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

// The horn that ends a period. A machine without a sound output stays silent, without a message.
// How it sounds is the system's: one file per system (horn_<system>.cpp).
class Horn : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Horn)

public:
    // Gets ready as soon as the event loop runs (during the splash, in the program), so that the
    // first horn is not late by the time the sound system takes to open.
    explicit Horn(QObject *parent = nullptr);
    ~Horn() override;

    void sound();

    // The system's part: the sound output opened with the horn loaded (none where there is no
    // sound output), which plays it in the background.
    class Output
    {
    public:
        virtual ~Output() = default;
        virtual void play() = 0;
    };

private:
    // Opens the sound output and loads the horn, once.
    void prepare();
    static std::unique_ptr<Output> OpenOutput();

    bool m_looked = false;
    std::unique_ptr<Output> m_output;
};
