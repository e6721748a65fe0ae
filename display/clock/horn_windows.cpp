// SPDX-License-Identifier: GPL-3.0-or-later
// The horn through the system's own sound call, from the wave file built into the program, in
// the background. Lighter than a multimedia framework for one short sound.
#include "horn.h"

#include <QFile>

#include <windows.h>

#include <mmsystem.h>

namespace {

class WaveOutput : public Horn::Output
{
public:
    explicit WaveOutput(QByteArray wave) : m_wave(std::move(wave)) {}
    ~WaveOutput() override { PlaySoundW(nullptr, nullptr, 0); }
    void play() override
    {
        PlaySoundW(reinterpret_cast<LPCWSTR>(m_wave.constData()), nullptr,
                   SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
    }

private:
    // Played from here: the sound reads it for as long as it plays.
    QByteArray m_wave;
};

} // namespace

std::unique_ptr<Horn::Output> Horn::OpenOutput()
{
    // The call says it played even without a sound output; ask for one first.
    if (waveOutGetNumDevs() == 0)
        return nullptr;
    QFile file(QStringLiteral(":/sounds/horn.wav"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return std::make_unique<WaveOutput>(file.readAll());
}
