// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"
#include "frmsplash.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

class TestForm1 : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void initialState();
    void layout();
    void frameCaptionOnItsTopEdge();
    void tabFromTheLastControlEndsInTeclado();
    void firstFocusEndsInTeclado();
    void refreshSendsSevenVariablesInOrder();
    void startUpOrder();
    void splashClosedEarlyDoesNotHang();
    void splashIgnoresKeys();
    void missingMovieShowsNoMessage();

private:
    void pressInTeclado(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
};

void TestForm1::init()
{
    m_form = StartedForm();
}

void TestForm1::cleanup()
{
    m_form.reset();
}

void TestForm1::pressInTeclado(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(control<QLineEdit>("Teclado"), key, modifiers);
}

void TestForm1::initialState()
{
    for (const char *name : {"name_a", "name_b", "points_a", "points_b", "faults_a", "Faults_b",
                             "Minutos", "segundos"}) {
        QVERIFY2(control<QLineEdit>(name)->text().isEmpty(), name);
        QVERIFY2(control<QLineEdit>(name)->isEnabled(), name);
    }
    auto *period = control<QComboBox>("period");
    QCOMPARE(period->currentIndex(), 0);
    QCOMPARE(period->currentText(), QStringLiteral("1"));
    QCOMPARE(period->count(), 9);
    for (int i = 0; i < period->count(); ++i)
        QCOMPARE(period->itemText(i), QString::number(i + 1));
    QCOMPARE(control<QPushButton>("Command1")->text(), QStringLiteral("Play"));
    QCOMPARE(control<QLineEdit>("Teclado")->text(), QStringLiteral("Text1"));
    QCOMPARE(control<QPushButton>("Command4")->toolTip(), QStringLiteral("Full Screen"));
    QVERIFY(control<QPushButton>("Command5")->toolTip().isEmpty());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Form1"));
    QVERIFY(m_form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_form->windowState(), Qt::WindowNoState);
    QVERIFY(m_form->display()->Movie().endsWith(QStringLiteral("brevanto.dll")));
}

void TestForm1::layout()
{
    // The board lies in front of everything and overlaps no other control; the three small
    // buttons lie in front of the drag strip, so that a click on one is a click on the button.
    DisplayControl *board = m_form->display();
    QCOMPARE(m_form->childAt(board->geometry().center()), board);
    for (const char *name : {"Command2", "Command4", "Command5", "Picture1", "Frame1", "Image1"})
        QVERIFY2(!board->geometry().intersects(control<QWidget>(name)->geometry()), name);
    for (const char *name : {"Command2", "Command4", "Command5"}) {
        auto *button = control<QWidget>(name);
        QCOMPARE(m_form->childAt(button->geometry().center()), button);
    }
    // Of the key catcher no more than a sliver shows.
    const QRect catcher = control<QLineEdit>("Teclado")->geometry();
    const QRect visible = catcher.intersected(m_form->rect());
    QVERIFY(visible.width() < catcher.width() / 4 && visible.height() < catcher.height() / 2);
    // The drag strip is navy, whatever the window's own background is.
    const QImage strip = control<QWidget>("Picture1")->grab().toImage();
    QCOMPARE(strip.pixelColor(strip.width() / 2, strip.height() / 2), QColor(0, 0, 128));
}

void TestForm1::frameCaptionOnItsTopEdge()
{
    const QImage window = m_form->grab().toImage();
    const QRect frame = control<QWidget>("Frame1")->geometry();
    // Between the frame's left line and the first column of labels: nothing but background.
    const QColor background = window.pixelColor(frame.left() + 3, frame.center().y());
    const auto marked = [&](int x, int y) {
        const QColor c = window.pixelColor(x, y);
        return qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) +
                   qAbs(c.blue() - background.blue()) >
               24;
    };
    // The frame's top line, seen right of the controls; the caption's rows, left of its end.
    int line = -1;
    for (int y = frame.top(); y < frame.bottom() && line < 0; ++y) {
        if (marked(frame.right() - 3, y))
            line = y;
    }
    int captionTop = -1, captionBottom = -1;
    for (int y = frame.top(); y < frame.top() + 20; ++y) {
        for (int x = frame.left() + 8; x < frame.left() + 60; ++x) {
            if (marked(x, y)) {
                captionTop = captionTop < 0 ? y : captionTop;
                captionBottom = y;
                break;
            }
        }
    }
    QVERIFY(captionTop >= frame.top());
    QVERIFY2(
        captionTop < line && line < captionBottom,
        qPrintable(u"line at %1, caption %2 to %3"_s.arg(line).arg(captionTop).arg(captionBottom)));
    // The controls lie inside the frame, below its top line.
    for (const char *name : {"Minutos", "segundos", "period", "Label1"})
        QVERIFY2(control<QWidget>(name)->mapTo(m_form.get(), QPoint()).y() > line, name);
}

