// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardpreview.h"
#include "hostilemovies.h"
#include "movienotice.h"
#include "previewreport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using HostileMovies::Outcome;

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitStatus_data();
    void exitStatus();
    void contactSheetEscapesTheBoard();
    void hostileMovies_data();
    void hostileMovies();
};

void TestPreview::exitStatus_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("warnings");
    QTest::addColumn<QStringList>("unread");
    QTest::addColumn<QStringList>("overflows");
    QTest::addColumn<int>("status");

    const QStringList none;
    const QStringList one{u"x"_s};
    QTest::newRow("clean") << false << none << none << none << 0;
    QTest::newRow("a warning") << false << one << none << none << 1;
    QTest::newRow("a name never shown") << false << none << one << none << 1;
    QTest::newRow("an overflowing text") << false << none << none << one << 1;
    QTest::newRow("refused outweighs warnings") << true << one << one << one << 2;
}

void TestPreview::exitStatus()
{
    QFETCH(bool, refused);
    QFETCH(QStringList, warnings);
    QFETCH(QStringList, unread);
    QFETCH(QStringList, overflows);
    QFETCH(int, status);
    PreviewReport report;
    if (refused)
        report.refusal = u"No scoreboard movie"_s;
    report.warnings = warnings;
    report.unreadNames = unread;
    report.overflows = overflows;
    QCOMPARE(report.exitStatus(), status);
    // Whatever is wrong is in the words a board author reads.
    for (const QString &line : warnings + unread + overflows)
        QVERIFY(report.text().contains(line));
}

void TestPreview::contactSheetEscapesTheBoard()
{
    // A board's path and its warnings are anyone's text: the contact sheet shows them as text.
    PreviewReport report;
    report.board = u"<script>alert(1)</script>.qml"_s;
    report.warnings = {u"qml: <img src=x onerror=alert(2)>"_s};
    const QString html = report.html();
    QVERIFY(!html.contains(u"<script>"_s));
    QVERIFY(!html.contains(u"<img src=x"_s));
    QVERIFY(html.contains(u"&lt;script&gt;"_s));
}

void TestPreview::hostileMovies_data()
{
    QTest::addColumn<int>("index");
    // The boards the preview refuses, for the reason the program gives: those refused at once,
    // and those whose fault the preview's states set off (the clock run out, not team A's
    // point). A board that plays, faults and all, is previewed like any other board: the
    // gallery's previews are those runs.
    const auto cases = HostileMovies::Cases();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const HostileMovies::Case &hostile = cases[i];
        if (hostile.outcome == Outcome::Refused ||
            (hostile.outcome != Outcome::Plays &&
             hostile.trigger != HostileMovies::Trigger::PointsA))
            QTest::newRow(hostile.name) << int(i);
    }
}

void TestPreview::hostileMovies()
{
    // Refused for the reason the program gives, and whatever loops or grows ended, not waited
    // for: the preview comes back with a report in every case.
    QFETCH(int, index);
    const HostileMovies::Case &hostile = HostileMovies::Cases()[std::size_t(index)];
    QTemporaryDir folder;
    QTemporaryDir out;
    const QString path = folder.filePath(u"brevanto.dll"_s);
    QVERIFY(hostile.make(path));
    BoardPreview preview;
    const PreviewReport report = preview.run(path, QDir(out.path()));
    QCOMPARE(report.exitStatus(), 2);
    if (hostile.outcome == Outcome::Refused)
        QCOMPARE(report.refusal.value_or(QString()), NoticeText(hostile.reason));
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
