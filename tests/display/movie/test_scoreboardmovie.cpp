// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardarea.h"
#include "movieloader.h"
#include "movienotice.h"

#include <QColor>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlPropertyMap>
#include <QQuickItem>
#include <QQuickView>
#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;

// The scoreboard movie as the display control plays it: brevanto.dll loaded onto the control's
// stage (its parts found in parts/ beside it), the variables in `board`, and the design
// canvas scaled into a window.
class TestScoreboardMovie : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void loadsWithItsParts();
    void restingValuesUntilSet_data();
    void restingValuesUntilSet();
    void showsVariablesAsSent_data();
    void showsVariablesAsSent();
    void digitsLightTheirSegments();
    void namesStayOnOneLine_data();
    void namesStayOnOneLine();
    void hugeNameLaysOutOnlyItsStart();
    void markupInANameIsShownAsTyped();
    void clockTurnsRedInLastMinute();
    void longClockFitsItsPanel();

private:
    QObject *part(const QString &group, const QString &name) const;
    QString shown(const QString &group, const QString &name) const;
    void setVariable(const QString &name, const QString &value);
    QImage clockPicture();

    std::unique_ptr<QQmlPropertyMap> m_board;
    std::unique_ptr<QQuickView> m_window;
    std::unique_ptr<MovieLoader> m_loader;
    QQuickItem *m_movie = nullptr;
};

static const QUrl movieUrl = QUrl::fromLocalFile(QStringLiteral(BREVANTO_MOVIE_FILE));

void TestScoreboardMovie::init()
{
    // Any QML warning from the movie (a binding loop, a missing part) fails the test.
    QTest::failOnWarning(QRegularExpression(u"(\\.qml|brevanto\\.dll):\\d+"_s));

    m_board = std::make_unique<QQmlPropertyMap>();
    m_window = std::make_unique<QQuickView>();
    m_window->engine()->rootContext()->setContextProperty(u"board"_s, m_board.get());
    m_window->setResizeMode(QQuickView::SizeRootObjectToView);
    m_window->resize(1024, 768);
    m_window->setSource(MovieLoader::StageUrl());
    m_loader = std::make_unique<MovieLoader>(m_window->engine(), m_window->rootObject());
    const MovieOutcome outcome = m_loader->load(movieUrl.toLocalFile());
    m_movie = m_loader->movie();
    QVERIFY2(m_movie, qPrintable(NoticeText(outcome)));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestScoreboardMovie::cleanup()
{
    m_movie = nullptr;
    m_loader.reset();
    m_window.reset();
    m_board.reset();
}

QObject *TestScoreboardMovie::part(const QString &group, const QString &name) const
{
    auto *holder = m_movie->findChild<QObject *>(group);
    return holder ? holder->findChild<QObject *>(name) : nullptr;
}

// What a part shows: the characters of a lit display, the text of a name.
QString TestScoreboardMovie::shown(const QString &group, const QString &name) const
{
    QObject *object = part(group, name);
    if (!object)
        return u"<missing %1/%2>"_s.arg(group, name);
    return object->property(name == u"name"_s ? "text" : "shown").toString();
}

void TestScoreboardMovie::setVariable(const QString &name, const QString &value)
{
    m_board->insert(name, value);
}

void TestScoreboardMovie::loadsWithItsParts()
{
    // Its canvas is the board area in twips, so that it fills the area at one scale.
    QCOMPARE(m_movie->width(), BoardArea::Width);
    QCOMPARE(m_movie->height(), BoardArea::Height);
    for (const QString &group : {u"team_a"_s, u"team_b"_s})
        for (const QString &name : {u"name"_s, u"points"_s, u"fouls"_s})
            QVERIFY2(part(group, name), qPrintable(group + u'/' + name));
    QVERIFY(part(u"clock"_s, u"digits"_s));
    QVERIFY(part(u"period"_s, u"digits"_s));
}

void TestScoreboardMovie::restingValuesUntilSet_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("clock") << u"clock"_s << u"digits"_s << u"0:00"_s;
    QTest::newRow("period") << u"period"_s << u"digits"_s << u"1"_s;
    QTest::newRow("points") << u"team_a"_s << u"points"_s << u"000"_s;
    QTest::newRow("fouls") << u"team_b"_s << u"fouls"_s << u"00"_s;
    QTest::newRow("name") << u"team_a"_s << u"name"_s << QString();
}

void TestScoreboardMovie::restingValuesUntilSet()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(shown(group, name), expected);
}