void TestForm1::tabFromTheLastControlEndsInTeclado()
{
    // From the period list, last in the tab order, the focus wraps to the board, which hands it
    // to the key catcher.
    QApplication::setActiveWindow(m_form.get());
    control<QComboBox>("period")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control<QLineEdit>("Teclado"));
}

void TestForm1::firstFocusEndsInTeclado()
{
    QApplication::setActiveWindow(m_form.get());
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>("Teclado"));
    // The first stroke already works as a hotkey.
    pressInTeclado(Qt::Key_F1);
    QCOMPARE(control<QLineEdit>("faults_a")->text(), QStringLiteral("1"));
}

void TestForm1::refreshSendsSevenVariablesInOrder()
{
    // Each field to its own variable; the formats' cases are test_boardvariables', and empty
    // fields through the window test_clockbuttons'.
    const char *names[] = {"name_a", "name_b", "points_a", "points_b", "faults_a", "Faults_b"};
    const QStringList fields{u"Lions"_s, u"Tigers"_s, u"7"_s, u"1234"_s, u"ab"_s, u"3"_s};
    for (int i = 0; i < 6; ++i)
        control<QLineEdit>(names[i])->setText(fields.at(i));

    QSignalSpy spy(m_form->display(), &DisplayControl::called);
    // A key without a meaning still refreshes the board.
    pressInTeclado(Qt::Key_X);
    const QStringList expected{u"SetVariable period 1"_s,      u"SetVariable name_a Lions"_s,
                               u"SetVariable name_b Tigers"_s, u"SetVariable points_a 007"_s,
                               u"SetVariable points_b 234"_s,  u"SetVariable faults_a ab"_s,
                               u"SetVariable faults_b 03"_s};
    QCOMPARE(Calls(spy), expected);
    QCOMPARE(m_form->display()->GetVariable(QStringLiteral("faults_b")), u"03"_s);
}

void TestForm1::startUpOrder()
{
    ConsoleServices services;
    services.splashInterval = 2000ms;
    Form1 form(services);
    QElapsedTimer clock;
    bool splashSeen = false;
    bool formHiddenMeanwhile = false;
    QString movieMeanwhile = QStringLiteral("unset");
    QTimer::singleShot(1000, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("frmSplash") && widget->isVisible())
                splashSeen = true;
        }
        formHiddenMeanwhile = !form.isVisible();
        movieMeanwhile = form.display()->Movie();
    });
    clock.start();
    form.Form_Load();
    const qint64 elapsed = clock.elapsed();
    QVERIFY(splashSeen);
    QVERIFY(formHiddenMeanwhile);
    QVERIFY(movieMeanwhile.isEmpty());
    QVERIFY2(elapsed >= 2000 && elapsed < 4000, qPrintable(QString::number(elapsed)));
    QVERIFY(!form.display()->Movie().isEmpty());
}

void TestForm1::splashClosedEarlyDoesNotHang()
{
    // The timer may fire while the window is still being shown; the load step must go on.
    frmSplash splash(1h);
    splash.accept();
    QCOMPARE(splash.exec(), int(QDialog::Accepted));
    QVERIFY(!splash.isVisible());
}

void TestForm1::splashIgnoresKeys()
{
    frmSplash splash(300ms);
    bool stillUp = false;
    QTimer::singleShot(50, &splash, [&] {
        QTest::keyClick(&splash, Qt::Key_Escape);
        QTest::keyClick(&splash, Qt::Key_Return);
        QTest::mouseClick(&splash, Qt::LeftButton);
        stillUp = splash.isVisible();
    });
    splash.exec();
    QVERIFY(stillUp);
}

void TestForm1::missingMovieShowsNoMessage()
{
    DisplayControl *board = m_form->display();
    const int windowsBefore = QApplication::topLevelWidgets().size();
    board->setMovie(QStringLiteral("/nonexistent/brevanto.dll"));
    QVERIFY(WaitForBoard(board));
    QVERIFY(!board->isMovieLoaded());
    QCOMPARE(board->notice(), u"No scoreboard movie"_s);
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    // The console keeps working.
    pressInTeclado(Qt::Key_9);
    QCOMPARE(control<QLineEdit>("points_b")->text(), QStringLiteral("1"));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
