// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTimer>
#include <chrono>

// The splash window shown while the operator window loads. It closes itself at the first tick
// of its timer, which starts counting when the window is created, not when it is shown.
class frmSplash : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplash)

public:
    static constexpr std::chrono::milliseconds DefaultInterval{2000};

    explicit frmSplash(std::chrono::milliseconds interval = DefaultInterval);

    // Shows the splash modally and returns once it has closed. Unlike QDialog::exec, it also
    // returns when the timer fired while the window was still being shown.
    int exec() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    // Keys and clicks on the splash do nothing; only the timer (or the window manager) closes it.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QTimer Timer1;
    QPixmap m_picture;
    bool m_closed = false;
};