void TestScoreboardMovie::showsVariablesAsSent_data()
{
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    // The same part of the other team, which must keep its resting value.
    QTest::addColumn<QString>("otherGroup");

    // Each variable reaches its own part, and only that one
    QTest::newRow("name_a") << u"name_a"_s << u"Tigers"_s << u"team_a"_s << u"name"_s
                            << u"team_b"_s;
    QTest::newRow("name_b") << u"name_b"_s << u"Lions"_s << u"team_b"_s << u"name"_s << u"team_a"_s;
    QTest::newRow("points_a") << u"points_a"_s << u"087"_s << u"team_a"_s << u"points"_s
                              << u"team_b"_s;
    QTest::newRow("points_b") << u"points_b"_s << u"091"_s << u"team_b"_s << u"points"_s
                              << u"team_a"_s;
    QTest::newRow("faults_a") << u"faults_a"_s << u"03"_s << u"team_a"_s << u"fouls"_s
                              << u"team_b"_s;
    QTest::newRow("faults_b") << u"faults_b"_s << u"07"_s << u"team_b"_s << u"fouls"_s
                              << u"team_a"_s;
    QTest::newRow("period") << u"period"_s << u"4"_s << u"period"_s << u"digits"_s << QString();
    QTest::newRow("clock") << u"clock"_s << u"12:00"_s << u"clock"_s << u"digits"_s << QString();

    // Letters and blanks are shown, not interpreted (markup: markupInANameIsShownAsTyped)
    QTest::newRow("letters in points")
        << u"points_b"_s << u"0ab"_s << u"team_b"_s << u"points"_s << u"team_a"_s;
    QTest::newRow("blanks around a name")
        << u"name_b"_s << u"  Lions "_s << u"team_b"_s << u"name"_s << u"team_a"_s;
    QTest::newRow("empty period") << u"period"_s << QString() << u"period"_s << u"digits"_s
                                  << QString();
    QTest::newRow("tenths") << u"clock"_s << u"0.0"_s << u"clock"_s << u"digits"_s << QString();
    QTest::newRow("many minutes") << u"clock"_s << u"101:40"_s << u"clock"_s << u"digits"_s
                                  << QString();
}

void TestScoreboardMovie::showsVariablesAsSent()
{
    QFETCH(QString, variable);
    QFETCH(QString, value);
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, otherGroup);

    const QString before = otherGroup.isEmpty() ? QString() : shown(otherGroup, name);
    setVariable(variable, value);
    if (value.isEmpty()) // an empty value leaves the place blank, but the place is kept
        QCOMPARE(shown(group, name).trimmed(), QString());
    else
        QCOMPARE(shown(group, name), value);
    if (!otherGroup.isEmpty())
        QCOMPARE(shown(otherGroup, name), before);
}

void TestScoreboardMovie::digitsLightTheirSegments()
{
    QQmlComponent component(m_window->engine());
    component.setData("import QtQuick\nimport \"parts\"\nSegmentDigit { litColour: \"red\" }",
                      movieUrl);
    std::unique_ptr<QObject> digit(component.create());
    QVERIFY2(digit, qPrintable(component.errorString()));
    const QColor lit(Qt::red);

    auto pattern = [&](const QString &character) {
        digit->setProperty("character", character);
        return digit->property("pattern").toInt();
    };
    // The lit bars of the cell as drawn: their centres, in the cell's coordinates.
    auto litCentres = [&](const QString &character) {
        digit->setProperty("character", character);
        QList<QPointF> centres;
        const auto *cell = qobject_cast<QQuickItem *>(digit.get());
        QList<QQuickItem *> items = cell->childItems();
        while (!items.isEmpty()) {
            QQuickItem *bar = items.takeLast();
            items << bar->childItems();
            if (bar->property("colour").value<QColor>() == lit && bar->isVisible())
                centres << bar->mapToItem(cell, QPointF(bar->width() / 2, bar->height() / 2));
        }
        return centres;
    };

    // Every digit reads differently; 8 lights all seven bars, a blank none, a letter is drawn
    QSet<int> patterns;
    for (QChar c : u"0123456789"_s)
        patterns.insert(pattern(c));
    QCOMPARE(patterns.size(), 10);
    QCOMPARE(litCentres(u"8"_s).size(), 7);
    QCOMPARE(litCentres(u" "_s).size(), 0);
    QCOMPARE(pattern(QString()), 0);
    QCOMPARE(pattern(u"a"_s), -1);

    // Digits that grow from one another light supersets: 1 in 7 in 3 in 9 in 8, and 1 in 4 in 9
    const auto within = [&](const QString &inner, const QString &outer) {
        return (pattern(inner) & ~pattern(outer)) == 0 && pattern(inner) != pattern(outer);
    };
    QVERIFY(within(u"1"_s, u"7"_s) && within(u"7"_s, u"3"_s) && within(u"3"_s, u"9"_s));
    QVERIFY(within(u"9"_s, u"8"_s) && within(u"1"_s, u"4"_s) && within(u"4"_s, u"9"_s));
    QCOMPARE(pattern(u"0"_s) | pattern(u"-"_s), pattern(u"8"_s));

    // Where the lit bars stand: "1" on the right side, "-" across the middle
    const auto *cell = qobject_cast<QQuickItem *>(digit.get());
    const QList<QPointF> one = litCentres(u"1"_s);
    QCOMPARE(one.size(), 2);
    for (const QPointF &centre : one)
        QVERIFY(centre.x() > cell->width() * 0.75);
    const QList<QPointF> dash = litCentres(u"-"_s);
    QCOMPARE(dash.size(), 1);
    QCOMPARE(dash.first().y(), cell->height() / 2);
}

