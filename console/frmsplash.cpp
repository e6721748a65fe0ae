#include "frmsplash.h"

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

    Timer1.setInterval(interval);
    connect(&Timer1, &QTimer::timeout, this, &QDialog::accept);
    Timer1.start();
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
