// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype TenMegabytes = 10 * 1024 * 1024;

} // namespace

// Ten megabytes pasted into an entry field: the field keeps what it can, the board gets all the
// field holds and shows a sensible part of a name, the counters stay three and two characters,
// and the hotkeys and filters go on working.
class TestHugeEntries : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void pastedName_data();
    void pastedName();
    void pointsPastedWithTheMouse_data();
    void pointsPastedWithTheMouse();
    void pointsPastedWithTheKeyboard();

private:
    QLineEdit *field(const char *name) const { return control<QLineEdit>(name); }
    void paste(QLineEdit *target, const QString &text, bool byKeyboard);
    QString shownName() const;
};

void TestHugeEntries::init()
{
    m_form = StartedForm();
    QVERIFY(WaitForBoard(m_form->display()));
}

void TestHugeEntries::cleanup()
{
    m_form.reset();
}

void TestHugeEntries::paste(QLineEdit *target, const QString &text, bool byKeyboard)
{
    if (!byKeyboard) {
        // As the mouse pastes: the text arrives without a key release in the field.
        target->setText(text);
        return;
    }
    QGuiApplication::clipboard()->setText(text);
    target->setFocus();
    KeyStroke(target, Qt::Key_V, Qt::ControlModifier);
}

void TestHugeEntries::pastedName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("byKeyboard");

    const QString letters(TenMegabytes, u'x');
    const QString lines = u"Lions\n"_s.repeated(TenMegabytes / 6);
    QTest::newRow("letters, with the mouse") << letters << false;
    QTest::newRow("letters, with Ctrl+V") << letters << true;
    QTest::newRow("lines, with the mouse") << lines << false;
    QTest::newRow("lines, with Ctrl+V") << lines << true;
}

void TestHugeEntries::pastedName()
{
    QFETCH(QString, text);
    QFETCH(bool, byKeyboard);
    QLineEdit *name = field("name_a");
    paste(name, text, byKeyboard);
    // The field keeps only the start of a paste this size (the program's limit on entries).
    const QString kept = name->text();
    QVERIFY(!kept.isEmpty());
    QVERIFY(text.startsWith(kept.first(std::min<qsizetype>(kept.size(), 1000))));

    DisplayControl *board = m_form->display();
    const QImage before = board->grab().toImage();
    KeyStroke(field("Teclado"), Qt::Key_1);
    QCOMPARE(field("points_a")->text(), u"1"_s);
    // The board gets the name exactly as the field holds it, and draws it (only its start, as
    // the movie's own tests show) without missing a beat.
    const QString sent = board->GetVariable(u"name_a"_s);
    QCOMPARE(sent.size(), kept.size());
    QVERIFY(sent == kept);
    QTRY_VERIFY(board->grab().toImage() != before);
    QVERIFY(board->isMovieLoaded());
}

void TestHugeEntries::pointsPastedWithTheMouse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sent");        // points_a on the board after any hotkey
    QTest::addColumn<QString>("afterOne");    // the field after the key 1; empty: unchanged
    QTest::addColumn<QString>("afterTyping"); // the field after a key release in it

    QTest::newRow("digits") << QString(TenMegabytes, u'7') << u"777"_s << QString() << QString();
    QTest::newRow("7 then blanks")
        << u'7' + QString(TenMegabytes, u' ') << u"007"_s << u"8"_s << u"8"_s;
    QTest::newRow("letters") << QString(TenMegabytes, u'x') << u"xxx"_s << u"1"_s << u"1"_s;
}

void TestHugeEntries::pointsPastedWithTheMouse()
{
    QFETCH(QString, text);
    QFETCH(QString, sent);
    QFETCH(QString, afterOne);
    QFETCH(QString, afterTyping);
    QLineEdit *points = field("points_a");
    paste(points, text, false);
    const QString pasted = points->text();
    QVERIFY(!pasted.isEmpty());

    // Unfiltered until the next key release in the field; the board gets three characters.
    KeyStroke(field("Teclado"), Qt::Key_9);
    QCOMPARE(points->text(), pasted);
    QCOMPARE(m_form->display()->GetVariable(u"points_a"_s), sent);
    KeyStroke(field("Teclado"), Qt::Key_1);
    QCOMPARE(points->text(), afterOne.isEmpty() ? pasted : afterOne);
    QCOMPARE(m_form->display()->GetVariable(u"points_a"_s).size(), 3);

    QKeyEvent release(QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(points, &release);
    QCOMPARE(points->text(), afterTyping);
}

void TestHugeEntries::pointsPastedWithTheKeyboard()
{
    // Ctrl+V is a key stroke in the field: its release filters the paste at once.
    QLineEdit *faults = field("faults_a");
    paste(faults, QString(TenMegabytes, u'7'), true);
    QCOMPARE(faults->text(), QString());
    paste(faults, u'5' + QString(TenMegabytes, u' '), true);
    QCOMPARE(faults->text(), u"5"_s);
    KeyStroke(field("Teclado"), Qt::Key_F1);
    QCOMPARE(faults->text(), u"6"_s);
    QCOMPARE(m_form->display()->GetVariable(u"faults_a"_s), u"06"_s);
}

QTEST_MAIN(TestHugeEntries)
#include "test_hugeentries.moc"
