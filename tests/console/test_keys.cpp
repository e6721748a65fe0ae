// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

// Key strokes as the operator makes them: hotkeys in the key catcher, and typing into the fields
// with their filters on key release.
class TestKeys : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void counterKeys_data();
    void counterKeys();
    void periodKeys_data();
    void periodKeys();
    void setOnlyWithShiftAlone_data();
    void setOnlyWithShiftAlone();
    void everyKeyRefreshesAndIsEmptiedAway();
    void typedEntriesAreFiltered_data();
    void typedEntriesAreFiltered();
    void namesAreNotFiltered();
    void typedPeriodIsNormalised_data();
    void typedPeriodIsNormalised();
    void typedPeriodStaysUnselected_data();
    void typedPeriodStaysUnselected();
    void pickAfterTypingSelects();
    void filtersDoNotRefreshTheBoard();

private:
    QLineEdit *field(const QString &name) const
    {
        return control<QLineEdit>(name.toLatin1().constData());
    }
    QLineEdit *teclado() const { return field(u"Teclado"_s); }
};

void TestKeys::init()
{
    m_form = StartedForm();
    QApplication::setActiveWindow(m_form.get());
}

void TestKeys::cleanup()
{
    m_form.reset();
}

void TestKeys::counterKeys_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("after");

    // Each key on its own field, as the window carries out the key table; the steps' cases and
    // their range ends are test_hotkeys'.
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift(Qt::ShiftModifier);
    QTest::newRow("1 on empty") << u"points_a"_s << u""_s << int(Qt::Key_1) << none << u"1"_s;
    QTest::newRow("Shift+1 at typed 1000")
        << u"points_a"_s << u"1000"_s << int(Qt::Key_1) << shift << u"999"_s;
    QTest::newRow("F1 at 99") << u"faults_a"_s << u"99"_s << int(Qt::Key_F1) << none << u"99"_s;
    QTest::newRow("9 at 2.5") << u"points_b"_s << u"2.5"_s << int(Qt::Key_9) << none << u"3.5"_s;
    QTest::newRow("Alt+F9") << u"Faults_b"_s << u"5"_s << int(Qt::Key_F9)
                            << Qt::KeyboardModifiers(Qt::AltModifier) << u"4"_s;
    // Keypad digits are no hotkeys
    QTest::newRow("keypad 1") << u"points_a"_s << u"5"_s << int(Qt::Key_1)
                              << Qt::KeyboardModifiers(Qt::KeypadModifier) << u"5"_s;
}

void TestKeys::counterKeys()
{
    QFETCH(QString, name);
    QFETCH(QString, before);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, after);
    field(name)->setText(before);
    KeyStroke(teclado(), Qt::Key(key), modifiers);
    QCOMPARE(field(name)->text(), after);
}

void TestKeys::periodKeys_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("expected");

    // The list's ends in the window (index -1: typedPeriodStaysUnselected); the step's cases are
    // test_hotkeys'.
    QTest::newRow("P steps up") << 3 << Qt::KeyboardModifiers() << 4;
    QTest::newRow("Ctrl+P steps down") << 3 << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
    QTest::newRow("P at ninth") << 8 << Qt::KeyboardModifiers() << 8;
}

void TestKeys::periodKeys()
{
    QFETCH(int, index);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, expected);
    auto *period = control<QComboBox>("period");
    period->setCurrentIndex(index);
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    KeyStroke(teclado(), Qt::Key_P, modifiers);
    QCOMPARE(period->currentIndex(), expected);
    QCOMPARE(Calls(board).value(0), u"SetVariable period "_s + QString::number(expected + 1));
}

void TestKeys::setOnlyWithShiftAlone_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("sets");

    // Shift must reach the key table alone; the table's own cases are test_hotkeys'.
    QTest::newRow("S") << Qt::KeyboardModifiers() << false;
    QTest::newRow("Shift+S") << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("Ctrl+Shift+S") << (Qt::ShiftModifier | Qt::ControlModifier) << false;
}

void TestKeys::setOnlyWithShiftAlone()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, sets);
    field(u"Minutos"_s)->setText(u"05"_s);
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    KeyStroke(teclado(), Qt::Key_S, modifiers);
    const QStringList calls = Calls(board);
    QCOMPARE(calls.contains(u"SetVariable s_min 5"_s), sets);
    QCOMPARE(calls.contains(u"GotoFrame 0"_s), sets);
    // Set refreshes the board itself, and the key refreshes it once more.
    QCOMPARE(calls.count(u"SetVariable name_a "_s), sets ? 2 : 1);
}

void TestKeys::everyKeyRefreshesAndIsEmptiedAway()
{
    const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> strokes{{Qt::Key_Shift, Qt::ShiftModifier},
                                                               {Qt::Key_Return, {}},
                                                               {Qt::Key_A, {}},
                                                               {Qt::Key_Escape, {}},
                                                               {Qt::Key_1, {}},
                                                               {Qt::Key_Z, Qt::ShiftModifier}};
    for (const auto &[key, modifiers] : strokes) {
        QSignalSpy board(m_form->display(), &DisplayControl::called);
        KeyStroke(teclado(), key, modifiers);
        QCOMPARE(board.count(), 7);
        // The key catcher holds no more than the last key's character.
        QVERIFY(teclado()->text().size() <= 1);
        QCOMPARE(QApplication::focusWidget(), teclado());
    }
}

