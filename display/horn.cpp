#include "horn.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

QtMessageHandler s_previousHandler = nullptr;

// Without a sound server the sound system complains on the console as it looks for outputs. A
// horn without a speaker is no fault of the program's, so that complaint is dropped and every
// other message passes on.
void QuietAboutMissingSound(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith(u"PulseAudioService"))
        s_previousHandler(type, context, text);
}

bool HasSoundOutput()
{
    s_previousHandler = qInstallMessageHandler(QuietAboutMissingSound);
    const bool found = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(s_previousHandler);
    return found;
}

} // namespace

Horn::Horn(QObject *parent) : QObject(parent) {}

void Horn::sound()
{
    if (!m_looked) {
        m_looked = true;
        if (HasSoundOutput()) {
            m_effect = new QSoundEffect(this);
            m_effect->setSource(QUrl(QStringLiteral("qrc:/sounds/horn.wav")));
        }
    }
    if (m_effect)
        m_effect->play();
    Q_EMIT sounded();
}
