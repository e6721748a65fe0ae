// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formfixture.h"
#include "scratchprogram.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

// What must hold of the console whatever its board does, checked after the board has done it:
// typing, the hotkeys with their refresh, Play/Pause refused without time, Set and the clock
// running; then the exit, which leaves no process of the console's running. `messages` are the
// window's (FormFixture::startNotingMessages).
inline void CheckConsoleWorksToItsExit(std::unique_ptr<Form1> &form, QStringList &messages)
{
    using namespace Qt::StringLiterals;
    const auto field = [&form](const char *name) { return Control<QLineEdit>(form.get(), name); };
    const auto button = [&form](const char *name) {
        return Control<QPushButton>(form.get(), name);
    };
    DisplayControl *board = form->display();
    messages.clear();
    field("name_a")->clear();
    QTest::keyClicks(field("name_a"), u"Lions"_s);
    QCOMPARE(field("name_a")->text(), u"Lions"_s);
    QLineEdit *teclado = field("Teclado");
    field("points_a")->setText(u"41"_s);
    field("faults_a")->clear();
    field("Faults_b")->clear();
    KeyStroke(teclado, Qt::Key_1);
    QCOMPARE(field("points_a")->text(), u"42"_s);
    KeyStroke(teclado, Qt::Key_F1);
    KeyStroke(teclado, Qt::Key_F9);
    QCOMPARE(field("faults_a")->text(), u"1"_s);
    QCOMPARE(field("Faults_b")->text(), u"1"_s);
    QCOMPARE(board->GetVariable(u"faults_b"_s), u"01"_s);
    QCOMPARE(board->GetVariable(u"name_a"_s), u"Lions"_s);
    field("Minutos")->clear();
    field("segundos")->clear();
    button("Command3")->click();
    button("Command1")->click();
    QCOMPARE(messages, QStringList{u"Set the time"_s});
    QCOMPARE(button("Command1")->text(), u"Play"_s);
    messages.clear();
    field("Minutos")->setText(u"2"_s);
    KeyStroke(teclado, Qt::Key_S, Qt::ShiftModifier);
    QCOMPARE(board->GetVariable(u"s_min"_s), u"2"_s);
    QCOMPARE(board->GetVariable(u"clock"_s), u"2:00"_s);
    KeyStroke(teclado, Qt::Key_Space);
    QCOMPARE(button("Command1")->text(), u"Pause"_s);

    // The exit: the window goes, and the board's process with it.
    const QList<qint64> started = ChildProcesses(QCoreApplication::applicationPid());
    QTest::mouseClick(button("Command5"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
    form.reset();
    for (const qint64 pid : started)
        QVERIFY2(HasEnded(pid), qPrintable(u"process %1 still runs"_s.arg(pid)));
}
