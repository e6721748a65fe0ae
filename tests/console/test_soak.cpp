// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfixture.h"

#include "limitentry.h"
#include "textnumber.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Long runs are asked for on the command line: test_soak --strokes 100000 [--seed N].
int g_strokes = 5000;
unsigned g_seed = 20261207;

// Whatever a keyboard can send into the window: the hotkeys, digits and letters, editing keys,
// function keys and the modifier keys alone.
const std::vector<Qt::Key> &KeyPool()
{
    static const std::vector<Qt::Key> keys = [] {
        std::vector<Qt::Key> pool;
        for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
            pool.push_back(Qt::Key(k));
        for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
            pool.push_back(Qt::Key(k));
        for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k)
            pool.push_back(Qt::Key(k));
        for (Qt::Key k :
             {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter,   Qt::Key_Backspace,
              Qt::Key_Delete, Qt::Key_Tab,   Qt::Key_Left,   Qt::Key_Right,   Qt::Key_Home,
              Qt::Key_End,    Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Minus,   Qt::Key_Period,
              Qt::Key_Comma,  Qt::Key_Plus,  Qt::Key_Shift,  Qt::Key_Control, Qt::Key_Alt})
            pool.push_back(k);
        // The hotkeys once more, so that the counters climb and fall often.
        for (Qt::Key k : {Qt::Key_1, Qt::Key_9, Qt::Key_F1, Qt::Key_F9, Qt::Key_P, Qt::Key_S,
                          Qt::Key_Space, Qt::Key_Escape})
            pool.insert(pool.end(), 4, k);
        return pool;
    }();
    return keys;
}

QString TextOf(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return u"\r"_s;
    if (key < Qt::Key_Space || key > Qt::Key_AsciiTilde)
        return {};
    const QString text{QChar(key)};
    return modifiers & Qt::ShiftModifier ? text : text.toLower();
}

} // namespace

// Many random strokes, releases and clicks into the operator window: nothing may crash, the
// board must always follow the fields at each hotkey, and no field may leave its rule.
class TestSoak : public QObject, FormFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void randomOperator();

private:
    QWidget *focused() const;
    void keyStroke(std::mt19937 &random);
    void click(std::mt19937 &random);
    void drag(std::mt19937 &random);
    void verifyBoardFollowsFields(int stroke) const;
    void verifyState(int stroke) const;
    void verifyFiltersAfterRelease();

    int m_hotkeyStrokes = 0;
};

void TestSoak::init()
{
    startNotingMessages();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestSoak::cleanup()
{
    m_form.reset();
}

QWidget *TestSoak::focused() const
{
    QWidget *widget = QApplication::focusWidget();
    return widget ? widget : control<QLineEdit>("Teclado");
}

// A key-down to the focused control and its release to the control focused by then, as a
// keyboard delivers them; now and then a repeat before the release, or no release at all.
void TestSoak::keyStroke(std::mt19937 &random)
{
    const auto &pool = KeyPool();
    const Qt::Key key = pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(random)];
    static constexpr std::array<Qt::KeyboardModifiers::Int, 8> Modifiers{
        Qt::NoModifier,      Qt::NoModifier,
        Qt::NoModifier,      Qt::NoModifier,
        Qt::ShiftModifier,   Qt::ShiftModifier,
        Qt::ControlModifier, Qt::AltModifier | Qt::ShiftModifier};
    const Qt::KeyboardModifiers modifiers(
        Modifiers[std::uniform_int_distribution<size_t>(0, Modifiers.size() - 1)(random)]);
    const QString text = TextOf(key, modifiers);
    const int shape = std::uniform_int_distribution<int>(0, 19)(random);

    QWidget *target = focused();
    // Tabbing reaches the exit and help buttons too; pressing them would end the run or open
    // a browser.
    const bool pressesButton =
        key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (pressesButton &&
        (target == control<QPushButton>("Command5") || target == control<QPushButton>("Command2")))
        return;
    const bool hotkey = target == control<QLineEdit>("Teclado");
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (shape == 0) {
        QKeyEvent repeat(QEvent::KeyPress, key, modifiers, text, true);
        QApplication::sendEvent(focused(), &repeat);
    }
    if (hotkey)
        verifyBoardFollowsFields(++m_hotkeyStrokes);
    if (shape != 1) {
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(focused(), &release);
    }
}

