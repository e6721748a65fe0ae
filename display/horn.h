// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSoundEffect;

// The horn that ends a period. A machine without a sound output stays silent, without a message.
class Horn : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Horn)

public:
    explicit Horn(QObject *parent = nullptr);

    void sound();
    // Opens the sound output and loads the horn, once; sound() does it if it has not been done.
    void prepare();

Q_SIGNALS:
    // The horn was asked to sound, whether or not there is a speaker to hear it.
    void sounded();

private:
    bool m_looked = false;
    QSoundEffect *m_effect = nullptr;
};