void TestKeys::typedEntriesAreFiltered_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    // Each field with its bound, judged key by key as typed so far; LimitEntry's own cases are
    // test_limitentry's.
    QTest::newRow("points up to 1000") << u"points_a"_s << u"1000"_s << u"1000"_s;
    QTest::newRow("points past 1000") << u"points_a"_s << u"10000"_s << u""_s;
    QTest::newRow("team B points past 1000") << u"points_b"_s << u"1001"_s << u""_s;
    QTest::newRow("fouls 100") << u"Faults_b"_s << u"100"_s << u""_s;
    QTest::newRow("minutes 100") << u"Minutos"_s << u"100"_s << u"100"_s;
    QTest::newRow("seconds 101") << u"segundos"_s << u"101"_s << u""_s;
    QTest::newRow("letters first") << u"points_a"_s << u"x5"_s << u"5"_s;
}

void TestKeys::typedEntriesAreFiltered()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QLineEdit *entry = field(name);
    entry->setFocus();
    // Each key is filtered on its release, so the text is judged as typed so far: "x" empties
    // at once and the "5" that follows stands alone.
    QTest::keyClicks(entry, typed);
    QCOMPARE(entry->text(), after);
}

void TestKeys::namesAreNotFiltered()
{
    QLineEdit *name = field(u"name_a"_s);
    name->setFocus();
    QTest::keyClicks(name, u" 0 Lions "_s);
    QCOMPARE(name->text(), u" 0 Lions "_s);
}

void TestKeys::typedPeriodIsNormalised_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("digit") << u"7"_s << u"7"_s;
    QTest::newRow("letters") << u"abc"_s << u"0"_s;
}

void TestKeys::typedPeriodIsNormalised()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    auto *period = control<QComboBox>("period");
    period->setFocus();
    period->lineEdit()->selectAll();
    // Keys go where the keyboard sends them: to the focus widget, the list.
    QWidget *focus = QApplication::focusWidget();
    QCOMPARE(focus, period);
    QTest::keyClicks(focus, typed);
    QCOMPARE(period->currentText(), after);
    QCOMPARE(period->currentIndex(), -1);
    QCOMPARE(period->count(), 9);
    // Enter adds no item.
    QTest::keyClick(focus, Qt::Key_Return);
    QCOMPARE(period->count(), 9);
}

void TestKeys::typedPeriodStaysUnselected_data()
{
    QTest::addColumn<bool>("enter"); // Enter in the edit field before the focus leaves it
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("sent");

    // "3" matches the third item, but typing selects none: P selects the first, Shift+P nothing
    QTest::newRow("P") << false << Qt::KeyboardModifiers() << 0 << u"1"_s;
    QTest::newRow("Shift+P") << false << Qt::KeyboardModifiers(Qt::ShiftModifier) << -1 << u"3"_s;
    QTest::newRow("Enter, then P") << true << Qt::KeyboardModifiers() << 0 << u"1"_s;
    QTest::newRow("Enter, then Shift+P")
        << true << Qt::KeyboardModifiers(Qt::ShiftModifier) << -1 << u"3"_s;
}

void TestKeys::typedPeriodStaysUnselected()
{
    QFETCH(bool, enter);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, index);
    QFETCH(QString, sent);
    auto *period = control<QComboBox>("period");
    period->setFocus();
    period->lineEdit()->selectAll();
    QTest::keyClicks(period, u"3"_s);
    if (enter)
        QTest::keyClick(period, Qt::Key_Return);
    // A click on the board ends the edit and hands the focus back to the key catcher.
    QTest::mouseClick(m_form->display(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), teclado());
    QCOMPARE(period->currentIndex(), -1);
    QCOMPARE(period->currentText(), u"3"_s);

    QSignalSpy board(m_form->display(), &DisplayControl::called);
    KeyStroke(teclado(), Qt::Key_P, modifiers);
    QCOMPARE(period->currentIndex(), index);
    QCOMPARE(Calls(board).value(0), u"SetVariable period "_s + sent);
}

void TestKeys::pickAfterTypingSelects()
{
    auto *period = control<QComboBox>("period");
    period->setFocus();
    period->lineEdit()->selectAll();
    QTest::keyClicks(period, u"3"_s);
    // Down picks from the list: with no item selected, the first one; the pick stays.
    QTest::keyClick(period, Qt::Key_Down);
    QTest::mouseClick(m_form->display(), Qt::LeftButton);
    QCOMPARE(period->currentIndex(), 0);
    QCOMPARE(period->currentText(), u"1"_s);
}

void TestKeys::filtersDoNotRefreshTheBoard()
{
    QSignalSpy board(m_form->display(), &DisplayControl::called);
    QLineEdit *points = field(u"points_a"_s);
    points->setFocus();
    QTest::keyClicks(points, u"12"_s);
    // A field holding "0" empties at the first release, even of an arrow key.
    points->setText(u"0"_s);
    QTest::keyClick(points, Qt::Key_Left);
    QCOMPARE(points->text(), QString());
    QCOMPARE(board.count(), 0);
}

QTEST_MAIN(TestKeys)
#include "test_keys.moc"
