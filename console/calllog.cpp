// SPDX-License-Identifier: GPL-3.0-or-later
#include "calllog.h"

#include "displaycontrol.h"

#include <QJsonArray>
#include <QJsonDocument>

Q_LOGGING_CATEGORY(lcBoardCalls, "brevanto.board.calls", QtWarningMsg)

void LogBoardCalls(DisplayControl *display)
{
    if (!lcBoardCalls().isDebugEnabled())
        return;
    QObject::connect(display, &DisplayControl::called, display,
                     [](const QString &operation, const QStringList &arguments) {
                         LogBoardCall(QStringList{operation} + arguments);
                     });
}

void LogBoardCall(const QStringList &fields)
{
    qCDebug(lcBoardCalls).noquote() << QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(fields)).toJson(QJsonDocument::Compact));
}
