// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

// The navy strip the operator drags the window by. It reports presses and moves in its own
// coordinates, in twips, with the button bits 1 left, 2 right, 4 middle.
class DragStrip : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DragStrip)

public:
    explicit DragStrip(QWidget *parent = nullptr);

    static int ButtonBits(Qt::MouseButtons buttons);

Q_SIGNALS:
    void mouseDown(int button, int shift, float x, float y);
    void mouseMove(int button, int shift, float x, float y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
};