void TestScoreboardMovie::namesStayOnOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cut");

    QTest::newRow("short") << u"Tigers"_s << false;
    // Shrunk, a name of 40 characters, even wide ones, is shown whole; a longer one may be cut.
    QTest::newRow("long") << u"Real Sociedad de Fútbol Club Atlético Internacional"_s << false;
    QTest::newRow("40 wide letters") << QString(40, u'W') << false;
    QTest::newRow("one long word") << QString(80, u'W') << true;
    QTest::newRow("line break") << u"North\nSouth"_s << false;
}

void TestScoreboardMovie::namesStayOnOneLine()
{
    QFETCH(QString, name);
    QFETCH(bool, cut);
    setVariable(u"name_b"_s, name);
    QObject *text = part(u"team_b"_s, u"name"_s);
    QVERIFY(text);
    QCOMPARE(text->property("lineCount").toInt(), 1);
    QCOMPARE(text->property("truncated").toBool(), cut);
    QVERIFY(text->property("contentWidth").toReal() <= text->property("width").toReal());
}

void TestScoreboardMovie::hugeNameLaysOutOnlyItsStart()
{
    const QString huge = u"Team "_s + QString(10 * 1024 * 1024, u'x');
    setVariable(u"name_a"_s, huge);
    QObject *text = part(u"team_a"_s, u"name"_s);
    QVERIFY(text);
    const QString laidOut = text->property("text").toString();
    QVERIFY(laidOut.size() <= 200);
    QVERIFY(huge.startsWith(laidOut));
    QVERIFY(text->property("truncated").toBool());
    QVERIFY(!m_window->grabWindow().isNull());
}

void TestScoreboardMovie::markupInANameIsShownAsTyped()
{
    QObject *text = part(u"team_a"_s, u"name"_s);
    QVERIFY(text);
    setVariable(u"name_a"_s, u"A & B"_s);
    const qreal plain = text->property("contentWidth").toReal();
    setVariable(u"name_a"_s, u"<i>A</i> & B"_s);
    // The tags take room of their own: they are shown, not obeyed.
    QVERIFY(text->property("contentWidth").toReal() > plain * 1.5);
}

// The clock's panel as the window shows it.
QImage TestScoreboardMovie::clockPicture()
{
    auto *clock = m_movie->findChild<QQuickItem *>(u"clock"_s);
    const QRectF area = clock->mapRectToScene(QRectF(0, 0, clock->width(), clock->height()));
    return m_window->grabWindow().copy(area.toRect());
}

void TestScoreboardMovie::clockTurnsRedInLastMinute()
{
    // Pixels of the clock's colour: amber has much green, red little.
    auto count = [](const QImage &picture, bool amber) {
        int pixels = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c.red() > 200 && c.blue() < 80 && (amber ? c.green() > 140 : c.green() < 90))
                    ++pixels;
            }
        return pixels;
    };

    setVariable(u"clock"_s, u"1:00"_s);
    const QImage minutes = clockPicture();
    setVariable(u"clock"_s, u"59.9"_s);
    const QImage lastMinute = clockPicture();

    QVERIFY(count(minutes, true) > 1000);
    QCOMPARE(count(minutes, false), 0);
    QVERIFY(count(lastMinute, false) > 1000);
    QCOMPARE(count(lastMinute, true), 0);
}

void TestScoreboardMovie::longClockFitsItsPanel()
{
    auto *clock = m_movie->findChild<QQuickItem *>(u"clock"_s);
    auto *digits = qobject_cast<QQuickItem *>(part(u"clock"_s, u"digits"_s));
    QVERIFY(clock && digits);
    setVariable(u"clock"_s, u"12:00"_s);
    const qreal usual = digits->height();
    setVariable(u"clock"_s, u"101:40"_s);
    QVERIFY(digits->width() <= clock->width());
    QVERIFY(digits->x() >= 0);
    QVERIFY(digits->height() <= usual);
}

QTEST_MAIN(TestScoreboardMovie)
#include "test_scoreboardmovie.moc"
