// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardprotocol.h"
#include "handlecopy.h"
#include "sharedframes.h"

#include <QDataStream>
#include <QTest>

#include <tuple>

using namespace BoardProtocol;
using namespace Qt::StringLiterals;

// What the display control and the board's process share: the messages, read whole and with
// suspicion, and the frames' memory.
class TestBoardShare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messagesGoThroughWhole();
    void messagesComeInPieces();
    void faultyMessages_data();
    void faultyMessages();
    void framesDifference();
    void framesShownOnlyWhereAsked();
    void framesOfTheProcessWaitForTheControl();
};

namespace {

// Every field of a message, for comparing what came through with what was sent; a message
// without its overload here does not compile.
auto Fields(const Load &m)
{
    return std::tuple(m.path);
}
auto Fields(const Size &m)
{
    return std::tuple(m.pixels, m.ratio);
}
auto Fields(const Set &m)
{
    return std::tuple(m.name, m.value);
}
auto Fields(const Render &m)
{
    return std::tuple(m.number);
}
auto Fields(const Ping &m)
{
    return std::tuple(m.number);
}
auto Fields(const Inspect &m)
{
    return std::tuple(m.number);
}
auto Fields(const Loaded &m)
{
    return std::tuple(m.outcome, m.held, m.lacking);
}
auto Fields(const Frame &m)
{
    return std::tuple(m.number, m.changed);
}
auto Fields(const Pong &m)
{
    return std::tuple(m.number);
}
auto Fields(const Changed &)
{
    return std::tuple();
}
auto Fields(const Refused &m)
{
    return std::tuple(m.outcome);
}
auto Fields(const Inspection &m)
{
    return std::tuple(m.number, m.findings);
}

template <typename Variant> bool SameMessage(const Variant &a, const Variant &b)
{
    return a.index() == b.index() && std::visit(
                                         [&b](const auto &m) {
                                             using M = std::decay_t<decltype(m)>;
                                             return Fields(m) == Fields(std::get<M>(b));
                                         },
                                         a);
}

// All the messages of a side, one each, with fields unlike their defaults, all sent at once.
template <typename Variant> void RoundTrip(const QList<Variant> &messages, qsizetype longest)
{
    QCOMPARE(qsizetype(std::variant_size_v<Variant>), messages.size());
    QByteArray bytes;
    for (const Variant &message : messages)
        bytes += Encode(message);
    Reader<Variant> reader(longest);
    reader.append(bytes);
    for (const Variant &message : messages) {
        const std::optional<Variant> read = reader.next();
        QVERIFY(read);
        QVERIFY2(SameMessage(*read, message), qPrintable(QString::number(message.index())));
    }
    QVERIFY(!reader.next());
    QVERIFY(!reader.failed());
}

} // namespace

void TestBoardShare::messagesGoThroughWhole()
{
    RoundTrip<ToBoard>({Load{u"/a/b.dll"_s}, Size{{1920, 1080}, 1.5},
                        Set{u"name_a"_s, u"Lions \u00e9\n"_s}, Render{7}, Ping{9}, Inspect{11}},
                       LongestToBoard);
    RoundTrip<FromBoard>({Loaded{MovieOutcome::TooLarge, {u"held"_s}, {u"a"_s, u"b"_s}},
                          Frame{3, QRect(10, 20, 30, 40)}, Pong{4}, Changed{},
                          Refused{MovieOutcome::NoCanvas},
                          Inspection{5, {u"Text \"x\": overflows"_s, u"y"_s}}},
                         LongestFromBoard);
}

void TestBoardShare::messagesComeInPieces()
{
    // As a pipe may hand them over: a byte at a time.
    const QByteArray bytes =
        Encode(ToBoard{Set{u"points_a"_s, u"007"_s}}) + Encode(ToBoard{Render{1}});
    Reader<ToBoard> reader(LongestToBoard);
    int messages = 0;
    for (const char byte : bytes) {
        reader.append(QByteArray(1, byte));
        while (reader.next())
            ++messages;
    }
    QCOMPARE(messages, 2);
    QVERIFY(!reader.failed());
}

