// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>

// A group frame whose caption sits on its top edge, the frame line running through the caption's
// middle, and whose controls are placed from its top-left corner. (QGroupBox draws the caption
// above the frame, which then starts below it: the controls would stick out at the top.)
class GroupFrame : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupFrame)

public:
    explicit GroupFrame(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
