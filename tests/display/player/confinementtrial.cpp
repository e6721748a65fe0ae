// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the board's process, apart from Qt's QML: started as the console starts the
// board's (the frames' handle its one argument), it closes what it inherited and confines itself
// as the board's process does, then tries the one act its standard input names and says how
// that went. test_confinement drives it.
//   in:  act, board folder, outside file, port, pid, address and size of the starter's secret,
//        separated by tabs on one line
//   out: a "held: <layer>" or "lacking: <layer>" line each, then "done" or "refused: <why>"
#include "confinement.h"
#include "trialsystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>

#include <cstdio>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

struct Order
{
    QString act;
    QString folder;
    QString outside;
    quint16 port = 0;
    qint64 starter = 0;
    quintptr address = 0;
    qsizetype size = 0;
};

QString Reading(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return file.readAll().isEmpty() ? u"nothing read"_s : QString();
}

QString Writing(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return file.errorString();
    return file.write("written") > 0 ? QString() : file.errorString();
}

// The refusal, or an empty text when the act was done.
QString Attempt(const Order &order)
{
    const QFileInfo outside(order.outside);
    if (order.act == u"read-inside")
        return Reading(order.folder + u"/inside.txt"_s);
    if (order.act == u"read-outside")
        return Reading(order.outside);
    if (order.act == u"list-outside")
        return outside.dir().entryList(QDir::Files).contains(outside.fileName()) ? QString()
                                                                                 : u"not listed"_s;
    if (order.act == u"write-inside")
        return Writing(order.folder + u"/written.txt"_s);
    if (order.act == u"write-outside")
        return Writing(outside.dir().filePath(u"written.txt"_s));
    if (order.act == u"connect") {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), order.port);
        return socket.waitForConnected(5000) ? QString() : socket.errorString();
    }
    if (order.act == u"start") {
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), {});
        if (!program.waitForStarted(5000))
            return program.errorString();
        program.waitForFinished();
        return {};
    }
    if (order.act == u"signal")
        return SignalProcess(order.starter);
    if (order.act == u"read-memory") {
        QString error;
        ReadMemoryOf(order.starter, order.address, order.size, &error);
        return error;
    }
    return u"no such act"_s;
}

} // namespace

int main(int argc, char *argv[])
{
    bool ok = false;
    const qintptr frames = argc > 1 ? QByteArray(argv[1]).toLongLong(&ok) : -1;
    if (!ok) {
        std::fprintf(stderr,
                     "usage: confinementtrial <frames handle>, and an order on its input\n");
        return 2;
    }
    CloseInheritedHandles(frames);
    QCoreApplication app(argc, argv);

    std::string line;
    std::getline(std::cin, line);
    const QStringList fields = QString::fromStdString(line).split(u'\t');
    if (fields.size() != 7) {
        std::fprintf(stderr, "confinementtrial: an order has 7 fields\n");
        return 2;
    }
    const Order order = {fields[0],
                         fields[1],
                         fields[2],
                         quint16(fields[3].toUInt()),
                         fields[4].toLongLong(),
                         quintptr(fields[5].toULongLong()),
                         fields[6].toLongLong()};

    const ConfinementReport report = Confine({order.folder});
    for (const QString &layer : report.held)
        std::printf("held: %s\n", qPrintable(layer));
    for (const QString &layer : report.lacking)
        std::printf("lacking: %s\n", qPrintable(layer));
    const QString refusal = Attempt(order);
    std::printf("%s\n", refusal.isEmpty() ? "done" : qPrintable(u"refused: "_s + refusal));
    return 0;
}
