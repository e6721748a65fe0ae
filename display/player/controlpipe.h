// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>

// The board's process's end of the pipes to the console: orders come in on the standard input,
// answers go out on the standard output, which from now on is the answers' alone (whatever else
// writes there, a library or the movie's console, goes to the standard error instead). How the
// pipes are read and written is the system's: one file per system (controlpipe_<system>.cpp).
class ControlPipe : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ControlPipe)

public:
    explicit ControlPipe(QObject *parent = nullptr);
    ~ControlPipe() override;

    // Writes the whole answer; the process ends at once if the console is gone.
    void write(const QByteArray &bytes);

Q_SIGNALS:
    // Bytes of orders, as they come.
    void received(const QByteArray &bytes);
    // The console closed the orders: it is gone.
    void closed();

private:
    struct System;
    std::unique_ptr<System> m_system;
};
