// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"
#include "programfolder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

// Receives what the program asks the desktop to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> requests;
public Q_SLOTS:
    void open(const QUrl &url) { requests.append(url); }
};

class TestWindowModes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void enterFullScreenCoversTheScreen();
    void secondClickTakesTheScreenSizeAnew();
    void leaveRestoresTheWindowedLayout();
    void escapeWhileWindowedChangesNothingElse();
    void windowManagerStateIsNotFollowed();

    void dragMoves_data();
    void dragMoves();
    void pressAloneOnlyStoresTheGrabPoint();
    void dragOnFullScreenWindowDoesNotMove();

    void helpButtonOpensThePageBesideTheProgram();

private:
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons);

    std::unique_ptr<Form1> m_form;
    QSize m_screen{1920, 1080};
};

void TestWindowModes::init()
{
    ConsoleServices services = TestServices();
    services.screenSize = [this](const QWidget *) { return m_screen; };
    m_form = StartedForm(services);
    QApplication::setActiveWindow(m_form.get());
}

void TestWindowModes::cleanup()
{
    m_form.reset();
}

void TestWindowModes::enterFullScreenCoversTheScreen()
{
    Control<QLineEdit>(m_form.get(), "name_a")->setFocus();
    QTest::mouseClick(Control<QPushButton>(m_form.get(), "Command4"), Qt::LeftButton);
    QCOMPARE(m_form->display()->geometry(), QRect(0, 0, 1920, 1080));
    QVERIFY(m_form->windowState() & Qt::WindowFullScreen);
    // The window itself covers its screen, window manager or not.
    QTRY_COMPARE(m_form->geometry(), m_form->screen()->geometry());
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(m_form.get(), "Teclado"));
}

void TestWindowModes::secondClickTakesTheScreenSizeAnew()
{
    auto *fullScreen = Control<QPushButton>(m_form.get(), "Command4");
    QTest::mouseClick(fullScreen, Qt::LeftButton);
    m_screen = QSize(1024, 768);
    // A changed resolution shows only at the next click.
    QCOMPARE(m_form->display()->size(), QSize(1920, 1080));
    QTest::mouseClick(fullScreen, Qt::LeftButton);
    QCOMPARE(m_form->display()->geometry(), QRect(0, 0, 1024, 768));
}

void TestWindowModes::leaveRestoresTheWindowedLayout()
{
    const QRect window = m_form->geometry();
    const QRect windowed = m_form->display()->geometry();
    QTest::mouseClick(Control<QPushButton>(m_form.get(), "Command4"), Qt::LeftButton);
    QVERIFY(m_form->display()->geometry() != windowed);
    // Escape reaches the key catcher at once: the switch gave it the focus.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(m_form->windowState(), Qt::WindowNoState);
    QCOMPARE(m_form->display()->geometry(), windowed);
    QTRY_COMPARE(m_form->geometry(), window);
}

void TestWindowModes::escapeWhileWindowedChangesNothingElse()
{
    const QRect window = m_form->geometry();
    const QRect board = m_form->display()->geometry();
    auto *points = Control<QLineEdit>(m_form.get(), "points_a");
    points->setText(u"12"_s);
    QTest::keyClick(Control<QLineEdit>(m_form.get(), "Teclado"), Qt::Key_Escape);
    QCOMPARE(m_form->geometry(), window);
    QCOMPARE(m_form->display()->geometry(), board);
    QCOMPARE(m_form->windowState(), Qt::WindowNoState);
    QCOMPARE(points->text(), u"12"_s);
}

void TestWindowModes::windowManagerStateIsNotFollowed()
{
    const QRect board = m_form->display()->geometry();
    m_form->setWindowState(Qt::WindowFullScreen);
    QApplication::processEvents();
    QCOMPARE(m_form->display()->geometry(), board);
}

void TestWindowModes::mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    auto *strip = Control<QWidget>(m_form.get(), "Picture1");
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, strip->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(strip, &event);
}

void TestWindowModes::dragMoves_data()
{
    QTest::addColumn<Qt::MouseButtons>("held");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<Qt::CursorShape>("pointer");

    QTest::newRow("left alone") << Qt::MouseButtons(Qt::LeftButton) << true << Qt::ClosedHandCursor;
    QTest::newRow("left and right")
        << (Qt::LeftButton | Qt::RightButton) << false << Qt::ArrowCursor;
    QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << false << Qt::ArrowCursor;
    QTest::newRow("no button") << Qt::MouseButtons() << false << Qt::ArrowCursor;
}

void TestWindowModes::dragMoves()
{
    QFETCH(Qt::MouseButtons, held);
    QFETCH(bool, moves);
    QFETCH(Qt::CursorShape, pointer);
    const QPoint start = m_form->pos();
    mouse(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton);
    // A first grab sets the hand, so that a later move has to put the arrow back.
    mouse(QEvent::MouseMove, QPoint(10, 5), Qt::LeftButton);
    QCOMPARE(m_form->cursor().shape(), Qt::ClosedHandCursor);

    mouse(QEvent::MouseMove, QPoint(40, 25), held);
    // The window follows so that the grabbed point is under the pointer again.
    QCOMPARE(m_form->pos(), moves ? start + QPoint(30, 20) : start);
    QCOMPARE(m_form->cursor().shape(), pointer);

    // The window may go off the screen; nothing pulls it back.
    if (moves) {
        mouse(QEvent::MouseMove, QPoint(-5000, -3000), held);
        QCOMPARE(m_form->pos(), start + QPoint(30, 20) + QPoint(-5010, -3005));
    }
}

void TestWindowModes::pressAloneOnlyStoresTheGrabPoint()
{
    const QPoint start = m_form->pos();
    const Qt::CursorShape before = m_form->cursor().shape();
    mouse(QEvent::MouseButtonPress, QPoint(50, 10), Qt::LeftButton);
    QCOMPARE(m_form->pos(), start);
    QCOMPARE(m_form->cursor().shape(), before);
    // The stored grab point is what a following move keeps under the pointer.
    mouse(QEvent::MouseMove, QPoint(50, 10), Qt::LeftButton);
    QCOMPARE(m_form->pos(), start);
}

void TestWindowModes::dragOnFullScreenWindowDoesNotMove()
{
    QTest::mouseClick(Control<QPushButton>(m_form.get(), "Command4"), Qt::LeftButton);
    const QPoint start = m_form->pos();
    mouse(QEvent::MouseButtonPress, QPoint(10, 5), Qt::LeftButton);
    mouse(QEvent::MouseMove, QPoint(60, 45), Qt::LeftButton);
    QCOMPARE(m_form->pos(), start);
}

void TestWindowModes::helpButtonOpensThePageBesideTheProgram()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(u"file"_s, &catcher, "open");
    auto *help = Control<QPushButton>(m_form.get(), "Command2");
    auto *name = Control<QLineEdit>(m_form.get(), "name_a");
    name->setFocus();
    help->click();
    help->click();
    QDesktopServices::unsetUrlHandler(u"file"_s);

    // One request per click, each for the page in the program's folder; no focus change.
    const QUrl page = QUrl::fromLocalFile(ProgramFolder() + u"/help.html"_s);
    QCOMPARE(catcher.requests, (QList<QUrl>{page, page}));
    QCOMPARE(QApplication::focusWidget(), name);
}

QTEST_MAIN(TestWindowModes)
#include "test_windowmodes.moc"