void TestBoardShare::faultyMessages_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const auto framed = [](const QByteArray &body) -> QByteArray {
        QByteArray message;
        QDataStream(&message, QIODevice::WriteOnly) << quint32(body.size());
        return message + body;
    };
    const QByteArray frame = Encode(FromBoard{Frame{1, QRect(0, 0, 5, 5)}});
    QTest::newRow("longer than any message") << framed(QByteArray(LongestFromBoard + 1, '\x66'));
    QTest::newRow("empty message") << framed({});
    QTest::newRow("unknown kind") << framed("\x07\0\0\0\0");
    QTest::newRow("a message for the other side") << Encode(ToBoard{Render{1}});
    QTest::newRow("cut short") << framed(frame.mid(4, frame.size() - 6));
    QTest::newRow("bytes left over") << framed(frame.mid(4) + "xy");
    QTest::newRow("an outcome of the control's own")
        << Encode(FromBoard{Loaded{MovieOutcome::Hung, {}, {}}});
}

void TestBoardShare::faultyMessages()
{
    QFETCH(QByteArray, bytes);
    Reader<FromBoard> reader(LongestFromBoard);
    reader.append(bytes + Encode(FromBoard{Pong{1}}));
    QVERIFY(!reader.next());
    QVERIFY(reader.failed());
    // For good: what follows a fault is not trusted either.
    QVERIFY(!reader.next());
}

void TestBoardShare::framesDifference()
{
    SharedFrames frames;
    QVERIFY(frames.isValid());
    QVERIFY(frames.setSize({64, 48}));
    QImage drawn = frames.drawn();
    QImage shown = frames.shown();
    drawn.fill(Qt::black);
    shown.fill(Qt::black);
    QCOMPARE(frames.difference(), QRect());

    drawn.setPixel(5, 7, 0xffff0000);
    QCOMPARE(frames.difference(), QRect(5, 7, 1, 1));
    drawn.setPixel(60, 2, 0xff00ff00);
    drawn.setPixel(0, 47, 0xff0000ff);
    QCOMPARE(frames.difference(), QRect(QPoint(0, 2), QPoint(60, 47)));
}

void TestBoardShare::framesShownOnlyWhereAsked()
{
    SharedFrames frames;
    QVERIFY(frames.setSize({32, 32}));
    QImage drawn = frames.drawn();
    drawn.fill(Qt::white);
    frames.shown().fill(Qt::black);
    frames.show(QRect(4, 4, 8, 8));
    const QImage shown = frames.shown();
    QCOMPARE(shown.pixel(4, 4), drawn.pixel(4, 4));
    QCOMPARE(shown.pixel(11, 11), drawn.pixel(11, 11));
    QCOMPARE(shown.pixel(12, 12), QColor(Qt::black).rgb());
    QCOMPARE(shown.pixel(3, 4), QColor(Qt::black).rgb());
    QCOMPARE(frames.difference(), QRect(QPoint(0, 0), QPoint(31, 31)));
    // Outside the frames: nothing beyond them is touched.
    frames.show(QRect(-10, -10, 100, 100));
    QCOMPARE(frames.difference(), QRect());
}

void TestBoardShare::framesOfTheProcessWaitForTheControl()
{
    SharedFrames control;
    QVERIFY(control.setSize({16, 16}));
    // The process's side maps the same memory, but only as far as the control has grown it.
    SharedFrames process(CopyHandle(control.handle()));
    QVERIFY(!process.setSize({32, 32}));
    QVERIFY(process.setSize({16, 16}));
    process.drawn().fill(Qt::red);
    QCOMPARE(control.drawn().pixel(15, 15), QColor(Qt::red).rgb());
    QVERIFY(control.setSize({32, 32}));
    QVERIFY(process.setSize({32, 32}));
}

QTEST_GUILESS_MAIN(TestBoardShare)
#include "test_boardshare.moc"
