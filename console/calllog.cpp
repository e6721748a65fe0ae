#include "calllog.h"

#include "displaycontrol.h"

#include <QJsonArray>
#include <QJsonDocument>

CallLog::CallLog(const QString &path, DisplayControl *display) : QObject(display), m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return;
    connect(display, &DisplayControl::called, this,
            [this](const QString &operation, const QStringList &arguments) {
                write(QStringList{operation} + arguments);
            });
}

void CallLog::write(const QStringList &fields)
{
    if (!m_file.isOpen())
        return;
    m_file.write(QJsonDocument(QJsonArray::fromStringList(fields)).toJson(QJsonDocument::Compact) +
                 '\n');
}
