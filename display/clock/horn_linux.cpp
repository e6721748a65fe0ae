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

namespace {

class EffectOutput : public Horn::Output
{
public:
    EffectOutput() { m_effect.setSource(QUrl(QStringLiteral("qrc:/sounds/horn.wav"))); }
    void play() override { m_effect.play(); }

private:
    QSoundEffect m_effect;
};

} // namespace

std::unique_ptr<Horn::Output> Horn::OpenOutput()
{
    if (!HasSoundOutput())
        return nullptr;
    return std::make_unique<EffectOutput>();
}
