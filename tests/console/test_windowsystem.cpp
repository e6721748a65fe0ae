// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsystem.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

class TestWindowSystem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void programMayActivate_data();
    void programMayActivate();
    void activationMovesTheFocusBetweenWindows();
};

void TestWindowSystem::programMayActivate_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("may");

    QTest::newRow("X11") << u"xcb"_s << true;
    // The compositor alone gives the focus, whatever draws the window
    QTest::newRow("Wayland with EGL") << u"wayland-egl"_s << false;
}

void TestWindowSystem::programMayActivate()
{
    QFETCH(QString, platform);
    QFETCH(bool, may);
    QCOMPARE(ProgramMayActivate(platform), may);
}

void TestWindowSystem::activationMovesTheFocusBetweenWindows()
{
    // As after a message box: another window took the focus, and the first asks for it back.
    QWidget first;
    QWidget second;
    first.show();
    QVERIFY(QTest::qWaitForWindowExposed(&first));
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTRY_COMPARE(QApplication::activeWindow(), &second);
    RequestActivation(&first);
    QTRY_COMPARE(QApplication::activeWindow(), &first);
}

QTEST_MAIN(TestWindowSystem)
#include "test_windowsystem.moc"
