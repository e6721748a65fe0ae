// SPDX-License-Identifier: GPL-3.0-or-later
#include "calllog.h"
#include "formfixture.h"

#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The program's life as main() runs it, ended by the exit button. In the sanitizer build,
// LeakSanitizer looks at the end of the run for anything lost on the way.
class TestLifecycle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exitButtonEndsTheEventLoop();
    void nothingOutlivesTheWindow();
};

void TestLifecycle::exitButtonEndsTheEventLoop()
{
    // With the call log on, as the end-to-end tests run the program.
    QLoggingCategory::setFilterRules(u"brevanto.board.calls.debug=true"_s);
    Form1 form(TestServices());
    LogBoardCalls(form.display());
    form.Form_Load();
    form.show();
    QTimer::singleShot(0, &form, [&form] {
        QTest::mouseClick(Control<QPushButton>(&form, "Command5"), Qt::LeftButton);
    });
    // Should the button not end the program, this does, with another code.
    QTimer failsafe;
    failsafe.setSingleShot(true);
    connect(&failsafe, &QTimer::timeout, [] { QApplication::exit(1); });
    failsafe.start(30s);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
}

void TestLifecycle::nothingOutlivesTheWindow()
{
    // Whatever the window opens on its way (the splash, the board's scene) goes with it.
    const qsizetype widgets = QApplication::allWidgets().size();
    const qsizetype windows = QGuiApplication::allWindows().size();
    for (int run = 0; run < 3; ++run) {
        std::unique_ptr<Form1> form = StartedForm();
        KeyStroke(Control<QLineEdit>(form.get(), "Teclado"), Qt::Key_1);
        QTest::mouseClick(Control<QPushButton>(form.get(), "Command5"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::allWidgets().size(), widgets);
        QCOMPARE(QGuiApplication::allWindows().size(), windows);
    }
}

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
