// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmsplash.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

frmSplash::frmSplash(std::chrono::milliseconds interval)
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_picture(QStringLiteral(":/resources/splash.jpg"))
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setModal(true);
    setFixedSize(300, 200);
    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());

    // Precise: a coarse timer may close the splash up to a twentieth of its time early.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(interval);
    connect(&Timer1, &QTimer::timeout, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] { m_closed = true; });
    Timer1.start();
}

int frmSplash::exec()
{
    if (m_closed)
        return result();
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    if (!m_closed)
        loop.exec(QEventLoop::DialogExec);
    return result();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}
