// SPDX-License-Identifier: GPL-3.0-or-later
// The horn through the system's own sound call, from the wave file built into the program, in
// the background. Lighter than a multimedia framework for one short sound.
#include "horn.h"

#include <QFile>

#include <windows.h>

#include <mmsystem.h>

struct Horn::Output
{
    // Played from here: the sound reads it for as long as it plays.
    QByteArray wave;

    ~Output() { PlaySoundW(nullptr, nullptr, 0); }
};

void Horn::CloseOutput::operator()(Output *output) const
{
    delete output;
}

void Horn::openOutput()
{
    // The call says it played even without a sound output; ask for one first.
    if (waveOutGetNumDevs() == 0)
        return;
    QFile file(QStringLiteral(":/sounds/horn.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_output.reset(new Output);
    m_output->wave = file.readAll();
}

void Horn::Play(Output &output)
{
    PlaySoundW(reinterpret_cast<LPCWSTR>(output.wave.constData()), nullptr,
               SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
