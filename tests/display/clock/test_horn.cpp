// SPDX-License-Identifier: GPL-3.0-or-later
#include "horn.h"

#include <QFile>
#include <QTest>

class TestHorn : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void soundIsBuiltIn();
};

void TestHorn::soundIsBuiltIn()
{
    QFile wav(QStringLiteral(":/sounds/horn.wav"));
    QVERIFY(wav.open(QIODevice::ReadOnly));
    const QByteArray header = wav.read(44);
    QCOMPARE(header.mid(0, 4), QByteArray("RIFF"));
    QCOMPARE(header.mid(8, 4), QByteArray("WAVE"));
    QCOMPARE(header.at(22), char(1));  // mono
    QCOMPARE(header.at(34), char(16)); // 16-bit
    QVERIFY(wav.size() > 20'000);      // about a second

    // It ends in a quarter of a second of silence, so that an output that stops a sound once it
    // has taken its last bytes loses none of the horn.
    const QByteArray samples = wav.readAll();
    const qsizetype tail = 22050 / 4 * 2;
    QVERIFY(samples.size() > tail);
    QCOMPARE(samples.right(tail), QByteArray(tail, '\0'));
    QVERIFY(samples.left(samples.size() - tail).count('\0') < samples.size() / 4);
}

QTEST_GUILESS_MAIN(TestHorn)
#include "test_horn.moc"