// A left click where a control of the window lies, delivered to whatever is uppermost there
// (in full screen the board covers everything). Never the exit or help buttons.
void TestSoak::click(std::mt19937 &random)
{
    // The board thrice: a click on it is how the operator gets back to the hotkeys.
    static constexpr std::array<const char *, 15> Targets{
        "points_a", "points_b", "faults_a",        "Faults_b",        "Minutos",
        "segundos", "name_a",   "name_b",          "period",          "Command1",
        "Command3", "Command4", "ShockwaveFlash1", "ShockwaveFlash1", "ShockwaveFlash1"};
    const char *name =
        Targets[std::uniform_int_distribution<size_t>(0, Targets.size() - 1)(random)];
    QWidget *wanted = control<QWidget>(name);
    if (auto *combo = qobject_cast<QComboBox *>(wanted))
        wanted = combo->lineEdit();
    const QPoint at = wanted->mapTo(m_form.get(), wanted->rect().center());
    QWidget *hit = m_form->childAt(at);
    if (!hit || hit == control<QPushButton>("Command5") || hit == control<QPushButton>("Command2"))
        return;
    QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(m_form.get(), at));
}

// A press on the drag strip and a few moves, with the left button or with left and right.
void TestSoak::drag(std::mt19937 &random)
{
    QWidget *strip = control<QWidget>("Picture1");
    const QPoint at = strip->mapTo(m_form.get(), strip->rect().center());
    if (m_form->childAt(at) != strip)
        return;
    const Qt::MouseButtons held = std::uniform_int_distribution<int>(0, 3)(random) == 0
                                      ? Qt::LeftButton | Qt::RightButton
                                      : Qt::MouseButtons(Qt::LeftButton);
    QTest::mousePress(strip, Qt::LeftButton, {}, strip->rect().center());
    std::uniform_int_distribution<int> offset(-40, 40);
    for (int i = 0; i < 3; ++i) {
        const QPointF to = strip->rect().center() + QPoint(offset(random), offset(random));
        QMouseEvent move(QEvent::MouseMove, to, strip->mapToGlobal(to), Qt::NoButton, held, {});
        QApplication::sendEvent(strip, &move);
    }
    QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->rect().center());
}

// Every key-down in the key catcher ends with the board showing the fields as they now are:
// the names as typed, the period's item, and each counter of a few digits as its number, in its
// board width.
void TestSoak::verifyBoardFollowsFields(int stroke) const
{
    DisplayControl *board = m_form->display();
    const auto fail = [&](const QString &name, const QString &field) {
        QFAIL(qPrintable(
            u"hotkey %1: the board's %2 is \"%3\", its field holds \"%4\""_s.arg(stroke).arg(
                name, board->GetVariable(name), field)));
    };
    for (const char *name : {"name_a", "name_b"}) {
        const QString field = control<QLineEdit>(name)->text();
        if (board->GetVariable(QLatin1String(name)) != field)
            fail(QLatin1String(name), field);
    }
    const auto *period = control<QComboBox>("period");
    if (period->currentIndex() >= 0 &&
        board->GetVariable(u"period"_s) != period->itemText(period->currentIndex()))
        fail(u"period"_s, period->itemText(period->currentIndex()));
    static const QRegularExpression Counter(u"^[0-9]{1,3}$"_s);
    const std::array<std::tuple<const char *, QString, int>, 4> counters{{
        {"points_a", u"points_a"_s, 3},
        {"points_b", u"points_b"_s, 3},
        {"faults_a", u"faults_a"_s, 2},
        {"Faults_b", u"faults_b"_s, 2},
    }};
    for (const auto &[field, name, width] : counters) {
        const QString text = control<QLineEdit>(field)->text().trimmed();
        const QString shown = board->GetVariable(name);
        const bool fits = Counter.match(text).hasMatch() && text.size() <= width;
        if (shown.size() != width || (fits && TextToNumber(shown) != TextToNumber(text)))
            fail(name, text);
    }
}

