// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathrules.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The sandbox's view of paths under each system's rules, checked on every system: what Windows
// would reach across the network or into a device, and how folders are compared.
class TestPathRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hostsAndDevices_data();
    void hostsAndDevices();
    void folders_data();
    void folders();
    void cleanAbsolute_data();
    void cleanAbsolute();
    void oneKeyPerFile();
};

namespace {

const PathRules Windows{true, Qt::CaseInsensitive, true};
const PathRules Linux{false, Qt::CaseSensitive};

} // namespace

void TestPathRules::hostsAndDevices_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("onWindows");

    // Another machine's files, as a file URL or the board's text may name them
    QTest::newRow("share") << u"//server/share/logo.png"_s << true;
    QTest::newRow("share, backslashes") << u"\\\\server\\share\\logo.png"_s << true;
    QTest::newRow("share, mixed") << u"/\\server/share"_s << true;
    QTest::newRow("three slashes") << u"///server/share"_s << true;
    // Devices
    QTest::newRow("device space") << u"//./pipe/brevanto"_s << true;
    QTest::newRow("long path space") << u"\\\\?\\C:\\board\\board.qml"_s << true;
    QTest::newRow("NUL") << u"C:/board/NUL"_s << true;
    QTest::newRow("nul with an extension") << u"C:/board/nul.png"_s << true;
    QTest::newRow("CON with spaces before the dot") << u"C:/board/CON  .qml"_s << true;
    QTest::newRow("a device as a folder") << u"C:/board/aux/x.png"_s << true;
    QTest::newRow("COM1") << u"C:/board/Com1.txt"_s << true;
    QTest::newRow("LPT9") << u"C:/board/LPT9"_s << true;
    QTest::newRow("COM superscript 1") << u"C:/board/COM\u00b9"_s << true;
    QTest::newRow("console input") << u"C:/board/conin$"_s << true;
    // Files on a disk, however close their names come
    QTest::newRow("a part") << u"C:/board/parts/Panel.qml"_s << false;
    QTest::newRow("nul as a prefix") << u"C:/board/nullable.png"_s << false;
    QTest::newRow("COM10") << u"C:/board/COM10"_s << false;
    QTest::newRow("a dot before nul") << u"C:/board/.nul"_s << false;
    QTest::newRow("root of the drive") << u"/board/board.qml"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPathRules::hostsAndDevices()
{
    QFETCH(QString, path);
    QFETCH(bool, onWindows);
    QCOMPARE(NamesHostOrDevice(path, Windows), onWindows);
    // On Linux every one of them is a path on the disks ("//server" is "/server").
    QVERIFY(!NamesHostOrDevice(path, Linux));
}

void TestPathRules::folders_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("onWindows");
    QTest::addColumn<bool>("onLinux");

    QTest::newRow("inside") << u"/opt/brevanto/parts/A.qml"_s << u"/opt/brevanto"_s << true << true;
    QTest::newRow("the folder itself") << u"/opt/brevanto"_s << u"/opt/brevanto"_s << true << true;
    QTest::newRow("another case") << u"C:/Brevanto/parts/A.qml"_s << u"c:/brevanto"_s << true
                                  << false;
    QTest::newRow("a folder beginning alike")
        << u"/opt/brevanto-old/x.qml"_s << u"/opt/brevanto"_s << false << false;
    QTest::newRow("a folder beginning alike, another case")
        << u"C:/BREVANTO2/x.qml"_s << u"C:/Brevanto"_s << false << false;
    QTest::newRow("the folder above") << u"/opt"_s << u"/opt/brevanto"_s << false << false;
    QTest::newRow("no folder") << u"/opt/brevanto/x.qml"_s << QString() << false << false;
}

void TestPathRules::folders()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(bool, onWindows);
    QFETCH(bool, onLinux);
    QCOMPARE(IsInside(path, folder, Windows), onWindows);
    QCOMPARE(IsInside(path, folder, Linux), onLinux);
}

void TestPathRules::cleanAbsolute_data()
{
    // What the gate compares with the movie's folder, from a name as the engine gives it; the
    // current folder is D:/cwd under Windows' rules, /cwd under Linux's.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("onWindows");
    QTest::addColumn<QString>("onLinux");

    QTest::newRow("clean already") << u"/b/x.png"_s << u"D:/b/x.png"_s << u"/b/x.png"_s;
    QTest::newRow("out and back in") << u"/b/parts/../x.png"_s << u"D:/b/x.png"_s << u"/b/x.png"_s;
    QTest::newRow("out") << u"/b/../outside/x.png"_s << u"D:/outside/x.png"_s
                         << u"/outside/x.png"_s;
    QTest::newRow("relative") << u"parts/./x.png"_s << u"D:/cwd/parts/x.png"_s
                              << u"/cwd/parts/x.png"_s;
    QTest::newRow("an address as a name")
        << u"file:///x.png"_s << u"D:/cwd/file:/x.png"_s << u"/cwd/file:/x.png"_s;
    QTest::newRow("above the root") << u"/b/../../../x.png"_s << u"D:/x.png"_s << u"/x.png"_s;
    QTest::newRow("another drive")
        << u"C:\\b\\..\\x.png"_s << u"C:/x.png"_s << u"/cwd/C:\\b\\..\\x.png"_s;
}

void TestPathRules::cleanAbsolute()
{
    QFETCH(QString, path);
    QFETCH(QString, onWindows);
    QFETCH(QString, onLinux);
    QCOMPARE(CleanAbsolute(path, u"D:/cwd"_s, Windows), onWindows);
    QCOMPARE(CleanAbsolute(path, u"/cwd"_s, Linux), onLinux);
}

void TestPathRules::oneKeyPerFile()
{
    // The same file by two spellings is one file on Windows, two on Linux.
    const QString upper = u"C:/Board/Parts/Panel.qml"_s;
    const QString lower = u"c:/board/parts/panel.QML"_s;
    QCOMPARE(PathKey(upper, Windows), PathKey(lower, Windows));
    QCOMPARE_NE(PathKey(upper, Linux), PathKey(lower, Linux));
    QCOMPARE(PathKey(upper, Linux), upper);
}

QTEST_GUILESS_MAIN(TestPathRules)
#include "test_pathrules.moc"
