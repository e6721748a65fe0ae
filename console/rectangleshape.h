// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// A rectangle outline drawn inside the widget's rectangle, transparent inside and to the mouse:
// the window's frame line and the panel behind the logo.
class RectangleShape : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RectangleShape)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)

public:
    explicit RectangleShape(QWidget *parent = nullptr);

    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_borderWidth = 1;
};
