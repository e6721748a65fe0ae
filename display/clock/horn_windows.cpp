// SPDX-License-Identifier: GPL-3.0-or-later
// The horn through the system's own sound call, from the wave file built into the program, in
// the background. Lighter than a multimedia framework for one short sound.
#include "horn.h"

#include <QFile>
#include <QTimer>

#include <windows.h>

#include <mmsystem.h>

struct Horn::Output
{
    // Played from here: the sound reads it for as long as it plays.
    QByteArray wave;

    ~Output() { PlaySoundW(nullptr, nullptr, 0); }
};

Horn::Horn(QObject *parent) : QObject(parent)
{
    QTimer::singleShot(0, this, &Horn::prepare);
}

Horn::~Horn() = default;

void Horn::prepare()
{
    if (m_looked)
        return;
    m_looked = true;
    // The call says it played even without a sound output; ask for one first.
    if (waveOutGetNumDevs() == 0)
        return;
    QFile file(QStringLiteral(":/sounds/horn.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_output = std::make_unique<Output>();
    m_output->wave = file.readAll();
}

void Horn::sound()
{
    prepare();
    if (m_output)
        PlaySoundW(reinterpret_cast<LPCWSTR>(m_output->wave.constData()), nullptr,
                   SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
