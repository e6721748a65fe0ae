// SPDX-License-Identifier: GPL-3.0-or-later
// The horn through Qt Multimedia's sound effect.
#include "horn.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <atomic>
#include <cstdio>

namespace {

// Known only once the handler below is in place: a message from another thread may come first.
std::atomic<QtMessageHandler> s_previousHandler{nullptr};

// Without a sound server the sound system complains on the console as it looks for outputs. A
// horn without a speaker is no fault of the program's, so that complaint is dropped and every
// other message passes on.
void QuietAboutMissingSound(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(u"PulseAudioService"))
        return;
    if (const QtMessageHandler previous = s_previousHandler.load())
        previous(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

bool HasSoundOutput()
{
    s_previousHandler = qInstallMessageHandler(QuietAboutMissingSound);
    const bool found = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(s_previousHandler.exchange(nullptr));
    return found;
}

} // namespace

struct Horn::Output
{
    QSoundEffect effect;
};

void Horn::CloseOutput::operator()(Output *output) const
{
    delete output;
}

void Horn::openOutput()
{
    if (!HasSoundOutput())
        return;
    m_output.reset(new Output);
    m_output->effect.setSource(QUrl(QStringLiteral("qrc:/sounds/horn.wav")));
}

void Horn::Play(Output &output)
{
    output.effect.play();
}