void TestSoak::verifyState(int stroke) const
{
    const auto fail = [stroke](const QString &what) {
        QFAIL(qPrintable(u"after event %1: %2"_s.arg(stroke).arg(what)));
    };
    const QString caption = control<QPushButton>("Command1")->text();
    if (caption != u"Play" && caption != u"Pause")
        fail(u"Command1 reads \""_s + caption + u'"');
    const auto *period = control<QComboBox>("period");
    if (period->count() != 9)
        fail(u"the period list holds %1 items"_s.arg(period->count()));
    if (QApplication::focusWidget() == m_form->display())
        fail(u"the board kept the focus"_s);
    if (!m_form->isVisible())
        fail(u"the operator window was closed"_s);
}

// A field whose last change was a key release in it holds its rule's text: send each filtered
// field a release (an arrow key, which changes no text) and look.
void TestSoak::verifyFiltersAfterRelease()
{
    static const QRegularExpression Digits(u"^[1-9][0-9]*$"_s);
    for (const EntryBound &entry : EntryBounds) {
        auto *field = control<QLineEdit>(FieldName(entry.field));
        const QString before = field->text();
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(field, &release);
        const QString text = field->text();
        const bool valid = text.isEmpty() || (Digits.match(text).hasMatch() && text.size() <= 4 &&
                                              text.toInt() <= entry.bound);
        QVERIFY2(valid, qPrintable(u"%1: \"%2\" became \"%3\""_s.arg(
                            QLatin1String(FieldName(entry.field)), before, text)));
    }
    auto *period = control<QComboBox>("period");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(period->lineEdit(), &release);
    const QString text = period->currentText();
    QVERIFY2(text == NumberToText(TextToNumber(text)), qPrintable(u"period: \""_s + text + u'"'));
}

void TestSoak::randomOperator()
{
    std::mt19937 random(g_seed);
    std::uniform_int_distribution<int> action(0, 99);
    qInfo("%d events, seed %u", g_strokes, g_seed);
    for (int event = 1; event <= g_strokes; ++event) {
        const int kind = action(random);
        if (kind < 88)
            keyStroke(random);
        else if (kind < 98)
            click(random);
        else
            drag(random);
        if (QTest::currentTestFailed())
            return;
        verifyState(event);
        if (QTest::currentTestFailed())
            return;
        // Let the clock's timer, the board's rendering and deferred deletions run.
        if (event % 64 == 0) {
            QCoreApplication::processEvents();
            // The offscreen platform takes the activation away at a change of the window
            // state; a window manager would give it back.
            if (QApplication::activeWindow() != m_form.get())
                QApplication::setActiveWindow(m_form.get());
        }
    }
    for (const QString &message : std::as_const(m_messages))
        QCOMPARE(message, u"Set the time"_s);
    qInfo("%lld hotkeys, %lld messages, period %s, points %s:%s, fouls %s:%s, clock %s",
          qlonglong(m_hotkeyStrokes), qlonglong(m_messages.size()),
          qPrintable(control<QComboBox>("period")->currentText()),
          qPrintable(control<QLineEdit>("points_a")->text()),
          qPrintable(control<QLineEdit>("points_b")->text()),
          qPrintable(control<QLineEdit>("faults_a")->text()),
          qPrintable(control<QLineEdit>("Faults_b")->text()),
          qPrintable(m_form->display()->GetVariable(u"min"_s) + u':' +
                     m_form->display()->GetVariable(u"sec"_s)));
    QVERIFY2(m_hotkeyStrokes > g_strokes / 10, "the key catcher seldom had the focus");
    verifyFiltersAfterRelease();
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::vector<char *> testArguments;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--strokes") == 0 && i + 1 < argc)
            g_strokes = std::stoi(argv[++i]);
        else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            g_seed = unsigned(std::stoul(argv[++i]));
        else
            testArguments.push_back(argv[i]);
    }
    TestSoak test;
    return QTest::qExec(&test, int(testArguments.size()), testArguments.data());
}

#include "test_soak.moc"
